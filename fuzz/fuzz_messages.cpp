// Fuzz target for the host link's readers: any bytes taken as a received record, then read
// as strings, an entity, integers and the rest, must give a clear error or a value, never a
// read outside the payload. Built with libFuzzer by scripts/test; the test suite also runs it
// over a fixed set of inputs.

#include "hostlink/ETavimor.h"
#include "hostlink/MessageStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto message = DecodeRecord(msgFindEntity, data, size, 7, nullptr);
        const std::size_t payload = message->Size();
        try {
            TEntity entity;
            entity.ReadFrom(*message);
            (void)entity.LockName();
        } catch (const ETavimor&) {
        }
        message->Seek(0);
        try {
            for (int i = 0; i < 16; ++i) {
                (void)message->ReadString();
                (void)message->ReadByte();
            }
        } catch (const ETavimor&) {
        }
        (void)message->ReadRest();
        TTavimorMessageStream copy;
        message->CopyTo(copy);
        if (copy.Size() != payload || EncodeRecord(copy).size() != payload + 8) {
            __builtin_trap();
        }
    } catch (const ETavimor&) {
        if (size >= 8) {
            __builtin_trap(); // only records shorter than the stamp are refused
        }
    }
    return 0;
}

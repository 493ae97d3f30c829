#pragma once
// TTavimorMessageStream, one message of the host link: a growable byte stream for the
// payload, the time stamp that pairs a reply with its request, the sender's entity and the
// message kind; and the record it travels in. Plain C++ over bytes: integers are 32-bit
// little-endian, strings a 32-bit length and that many bytes.

#include "hostlink/Entity.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TTavimorMessageKind : std::int32_t {
    msgQuit = 4096,
    msgReply = 4097,
    msgRegister = 4098,
    msgUnregister = 4099,
    msgFindEntity = 4100,
    msgParams = 4101,
    msgExecute = 4102,
    msgGetFile = 4103,
    msgResolveFileName = 4104,
    msgQueryText = 4105,
    msgGetVariable = 4106
};

// Milliseconds since local midnight, and the day with 1 January 0001 as day 1.
struct TTimeStamp {
    std::int32_t Time = 0;
    std::int32_t Date = 0;
    bool operator==(const TTimeStamp&) const = default;
};

// The stamp of a local date and time.
TTimeStamp TimeStampOf(int year, int month, int day, int hour, int minute, int second,
                       int millisecond);
// The stamp of now, in local time.
TTimeStamp TimeStampNow();

class TTavimorMessageStream {
public:
    explicit TTavimorMessageStream(ITavimorDemon* demon = nullptr);

    TTimeStamp TimeStamp;
    std::int32_t MsgId = 0;
    TEntity& SenderEntity() { return *senderEntity; }
    const TEntity& SenderEntity() const { return *senderEntity; }
    ITavimorDemon* Demon() const { return demon; }
    void SetDemon(ITavimorDemon* value);

    // The payload as a stream.
    std::size_t Size() const { return bytes.size(); }
    std::size_t Position() const { return position; }
    // Positions beyond the end are limited to the end.
    void Seek(std::size_t to) { position = std::min(to, bytes.size()); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes; }
    void Clear();

    void Write(const void* data, std::size_t size);
    void WriteByte(std::uint8_t value);
    void WriteInt32(std::int32_t value);
    void WriteString(const std::string& s);
    // Reads exactly `size` bytes; throws ETavimor when fewer are left.
    void Read(void* data, std::size_t size);
    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    // A length of 0 or less is the empty string; a length beyond the payload throws ETavimor.
    std::string ReadString();
    // The bytes from the position to the end.
    std::string ReadRest();

    // Copies stamp, sender entity, kind and payload into `target`, positioned at its start.
    void CopyTo(TTavimorMessageStream& target) const;

private:
    ITavimorDemon* demon;
    std::unique_ptr<TEntity> senderEntity;
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

// The record one message travels in: the 8-byte stamp, then the whole payload.
std::vector<std::uint8_t> EncodeRecord(const TTavimorMessageStream& message);
// A received record as a message positioned at its start. Throws ETavimor for a record
// shorter than the stamp; the message is then not to be dispatched.
std::unique_ptr<TTavimorMessageStream> DecodeRecord(std::int32_t kind, const std::uint8_t* data,
                                                    std::size_t size, std::int32_t senderWindow,
                                                    ITavimorDemon* demon);

// Fuzz target for the dictionary loader: any bytes must load without crashing, hanging or
// reading outside a buffer, keep keys and texts paired, and survive being written out and
// read back. Built with clang's libFuzzer by scripts/test; the test suite also runs it over
// a fixed set of inputs.

#include "localization/ItlDictionary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    TItlDictionary d("App");
    d.AutoCreateItlFile = true;
    d.LoadFromStream(in);
    if (d.KeyList().size() != d.TextList().size()) {
        std::abort();
    }
    for (const std::string& key : d.KeyList()) {
        d.Translate(key, {"one", "two"});
    }
    d.Translate(bytes.substr(0, 64));

    std::istringstream again(d.ItlFileContents());
    TItlDictionary reread;
    reread.LoadFromStream(again);
    // Every entry and every missed key comes back (more when texts held "[" and "]=").
    if (reread.KeyList().size() < d.KeyList().size()) {
        std::abort();
    }
    std::istringstream tokens(bytes);
    std::string token;
    bool atEnd = false;
    for (int i = 0; i < 4 && !atEnd; ++i) {
        TItlDictionary::ReadToken(tokens, "|$$", token, atEnd);
    }
    return 0;
}

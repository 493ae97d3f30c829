// Untrusted dictionaries: the fuzz target's corpus, odd files and random bytes must load
// without crashing or hanging.

#include "localization/ItlDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int fuzzOne(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  bytes.size());
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(BadDictionaries, CorpusOddFilesAndRandomBytes) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CENTROVA_FUZZ_CORPUS)) {
        EXPECT_EQ(fuzzOne(readFile(entry.path())), 0) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 5);
    for (const std::string& odd :
         {std::string(), std::string("|$$"), std::string("[]=|$$"), std::string("]=[|$$"),
          std::string("[[[[", 4), std::string(5000, '['), std::string(4000, '|') + "$$",
          std::string(1000, ' ') + "]=|$$", std::string("\0\0\0|$$", 6)}) {
        EXPECT_EQ(fuzzOne(odd), 0);
    }
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 3000);
    const std::string alphabet = "[]=|$\\n<%APPNAME%>1 \r\n\tab";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 400; ++i) {
        std::string bytes(static_cast<std::size_t>(length(rng)), '\0');
        for (char& c : bytes) {
            // Half the inputs from the format's own characters, so tokens actually form.
            c = i % 2 ? static_cast<char>(byte(rng)) : alphabet[pick(rng)];
        }
        ASSERT_EQ(fuzzOne(bytes), 0) << i;
    }
}

TEST(BadDictionaries, AHugeFileWithoutTerminatorLoadsNothing) {
    std::istringstream in(std::string(3u << 20, 'x'));
    TItlDictionary d;
    d.LoadFromStream(in);
    EXPECT_TRUE(d.KeyList().empty());
}

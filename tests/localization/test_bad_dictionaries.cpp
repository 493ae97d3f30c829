// Untrusted dictionaries: the fuzz target's corpus, odd files and random bytes must load
// without crashing or hanging; the shipped dictionaries answer every key the program asks.

#include "localization/Cp1252.h"
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

// Which keys the program asks for is found by running it (test_shipped_dictionaries); here the
// dictionaries agree with each other, once each, and keep their form.
TEST(ShippedDictionaries, HoldTheSameKeysAndTheirLanguageCodes) {
    const auto keysOf = [](const TItlDictionary& d) {
        std::vector<std::string> keys = d.KeyList();
        std::sort(keys.begin(), keys.end());
        return keys;
    };
    std::ifstream en(std::filesystem::path(CENTROVA_DATA_DIR) / "centrova_en.itl", std::ios::binary);
    ASSERT_TRUE(en);
    TItlDictionary english;
    english.LoadFromStream(en);
    const std::vector<std::string> englishKeys = keysOf(english);
    EXPECT_GE(englishKeys.size(), 16u);
    for (const auto& [file, language] :
         {std::pair{"centrova_en.itl", "lgenglish"}, std::pair{"centrova_de.itl", "lggerman"},
          std::pair{"centrova_fr.itl", "lgfrench"}, std::pair{"centrova_es.itl", "lgspanish"}}) {
        std::ifstream in(std::filesystem::path(CENTROVA_DATA_DIR) / file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        TItlDictionary d;
        d.LoadFromStream(in);
        const std::vector<std::string> keys = keysOf(d);
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << file << ": a key twice";
        EXPECT_EQ(keys, englishKeys) << file;
        EXPECT_EQ(d.Translate("$dlglanguage$"), language);
        // The lesson texts break lines with escapes, never with the file's own breaks.
        EXPECT_NE(d.Translate("MMText2").find("\r\n"), std::string::npos);
        EXPECT_EQ(d.Translate("HomePage"), ""); // no home page: the About box hides the link
        // The five buttons have one access key each, and no two the same.
        std::string accessKeys;
        for (const char* button : {"Exit", "Reset", "More Data", "Next", "About"}) {
            const QString text = FromCp1252(d.Translate(button));
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(at, 0) << file << ": " << button;
            EXPECT_EQ(text.indexOf(QLatin1Char('&'), at + 1), -1) << file << ": " << button;
            ASSERT_LT(at + 1, text.size()) << file << ": " << button;
            EXPECT_TRUE(text.at(at + 1).isLetter()) << file << ": " << button;
            const char letter = static_cast<char>(text.at(at + 1).toLower().unicode() & 0xFF);
            EXPECT_EQ(accessKeys.find(letter), std::string::npos) << file << ": " << button;
            accessKeys += letter;
        }
    }
    std::ifstream de(std::filesystem::path(CENTROVA_DATA_DIR) / "centrova_de.itl",
                     std::ios::binary);
    TItlDictionary d;
    d.LoadFromStream(de);
    EXPECT_EQ(FromCp1252(d.Translate("Measures of Location")), QStringLiteral("Lagemaße"));
}

TEST(Cp1252, RoundTripsEveryByteAndMapsTheWindowsBlock) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
    EXPECT_EQ(FromCp1252("\x80\x93\x94\x9F"), QStringLiteral("€“”Ÿ"));
    EXPECT_EQ(FromCp1252("\xE4\xDF"), QStringLiteral("äß"));
    EXPECT_EQ(ToCp1252(QStringLiteral("€ ä Ω")), "\x80 \xE4 ?");
}

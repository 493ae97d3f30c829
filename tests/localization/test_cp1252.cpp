// The edge to Qt's strings: the shipped dictionaries agree with each other and read as the
// right text, and every cp1252 byte survives the round trip.

#include "localization/Cp1252.h"
#include "localization/ItlDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

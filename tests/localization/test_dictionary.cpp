// The dictionary format, key normalisation and text processing, look-ups with arguments,
// the missed-key list and the file written for translators.

#include "localization/ItlDictionary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TItlDictionary load(const std::string& bytes, const std::string& appName = {}) {
    TItlDictionary d(appName);
    std::istringstream in(bytes);
    d.LoadFromStream(in);
    return d;
}

} // namespace

TEST(Dictionary, KeysMatchInAnyCaseButNotWithOtherSpacing) {
    TItlDictionary d = load("[More Data]=Mehr Daten|$$");
    EXPECT_EQ(d.Translate("More Data"), "Mehr Daten");
    EXPECT_EQ(d.Translate("MORE data"), "Mehr Daten");
    EXPECT_EQ(d.Translate("More  Data"), "More  Data"); // a miss shows the key as asked
    EXPECT_EQ(d.Translate("Exit"), "Exit");
    EXPECT_EQ(load("").Translate("More Data"), "More Data");
}

TEST(Dictionary, EveryLoadHasANumberOfItsOwn) {
    TItlDictionary a;
    TItlDictionary b;
    EXPECT_EQ(a.LoadNumber(), 0u); // never loaded
    std::istringstream in("[A]=1|$$");
    a.LoadFromStream(in);
    b.LoadFromStream(in);
    const std::uint64_t first = a.LoadNumber();
    EXPECT_NE(first, 0u);
    EXPECT_NE(b.LoadNumber(), first); // same contents, another dictionary
    a.LoadFromStream(in);
    EXPECT_NE(a.LoadNumber(), first);
    EXPECT_NE(a.LoadNumber(), b.LoadNumber());
}

TEST(Dictionary, KeysAreNormalisedTextsProcessed) {
    TItlDictionary d = load("[  Trimmed\r\nMean ]=T|$$[A]=one\\ntwo|$$[B]=one\r\ntwo|$$"
                            "[C]=x<%AppName%>y<%APPNAME%>|$$[\t \r\n]=blank|$$",
                            "Centrova");
    ASSERT_EQ(d.KeyList().size(), 5u);
    EXPECT_EQ(d.KeyList()[0], "trimmed mean "); // one space between, the trailing one kept
    EXPECT_EQ(d.Translate("Trimmed Mean"), "Trimmed Mean");
    EXPECT_EQ(d.Translate("Trimmed Mean "), "T");
    EXPECT_EQ(d.TextList()[1], "one\r\ntwo");
    EXPECT_EQ(d.TextList()[2], "one  two"); // the file's own CR LF: two spaces, not merged
    EXPECT_EQ(d.TextList()[3], "xCentrovayCentrova");
    EXPECT_EQ(d.KeyList()[4], "");
    EXPECT_EQ(d.Translate(""), "blank");
    EXPECT_EQ(load("[N]=a\\Nb|$$").TextList()[0], "a\\Nb"); // the escape's case is exact
}

TEST(Dictionary, TokensOddAndIgnoredParts) {
    TItlDictionary d = load("remark\r\n[Exit]=Ende|$$ between \r\n[Next]=Weiter|$$ trailing [x]=y");
    EXPECT_EQ(d.KeyList(), (std::vector<std::string>{"exit", "next"}));
    EXPECT_EQ(d.TextList()[1], "Weiter");

    d = load("Reset]=Neu|$$[no assign|$$[t]=a[b]=c|$$[Dup]=first|$$[dup]=second|$$");
    ASSERT_EQ(d.KeyList().size(), 5u);
    EXPECT_EQ(d.KeyList()[0], "reset"); // no "[": the key runs from the token's start
    EXPECT_EQ(d.KeyList()[1], "");      // no "]=": an empty key
    EXPECT_EQ(d.TextList()[2], "a[b]=c");
    EXPECT_EQ(d.Translate("DUP"), "first");
    EXPECT_EQ(d.Translate("Reset"), "Neu");

    // The terminator is found across the 256-byte blocks of ReadToken.
    const std::string longText(600, 'x');
    d = load("[" + std::string(254, 'k') + "]=" + longText + "|$$[z]=1|$$");
    ASSERT_EQ(d.KeyList().size(), 2u);
    EXPECT_EQ(d.TextList()[0], longText);
}

TEST(Dictionary, ReadTokenStopsJustBehindTheDelimiter) {
    std::istringstream in(std::string(300, 'a') + "|$$rest|$$tail");
    std::string token;
    bool atEnd = true;
    TItlDictionary::ReadToken(in, "|$$", token, atEnd);
    EXPECT_FALSE(atEnd);
    EXPECT_EQ(token.size(), 303u);
    TItlDictionary::ReadToken(in, "|$$", token, atEnd);
    EXPECT_EQ(token, "rest|$$");
    TItlDictionary::ReadToken(in, "|$$", token, atEnd);
    EXPECT_TRUE(atEnd);
    std::istringstream letters("abcENDdef");
    TItlDictionary::ReadToken(letters, "end", token, atEnd);
    EXPECT_EQ(token, "abcEND"); // found with letter case folded
}

TEST(Dictionary, ArgumentsInOrderAndTheTranslatedCallback) {
    TItlDictionary d = load("[K]=<%2%> before <%1%>|$$[Chain]=<%1%>|$$");
    EXPECT_EQ(d.Translate("K", {"one", "two"}), "two before one");
    // Each pass scans what the previous one produced.
    EXPECT_EQ(d.Translate("Chain", {"<%2%>", "x"}), "x");
    EXPECT_EQ(d.Translate("Missing <%1%>", {"a"}), "Missing a");
    d.OnTranslated = [](const std::string& key, std::string& text) { text += "!" + key; };
    EXPECT_EQ(d.Translate("k", {"1", "2"}), "2 before 1!k");
    EXPECT_EQ(d.Translate("nothing"), "nothing"); // no callback for a miss
}

TEST(Dictionary, MissedKeysAreCollectedOnceAndWrittenForTranslators) {
    TItlDictionary d = load("[Mean]=Mittelwert|$$[Mean]=second|$$[T]=a\\nb|$$");
    d.Translate("Exit");
    EXPECT_TRUE(d.NewEntryList().empty()); // collecting is off
    d.AutoCreateItlFile = true;
    d.Translate("Exit");
    d.Translate("Exit");
    d.Translate("exit");
    d.Translate("Mean");
    EXPECT_EQ(d.NewEntryList(), (std::vector<std::string>{"[Exit]=Exit|$$"}));
    EXPECT_EQ(d.ItlFileContents(), "[Exit]=Exit|$$\r\n[mean]=Mittelwert|$$\r\n"
                                   "[mean]=second|$$\r\n[t]=a\r\nb|$$\r\n");
    // Read back: the missed key maps to itself, line breaks in texts come back as spaces.
    TItlDictionary back = load(d.ItlFileContents());
    EXPECT_EQ(back.Translate("Exit"), "Exit");
    EXPECT_EQ(back.Translate("T"), "a  b");
    EXPECT_EQ(back.KeyList().size(), 4u);

    const auto path = std::filesystem::temp_directory_path() / "centrova-test-written.itl";
    ASSERT_TRUE(d.WriteItlFile(path.string()));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), d.ItlFileContents());
    std::filesystem::remove(path);
    EXPECT_FALSE(d.WriteItlFile("/nonexistent-folder/x.itl"));
}

TEST(Dictionary, FileNameOfTheProgram) {
    EXPECT_EQ(TItlDictionary::ItlFileName("/usr/bin/centrova"), "centrova.itl");
    EXPECT_EQ(TItlDictionary::ItlFileName("C:\\Apps\\MEASLOC.EXE"), "MEASLOC.itl");
    EXPECT_EQ(TItlDictionary::ItlFileName("./build/centrova.bin"), "centrova.itl");
    EXPECT_EQ(TItlDictionary::ItlFileName("/opt/x.y/run"), "run.itl");
    EXPECT_EQ(TItlDictionary::ItlFileName(".hidden"), ".hidden.itl");
    EXPECT_EQ(TItlDictionary::ReplaceAll("aXbxc", "x", "xx", true), "axxbxxc");
    EXPECT_EQ(TItlDictionary::ReplaceAll("abc", "", "z", false), "abc");
    EXPECT_EQ(TItlDictionary::LowerCase("ÄBC\xC4"), "Äbc\xC4"); // A-Z only
}

#pragma once
// The dictionary of the translation engine, apart from any user interface: the ".itl" file
// format, key normalisation and text processing, the look-up of single keys, the list of
// missed keys, and the file written for translators at shutdown. Plain C++ over 8-bit
// (cp1252) strings; letter case is folded on A-Z only.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class TItlDictionary {
public:
    // Called after a successful look-up with the key as asked; may change the text.
    using TTranslatedEvent = std::function<void(const std::string& key, std::string& text)>;

    static constexpr const char* KeyPrefix = "TK_";
    static constexpr const char* Terminator = "|$$";
    static constexpr std::size_t BlockSize = 256;
    // What a dictionary file is read of at most; the rest is ignored.
    static constexpr std::size_t MaxDictionaryBytes = 64u << 20;

    explicit TItlDictionary(std::string appName = {});

    // Replaces the dictionary by the entries of a stream in the dictionary format (read up
    // to MaxDictionaryBytes). The missed-key list is kept.
    void LoadFromStream(std::istream& stream);

    // The text for a key (without its prefix), with "<%1%>", "<%2%>", ... replaced by the
    // arguments in order. A missing key gives the key itself.
    std::string Translate(const std::string& key, const std::vector<std::string>& args = {});

    // A number no other load of a dictionary in this process has: a text translated under
    // one load number may read differently under another.
    std::uint64_t LoadNumber() const { return loadNumber; }
    const std::vector<std::string>& KeyList() const { return keyList; }
    const std::vector<std::string>& TextList() const { return textList; }
    const std::vector<std::string>& NewEntryList() const { return newEntryList; }
    const std::string& AppName() const { return appName; }

    // Collect missed keys for the file written at shutdown.
    bool AutoCreateItlFile = false;
    TTranslatedEvent OnTranslated;

    // What the shutdown file holds: the missed-key lines, then every entry, each line ended
    // by CR LF.
    std::string ItlFileContents() const;
    // Writes ItlFileContents to `path`, replacing any file there. False when it cannot.
    bool WriteItlFile(const std::string& path) const;

    // The dictionary's name for a program: its file name without the directory, with the
    // extension replaced by ".itl", or ".itl" appended when it has none.
    static std::string ItlFileName(const std::string& executablePath);

    // Reads from the stream's position up to and including the first `delimiter` (found with
    // letter case folded), in blocks of BlockSize bytes. On success the stream stands just
    // behind the delimiter; `atEnd` is set when the stream ends without one.
    static void ReadToken(std::istream& stream, const std::string& delimiter, std::string& token,
                          bool& atEnd);
    static std::string NormaliseKey(std::string key);
    std::string ProcessText(std::string text) const;
    // Replaces every occurrence of `pattern`, never rescanning inserted text.
    static std::string ReplaceAll(std::string source, const std::string& pattern,
                                  const std::string& replacement, bool foldCase);
    static std::string LowerCase(std::string text);

private:
    std::vector<std::string> keyList;
    std::vector<std::string> textList;
    std::vector<std::string> newEntryList;
    std::string appName;
    std::uint64_t loadNumber = 0;
};

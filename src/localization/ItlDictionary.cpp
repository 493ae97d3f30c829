#include "localization/ItlDictionary.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <istream>

namespace {

// Up to `count` bytes of `s` from the 1-based `index`: a start before the first byte
// shortens the piece by as much, and whatever lies outside the text is cut away instead of
// read. The dictionary's rules for odd tokens follow from this cutting.
std::string copy1(const std::string& s, long index, long count) {
    if (index < 1) {
        count += index - 1;
        index = 1;
    }
    if (count <= 0 || index > static_cast<long>(s.size())) {
        return {};
    }
    return s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

// 1-based position of the first occurrence, 0 when there is none.
long pos1(const std::string& s, const std::string& what) {
    const std::size_t p = s.find(what);
    return p == std::string::npos ? 0 : static_cast<long>(p) + 1;
}

} // namespace

TItlDictionary::TItlDictionary(std::string name) : appName(std::move(name)) {}

std::string TItlDictionary::LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

void TItlDictionary::ReadToken(std::istream& stream, const std::string& delimiter,
                               std::string& token, bool& atEnd) {
    atEnd = true;
    token.clear();
    stream.clear();
    const std::streampos start = stream.tellg();
    if (start == std::streampos(-1) || delimiter.empty()) {
        return;
    }
    const std::string needle = LowerCase(delimiter);
    std::string buffer;
    std::string folded;
    std::size_t found = std::string::npos;
    char block[BlockSize];
    for (;;) {
        stream.read(block, BlockSize);
        const auto got = static_cast<std::size_t>(stream.gcount());
        // Only the new bytes, and the delimiter's length less one before them, can hold a
        // new occurrence: searching just there keeps long tokens linear.
        const std::size_t from = folded.size() >= needle.size() - 1
                                     ? folded.size() - (needle.size() - 1)
                                     : 0;
        buffer.append(block, got);
        folded.append(LowerCase(std::string(block, got)));
        found = folded.find(needle, from);
        if (found != std::string::npos || got < BlockSize) {
            break;
        }
    }
    stream.clear();
    if (found == std::string::npos) {
        return;
    }
    const std::size_t length = found + needle.size();
    token = buffer.substr(0, length);
    stream.seekg(start + static_cast<std::streamoff>(length));
    atEnd = false;
}

std::string TItlDictionary::NormaliseKey(std::string key) {
    key = LowerCase(std::move(key));
    std::replace_if(
        key.begin(), key.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
        ' ');
    std::string out;
    out.reserve(key.size());
    for (char c : key) {
        if (!(c == ' ' && !out.empty() && out.back() == ' ')) {
            out.push_back(c);
        }
    }
    const std::size_t lead = out.find_first_not_of(' ');
    return lead == std::string::npos ? std::string() : out.substr(lead);
}

std::string TItlDictionary::ProcessText(std::string text) const {
    if (text.empty()) {
        return text;
    }
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    text = ReplaceAll(std::move(text), "\\n", "\r\n", false);
    return ReplaceAll(std::move(text), "<%APPNAME%>", appName, true);
}

std::string TItlDictionary::ReplaceAll(std::string source, const std::string& pattern,
                                       const std::string& replacement, bool foldCase) {
    if (pattern.empty()) {
        return source;
    }
    const std::string needle = foldCase ? LowerCase(pattern) : pattern;
    std::string out;
    std::size_t at = 0;
    const std::string haystack = foldCase ? LowerCase(source) : source;
    for (;;) {
        const std::size_t hit = haystack.find(needle, at);
        if (hit == std::string::npos) {
            out.append(source, at, std::string::npos);
            return out;
        }
        out.append(source, at, hit - at);
        out.append(replacement);
        at = hit + needle.size();
    }
}

void TItlDictionary::LoadFromStream(std::istream& stream) {
    static std::atomic<std::uint64_t> loads{0};
    loadNumber = ++loads;
    keyList.clear();
    textList.clear();
    stream.clear();
    stream.seekg(0);
    // The whole dictionary is read once and cut into the same tokens ReadToken would give
    // (each up to and including the next terminator; what follows the last one is ignored),
    // without reading any part twice. A dictionary holds tens of entries; beyond
    // MaxDictionaryBytes a file is read as if it ended there.
    std::string data;
    std::vector<char> chunk(std::size_t{1} << 16);
    while (data.size() < MaxDictionaryBytes) {
        const std::size_t wanted = std::min(chunk.size(), MaxDictionaryBytes - data.size());
        stream.read(chunk.data(), static_cast<std::streamsize>(wanted));
        const auto got = static_cast<std::size_t>(std::max<std::streamsize>(stream.gcount(), 0));
        data.append(chunk.data(), got);
        if (got < wanted) {
            break;
        }
    }
    stream.clear();

    const std::string terminator = Terminator;
    std::size_t at = 0;
    for (;;) {
        const std::size_t hit = data.find(terminator, at);
        if (hit == std::string::npos) {
            return;
        }
        const std::string token = data.substr(at, hit + terminator.size() - at);
        at = hit + terminator.size();
        const long open = pos1(token, "[");
        const long assign = pos1(token, "]=");
        const long end = pos1(token, terminator);
        keyList.push_back(NormaliseKey(copy1(token, open + 1, assign - open - 1)));
        textList.push_back(ProcessText(copy1(token, assign + 2, end - assign - 2)));
    }
}

std::string TItlDictionary::Translate(const std::string& key,
                                      const std::vector<std::string>& args) {
    const std::string wanted = LowerCase(key);
    const auto it = std::find(keyList.begin(), keyList.end(), wanted);
    const bool found = it != keyList.end();
    std::string text = found ? textList[static_cast<std::size_t>(it - keyList.begin())] : key;
    for (std::size_t j = 1; j <= args.size(); ++j) {
        text = ReplaceAll(std::move(text), "<%" + std::to_string(j) + "%>", args[j - 1], false);
    }
    if (found) {
        if (OnTranslated) {
            OnTranslated(key, text);
        }
    } else if (AutoCreateItlFile) {
        const std::string line = "[" + key + "]=" + key + Terminator;
        const std::string folded = LowerCase(line);
        if (std::none_of(newEntryList.begin(), newEntryList.end(),
                         [&](const std::string& l) { return LowerCase(l) == folded; })) {
            newEntryList.push_back(line);
        }
    }
    return text;
}

std::string TItlDictionary::ItlFileContents() const {
    std::string out;
    for (const std::string& line : newEntryList) {
        out += line + "\r\n";
    }
    for (std::size_t i = 0; i < keyList.size(); ++i) {
        out += "[" + keyList[i] + "]=" + textList[i] + Terminator + "\r\n";
    }
    return out;
}

bool TItlDictionary::WriteItlFile(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        return false;
    }
    const std::string contents = ItlFileContents();
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    return !file.fail();
}

std::string TItlDictionary::ItlFileName(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    // A leading dot names a hidden file, not an extension.
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return name + ".itl";
}

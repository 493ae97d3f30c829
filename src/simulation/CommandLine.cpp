#include "simulation/CommandLine.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool parseWhole(const std::string& text, std::uint64_t& out) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool parseReal(const std::string& text, double& out) {
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && std::isfinite(out);
}

std::string quoted(const std::string& value) { return "\"" + value + "\""; }

} // namespace

std::string UsageText() {
    return "usage: centrova [--seed N] [--count C] [--drag P:X] [--screenshot FILE]\n"
           "                [--print-sample] [--print-measures] [--version] [PARAMETER...]\n"
           "  --seed N          seed the random source with N (0 to 4294967295)\n"
           "  --count C         grow the sample to C values: 30, 50, 70 or 90 (default 30)\n"
           "  --drag P:X        move value P (1 to C) to X (0 to 25) in 50 steps\n"
           "  --screenshot FILE save the window as a PNG once these steps are done, and exit\n"
           "  --print-sample    print the sample as CSV and exit\n"
           "  --print-measures  print the four measures and their ranges as CSV and exit\n"
           "  --version         print the version and the dictionary found, and exit\n"
           "  --help            show this text\n"
           "Arguments that do not begin with \"-\" are parameters for a courseware host.\n";
}

TCommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLineResult result;
    TCommandLineOptions& o = result.Options;
    bool seenSeed = false, seenCount = false, seenDrag = false, seenScreenshot = false;
    std::string dragText;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const bool takesValue =
            name == "--seed" || name == "--count" || name == "--drag" || name == "--screenshot";
        if (takesValue && !value) {
            if (i + 1 >= args.size()) {
                result.Error = name + " needs a value";
                return result;
            }
            value = args[++i];
        } else if (!takesValue && value) {
            result.Error = name + " takes no value";
            return result;
        }

        auto twice = [&](bool& seen) {
            if (seen) {
                result.Error = name + " may be given only once";
                return true;
            }
            seen = true;
            return false;
        };

        if (name == "--seed") {
            if (twice(seenSeed)) {
                return result;
            }
            std::uint64_t seed = 0;
            if (!parseWhole(*value, seed) || seed > std::numeric_limits<std::uint32_t>::max()) {
                result.Error = "--seed takes a whole number from 0 to 4294967295, not " +
                               quoted(*value);
                return result;
            }
            o.Seed = static_cast<std::uint32_t>(seed);
        } else if (name == "--count") {
            if (twice(seenCount)) {
                return result;
            }
            std::uint64_t count = 0;
            if (!parseWhole(*value, count) ||
                (count != 30 && count != 50 && count != 70 && count != 90)) {
                result.Error = "--count takes 30, 50, 70 or 90, not " + quoted(*value);
                return result;
            }
            o.Count = static_cast<std::int32_t>(count);
        } else if (name == "--drag") {
            if (twice(seenDrag)) {
                return result;
            }
            dragText = *value;
        } else if (name == "--print-sample") {
            o.PrintSample = true;
        } else if (name == "--print-measures") {
            o.PrintMeasures = true;
        } else if (name == "--help" || name == "-h") {
            o.Help = true;
        } else if (name == "--version") {
            o.Version = true;
        } else if (name == "--screenshot") {
            if (twice(seenScreenshot)) {
                return result;
            }
            if (value->empty()) {
                result.Error = "--screenshot needs a file name";
                return result;
            }
            o.Screenshot = *value;
        } else if (!name.empty() && name[0] != '-') {
            o.Parameters.push_back(args[i]); // for the host link, e.g. "/serverhandle=..."
        } else {
            result.Error = "unknown option " + quoted(args[i]);
            return result;
        }
    }

    // The drag's position is checked against the final count, whatever the options' order.
    if (seenDrag) {
        const auto colon = dragText.find(':');
        std::uint64_t position = 0;
        double target = 0.0;
        const bool ok = colon != std::string::npos &&
                        parseWhole(dragText.substr(0, colon), position) && position >= 1 &&
                        position <= static_cast<std::uint64_t>(o.Count) &&
                        parseReal(dragText.substr(colon + 1), target) && target >= 0.0 &&
                        target <= 25.0;
        if (!ok) {
            result.Error = "--drag takes P:X with P a position from 1 to " +
                           std::to_string(o.Count) + " and X a number from 0 to 25, not " +
                           quoted(dragText);
            return result;
        }
        o.Drag = TDragRequest{static_cast<std::int32_t>(position), target};
    }
    return result;
}

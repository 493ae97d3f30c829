#pragma once
// The teacher's command line: a fixed seed so a whole class works on one sample, the sample's
// size, one scripted drag, and CSV output of the sample or its measures. Parsing is plain C++
// so every option and every bad value is tested without starting the program.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TDragRequest {
    std::int32_t Position = 0; // 1..Count
    double Target = 0.0;       // 0..25
};

struct TCommandLineOptions {
    std::optional<std::uint32_t> Seed;
    std::int32_t Count = 30;
    std::optional<TDragRequest> Drag;
    bool PrintSample = false;
    bool PrintMeasures = false;
    bool Help = false;
    bool Version = false;
    // Where the window is saved as a PNG once start-up and the scripted steps are done.
    std::optional<std::string> Screenshot;
    // Arguments that are not options: the host link's parameters.
    std::vector<std::string> Parameters;
};

struct TCommandLineResult {
    TCommandLineOptions Options;
    // Empty when the command line is valid; otherwise one line naming the option and what
    // it accepts.
    std::string Error;
};

// Parses the arguments after the program's name. Both "--seed 5" and "--seed=5" are accepted.
TCommandLineResult ParseCommandLine(const std::vector<std::string>& args);

// The usage text, ending in a newline.
std::string UsageText();

// The teacher's command line: every option and a bad value of each, parsed in-process.

#include "simulation/CommandLine.h"
#include "simulation/LessonScript.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TCommandLineResult parse(std::vector<std::string> args) { return ParseCommandLine(args); }

} // namespace

TEST(CommandLine, AcceptsEveryOption) {
    const auto r = parse({"--seed", "4294967295", "--count=90", "--drag", "90:25",
                          "--print-sample", "--print-measures"});
    ASSERT_EQ(r.Error, "");
    EXPECT_EQ(r.Options.Seed, 4294967295u);
    EXPECT_EQ(r.Options.Count, 90);
    ASSERT_TRUE(r.Options.Drag);
    EXPECT_EQ(r.Options.Drag->Position, 90);
    EXPECT_EQ(r.Options.Drag->Target, 25.0);
    EXPECT_TRUE(r.Options.PrintSample);
    EXPECT_TRUE(r.Options.PrintMeasures);

    const auto d = parse({"--drag=1:0", "--seed=0"});
    ASSERT_EQ(d.Error, "");
    EXPECT_EQ(d.Options.Seed, 0u);
    EXPECT_EQ(d.Options.Count, 30);
    EXPECT_EQ(d.Options.Drag->Target, 0.0);
    EXPECT_EQ(parse({"--drag", "3:12.75"}).Options.Drag->Target, 12.75);
    EXPECT_FALSE(parse({}).Options.Seed);
    EXPECT_TRUE(parse({"--help"}).Options.Help);

    // Plain arguments are the host link's parameters, in order, and no error.
    const auto p = parse({"one", "/serverhandle=AB", "--screenshot", "w.png", "--version"});
    ASSERT_EQ(p.Error, "");
    EXPECT_EQ(p.Options.Parameters, (std::vector<std::string>{"one", "/serverhandle=AB"}));
    EXPECT_EQ(p.Options.Screenshot, "w.png");
    EXPECT_TRUE(p.Options.Version);
}

TEST(CommandLine, RejectsBadValuesNamingTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad{
        {{"--frobnicate"}, "unknown option"},
        {{"-x"}, "unknown option"},
        {{"--screenshot"}, "needs a value"},
        {{"--screenshot="}, "needs a file name"},
        {{"--screenshot", "a.png", "--screenshot=b.png"}, "only once"},
        {{"--count", "40"}, "--count takes 30, 50, 70 or 90"},
        {{"--count", "+30"}, "--count takes"},
        {{"--count"}, "--count needs a value"},
        {{"--seed", "-1"}, "--seed takes a whole number from 0 to 4294967295"},
        {{"--seed", "abc"}, "--seed takes"},
        {{"--seed", "4294967296"}, "--seed takes"},
        {{"--seed", "12 "}, "--seed takes"},
        {{"--seed", ""}, "--seed takes"},
        {{"--seed", "1", "--seed", "2"}, "--seed may be given only once"},
        {{"--drag", "0:5"}, "--drag takes P:X with P a position from 1 to 30"},
        {{"--drag", "3:26"}, "--drag takes"},
        {{"--drag", "3:-0.5"}, "--drag takes"},
        {{"--drag", "3:nan"}, "--drag takes"},
        {{"--drag", "3:inf"}, "--drag takes"},
        {{"--drag", "3"}, "--drag takes"},
        {{"--drag", "3:"}, "--drag takes"},
        {{"--drag", "31:5"}, "--drag takes P:X with P a position from 1 to 30"},
        {{"--drag", "51:5", "--count", "50"}, "from 1 to 50"},
        {{"--print-sample=yes"}, "--print-sample takes no value"},
    };
    for (const auto& [args, message] : bad) {
        const auto r = parse(args);
        EXPECT_NE(r.Error.find(message), std::string::npos)
            << args.front() << " gave \"" << r.Error << "\"";
    }
    // The drag position is checked against the count, wherever --count stands.
    EXPECT_EQ(parse({"--drag", "70:5", "--count", "70"}).Error, "");
}

TEST(CommandLine, UsageDescribesEachOptionOnce) {
    // Every option of the usage line has exactly one line of its own below it, and the
    // parser knows every option so described.
    const std::string usage = UsageText();
    for (const std::string name : {"--seed", "--count", "--drag", "--screenshot",
                                   "--print-sample", "--print-measures", "--version",
                                   "--help"}) {
        const std::string line = "\n  " + name + " ";
        const std::size_t first = usage.find(line);
        ASSERT_NE(first, std::string::npos) << name;
        EXPECT_EQ(usage.find(line, first + 1), std::string::npos) << name << " twice";
        if (name != "--help") {
            EXPECT_NE(usage.find("[" + name), std::string::npos) << name;
        }
    }
    std::size_t lines = 0;
    for (std::size_t at = usage.find("\n  --"); at != std::string::npos;
         at = usage.find("\n  --", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 8u);
    EXPECT_EQ(parse({"--print-sample", "--print-measures", "--version"}).Error, "");
}

TEST(CommandLine, NumbersReadBackExactly) {
    for (double v : {0.1, 8.207122716495768, 1e-300, 19.999999999999996, 0.0}) {
        EXPECT_EQ(std::strtod(TLessonScript::FormatNumber(v).c_str(), nullptr), v);
    }
}

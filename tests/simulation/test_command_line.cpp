// The teacher's command line: every option and a bad value of each, parsed in-process, and
// the program itself started for its output and exit codes.

#include "simulation/CommandLine.h"
#include "simulation/LessonScript.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TCommandLineResult parse(std::vector<std::string> args) { return ParseCommandLine(args); }

struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

ProgramRun runProgram(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(CENTROVA_EXECUTABLE), args);
    ProgramRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return out;
}

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

TEST(Program, PrintsTheMeasuresOfASeededSample) {
    const ProgramRun r = runProgram({"--seed", "1234", "--print-measures"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // From expected_values.py (tests/numerics): the first sample from seed 1234.
    EXPECT_EQ(lines(r.out), (std::vector<std::string>{
                                "measure,value,min,max",
                                "mean,8.2071227164957676,8.2071227164957676,8.2071227164957676",
                                "trimmed_mean,7.9120725224263966,7.9120725224263966,"
                                "7.9120725224263966",
                                "median,8.3802965201623731,8.3802965201623731,8.3802965201623731",
                                "mode,8.5,8.5,8.5",
                                "count,30,30,30",
                            }));
}

TEST(Program, PrintsTheSampleInStoreOrderAndDragsAValue) {
    const ProgramRun r = runProgram({"--seed=1234", "--count", "50", "--drag", "2:25",
                              "--print-sample", "--print-measures"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 1u + 50u + 1u + 6u);
    EXPECT_EQ(out[0], "position,value");
    EXPECT_EQ(out[1], "1,6.9509953236673026");
    EXPECT_EQ(std::strtod(out[2].substr(2).c_str(), nullptr), 25.0);
    EXPECT_EQ(out[3], "3,9.9839492934755985");
    EXPECT_EQ(out[51], "");
    EXPECT_EQ(out[52], "measure,value,min,max");
    EXPECT_EQ(out[57], "count,50,50,50");
    // The mean moved with the dragged value: its range is as wide as the move over 50.
    const std::string meanRow = out[53];
    double value = 0, lo = 0, hi = 0;
    ASSERT_EQ(std::sscanf(meanRow.c_str(), "mean,%lf,%lf,%lf", &value, &lo, &hi), 3);
    EXPECT_EQ(value, hi);
    EXPECT_NEAR(hi - lo, (25.0 - 5.919381955368444) / 50.0, 1e-12);
}

TEST(Program, SameSeedSameSampleAndExitCodes) {
    const ProgramRun a = runProgram({"--seed", "7", "--count", "90", "--print-sample"});
    const ProgramRun b = runProgram({"--count", "90", "--seed", "7", "--print-sample"});
    ASSERT_EQ(a.exitCode, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(lines(a.out).size(), 91u);

    for (const QStringList& args : {QStringList{"--count", "40"}, QStringList{"--seed", "-1"},
                                    QStringList{"--seed", "abc"}, QStringList{"--drag", "0:5"},
                                    QStringList{"--drag", "3:26"}, QStringList{"--bogus"}}) {
        const ProgramRun r = runProgram(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(args.front().toStdString()), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: centrova"), std::string::npos);
    }

    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--print-measures"), std::string::npos);
}

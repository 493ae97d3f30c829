// The program itself started with the teacher's command line, for its output and exit codes.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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

// The start-up warm-up: the font configuration is read once the wait returns, the block can
// be given back at any moment, and once it was touched the next pictures find their pages
// there.

#include "platform/StartupWarmUp.h"

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define CENTROVA_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CENTROVA_OWN_ALLOCATOR 1
#endif
#endif

TEST(StartupWarmUp, ReadsTheFontsAndCanBeReleasedAtAnyMoment) {
    {
        TStartupWarmUp warmUp;
        warmUp.WaitForFonts();
        EXPECT_NE(FcConfigGetCurrent(), nullptr);
        warmUp.Release();
        EXPECT_LE(warmUp.TouchedBytes(), TStartupWarmUp::BlockBytes);
        warmUp.Release(); // twice is harmless
        warmUp.WaitForFonts(); // and so is a wait after it
    }
    {
        TStartupWarmUp leftToItsDestructor;
    }
}

// The sanitizer brings an allocator of its own, which this does not tune.
#if !defined(CENTROVA_OWN_ALLOCATOR)
namespace {

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

} // namespace

TEST(StartupWarmUp, APictureMadeAfterTheReleaseFindsItsPagesTouched) {
    TStartupWarmUp warmUp;
    warmUp.WaitForFonts();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (warmUp.TouchedBytes() < TStartupWarmUp::BlockBytes &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(warmUp.TouchedBytes(), TStartupWarmUp::BlockBytes);
    warmUp.Release();

    // A picture of 2 MiB: 512 pages of its own without the warm-up.
    constexpr std::size_t bytes = std::size_t{2} << 20;
    const long before = minorFaults();
    auto* picture = static_cast<char*>(std::malloc(bytes));
    ASSERT_NE(picture, nullptr);
    std::memset(picture, 0xff, bytes);
    const long faults = minorFaults() - before;
    std::free(picture);
    EXPECT_LT(faults, 64);
}
#endif

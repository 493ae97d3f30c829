#include "platform/StartupWarmUp.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

TStartupWarmUp::TStartupWarmUp() noexcept {
    // The block must come from the heap and go back to it: blocks of this size would otherwise
    // be mappings of their own, returned to the system when freed, and a freed top of the heap
    // larger than the default limit is returned too.
    constexpr int heapLimit = 32 << 20;
    if (mallopt(M_MMAP_THRESHOLD, heapLimit) == 1 && mallopt(M_TRIM_THRESHOLD, heapLimit) == 1) {
        block = static_cast<char*>(std::malloc(BlockBytes));
    }
    try {
        worker = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        fontsRead = true;
    }
}

TStartupWarmUp::~TStartupWarmUp() { Release(); }

void TStartupWarmUp::run() noexcept {
    // The library keeps the configuration for the process: Qt's font database finds it read.
    FcInit();
    fontsRead = true;
    fontsRead.notify_all();
    if (block == nullptr) {
        return;
    }
    const long page = sysconf(_SC_PAGESIZE);
    const std::size_t step = page > 0 ? static_cast<std::size_t>(page) : 4096;
    volatile char* const pages = block;
    for (std::size_t at = 0; at < BlockBytes && !stop.load(std::memory_order_relaxed); at += step) {
        pages[at] = 0;
        touched.store(std::min(at + step, BlockBytes), std::memory_order_relaxed);
    }
}

void TStartupWarmUp::WaitForFonts() noexcept { fontsRead.wait(false); }

void TStartupWarmUp::Release() noexcept {
    stop = true;
    if (worker.joinable()) {
        try {
            worker.join();
        } catch (const std::system_error&) {
            // Joining a thread that runs cannot fail; were it to, the block stays the thread's.
            worker.detach();
            block = nullptr;
        }
    }
    std::free(block);
    block = nullptr;
    fontsRead = true;
}

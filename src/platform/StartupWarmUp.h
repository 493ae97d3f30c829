#pragma once
// TStartupWarmUp does start-up's preparatory work on a second core while the first starts
// the application and builds the window. It reads the system's font configuration, which the
// window's first text would otherwise wait for (the files are parsed once per process). Then
// it touches a block of fresh memory, which the allocator gets back just before the window
// draws its first pictures: on a virtual machine the first touch of a page is the costly part
// of a new picture (about 12 µs a page on the machine the README's figures come from, where
// the first frame touches some thousand pages), and the pictures then find pages that are
// already there.

#include <atomic>
#include <cstddef>
#include <thread>

class TStartupWarmUp {
public:
    // The memory touched ahead: about what the first frame's pictures take at scale 1.
    static constexpr std::size_t BlockBytes = std::size_t{4} << 20;

    // Starts the work. Without a thread, or without the memory, that part is skipped: the
    // fonts are read on first use and the pictures touch their own pages, as they would.
    TStartupWarmUp() noexcept;
    ~TStartupWarmUp();
    TStartupWarmUp(const TStartupWarmUp&) = delete;
    TStartupWarmUp& operator=(const TStartupWarmUp&) = delete;

    // Returns once the font configuration is read. Call it before the first text is
    // measured: read from two threads at once, it would be read twice.
    void WaitForFonts() noexcept;
    // Stops touching, waits for the thread and gives the block back to the allocator. Call it
    // before the first pictures are made.
    void Release() noexcept;

    // Bytes of the block touched so far.
    std::size_t TouchedBytes() const { return touched.load(); }

private:
    void run() noexcept;

    std::thread worker;
    char* block = nullptr;
    std::atomic<bool> fontsRead{false};
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> touched{0};
};

#pragma once
// TFontWarmUp reads the system's font configuration on a second core while the application
// starts. The first text the window measures would otherwise wait several milliseconds for
// it: the configuration files are parsed and the font caches read once per process, and a
// bare application never reads them at all.

#include <thread>

class TFontWarmUp {
public:
    // Starts reading. When no thread can be started nothing is read ahead, and the fonts are
    // read on first use as before.
    TFontWarmUp() noexcept;
    // Waits for the reading to end.
    ~TFontWarmUp();
    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;

    // Returns once the configuration is read (at once when it was not read ahead). Call it
    // before the first text is measured: reading it twice at the same time reads it twice.
    void Wait() noexcept;

private:
    std::thread reader;
};

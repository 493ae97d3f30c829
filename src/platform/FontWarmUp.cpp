#include "platform/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

TFontWarmUp::TFontWarmUp() noexcept {
    try {
        // The library keeps the configuration for the process: Qt's font database finds it
        // read when it asks for it.
        reader = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: the fonts are read on first use.
    }
}

TFontWarmUp::~TFontWarmUp() { Wait(); }

void TFontWarmUp::Wait() noexcept {
    if (reader.joinable()) {
        try {
            reader.join();
        } catch (const std::system_error&) {
            reader.detach();
        }
    }
}

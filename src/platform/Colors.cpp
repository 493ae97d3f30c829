#include "platform/Colors.h"

#include <array>

namespace {
// The classic desktop scheme, by system colour index.
constexpr std::array<TColor, 25> systemColors{
    RGBColor(192, 192, 192), // 0 scroll bar
    RGBColor(0, 128, 128),   // 1 desktop
    RGBColor(0, 0, 128),     // 2 active caption
    RGBColor(128, 128, 128), // 3 inactive caption
    RGBColor(192, 192, 192), // 4 menu
    RGBColor(255, 255, 255), // 5 window
    RGBColor(0, 0, 0),       // 6 window frame
    RGBColor(0, 0, 0),       // 7 menu text
    RGBColor(0, 0, 0),       // 8 window text
    RGBColor(255, 255, 255), // 9 caption text
    RGBColor(192, 192, 192), // 10 active border
    RGBColor(192, 192, 192), // 11 inactive border
    RGBColor(128, 128, 128), // 12 application workspace
    RGBColor(0, 0, 128),     // 13 highlight
    RGBColor(255, 255, 255), // 14 highlight text
    RGBColor(192, 192, 192), // 15 button face
    RGBColor(128, 128, 128), // 16 button shadow
    RGBColor(128, 128, 128), // 17 grey text
    RGBColor(0, 0, 0),       // 18 button text
    RGBColor(192, 192, 192), // 19 inactive caption text
    RGBColor(255, 255, 255), // 20 button highlight
    RGBColor(0, 0, 0),       // 21 3-D dark shadow
    RGBColor(223, 223, 223), // 22 3-D light
    RGBColor(0, 0, 0),       // 23 info-tip text
    RGBColor(255, 255, 225), // 24 info-tip background
};
} // namespace

TColor ColorToRGB(TColor color) {
    if ((color & clSystemColor) != 0) {
        const TColor index = color & 0xFF;
        return index < systemColors.size() ? systemColors[index] : clBlack;
    }
    return color & 0x00FFFFFF;
}

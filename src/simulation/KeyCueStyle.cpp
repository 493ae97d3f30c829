#include "simulation/KeyCueStyle.h"

#include <utility>

TKeyCueStyle::TKeyCueStyle(std::function<bool()> shown) : cuesShown(std::move(shown)) {}

int TKeyCueStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_UnderlineShortcut && !(cuesShown && cuesShown()))
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

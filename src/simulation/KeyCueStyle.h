#pragma once
// The buttons' style: the application's own, except that access-key underlines show only
// once the keyboard has been used in the window. Until then a caption with "&" draws
// exactly as the same caption without it.

#include <QProxyStyle>

#include <functional>

class TKeyCueStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TKeyCueStyle(std::function<bool()> cuesShown);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    std::function<bool()> cuesShown;
};

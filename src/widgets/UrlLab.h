#pragma once
// TUrlLab, a text label that acts as a link: over it the mouse sees the text in the active
// font; a click opens the web address with the desktop's handler or starts the program it
// names, with parameters.

#include "platform/Loadable.h"
#include "platform/NotifyEvent.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

class TUrlLab : public QLabel, public ILoadable {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(QFont FontActive READ FontActive WRITE SetFontActive)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(QColor FontActiveColor READ FontActiveColor WRITE SetFontActiveColor)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(QString TaskParams READ TaskParams WRITE SetTaskParams)

public:
    explicit TUrlLab(QWidget* owner = nullptr);

    // The label's font as it is now becomes the one it returns to when the mouse leaves.
    void Loaded() override;

    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }
    QFont Font() const { return font(); }
    void SetFont(const QFont& value) { setFont(value); }
    QFont FontActive() const { return fontActive; }
    void SetFontActive(const QFont& value);
    QString URL() const { return url; }
    // Stored without blanks at either end.
    void SetURL(const QString& value);
    QString TaskParams() const { return taskParams; }
    void SetTaskParams(const QString& value);
    QFont NormalFont() const { return normalFont; }
    // A font here carries its colour: the text colour that goes with Font and with
    // FontActive. The normal colour is kept with the normal font when the layout is loaded.
    QColor FontColor() const;
    void SetFontColor(const QColor& value);
    QColor FontActiveColor() const { return fontActiveColor; }
    void SetFontActiveColor(const QColor& value);
    QColor NormalFontColor() const { return normalColor; }

    // Opens the address or starts the program, then fires OnClick. Throws EQRXURLLabError
    // (and then does not fire OnClick) for an address it cannot use.
    void Click();

    // Removes leading and trailing spaces (only spaces).
    static QString StripBlanks(const QString& value);

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::string errorPrefix() const;
    void showFont(const QFont& font, const QColor& colour);

    QString url;
    QString taskParams;
    QFont fontActive;
    QFont normalFont;
    QColor fontActiveColor;
    QColor normalColor;
};

#include "widgets/UrlLab.h"

#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "widgets/EQRXURLLabError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>

#include <string>

TUrlLab::TUrlLab(QWidget* owner)
    : QLabel(owner), fontActive(font()), normalFont(font()), fontActiveColor(FontColor()),
      normalColor(FontColor()) {
    // "&" shows as itself: plain text, no mnemonics.
    setTextFormat(Qt::PlainText);
}

void TUrlLab::Loaded() {
    normalFont = font();
    normalColor = FontColor();
}

QColor TUrlLab::FontColor() const { return palette().color(QPalette::WindowText); }

void TUrlLab::SetFontColor(const QColor& value) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, value);
    setPalette(p);
}

void TUrlLab::SetFontActiveColor(const QColor& value) {
    fontActiveColor = value;
    if (isVisible()) {
        update();
    }
}

void TUrlLab::showFont(const QFont& f, const QColor& colour) {
    setFont(f);
    SetFontColor(colour);
}

void TUrlLab::SetFontActive(const QFont& value) {
    fontActive = value;
    if (isVisible()) {
        update();
    }
}

QString TUrlLab::StripBlanks(const QString& value) {
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && value[start] == QLatin1Char(' ')) {
        ++start;
    }
    while (end > start && value[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return value.mid(start, end - start);
}

void TUrlLab::SetURL(const QString& value) {
    url = StripBlanks(value);
    if (isVisible()) {
        update();
    }
}

void TUrlLab::SetTaskParams(const QString& value) {
    taskParams = StripBlanks(value);
    if (isVisible()) {
        update();
    }
}

std::string TUrlLab::errorPrefix() const {
    return "Component \"" + objectName().toStdString() + "\": ";
}

void TUrlLab::Click() {
    if (!url.isEmpty()) {
        const QString lower = url.toLower();
        // Secure web addresses are web addresses too.
        if (lower.startsWith(QLatin1String("http://")) ||
            lower.startsWith(QLatin1String("https://"))) {
            const QCursor old = cursor();
            setCursor(Qt::BusyCursor);
            QCoreApplication::processEvents();
            Shell().OpenUrl(url);
            setCursor(old);
        } else {
            if (QFileInfo(url).suffix().toLower() != QLatin1String("exe")) {
                throw EQRXURLLabError(errorPrefix() + "URL of URLLab is invalid");
            }
            const int result = Shell().StartProgram(url, taskParams);
            if (result <= 32 && result != -1) {
                throw EQRXURLLabError(errorPrefix() + "Cannot start executable (errnum=" +
                                      std::to_string(result) + ")");
            }
        }
    }
    Fire(OnClick, this);
}

void TUrlLab::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Fire(OnMouseEnter, this);
    if (isEnabled()) {
        showFont(fontActive, fontActiveColor);
    }
}

void TUrlLab::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    Fire(OnMouseLeave, this);
    if (isEnabled()) {
        showFont(normalFont, normalColor);
    }
}

void TUrlLab::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        return;
    }
    // No exception may leave an event handler: an address the label cannot use is told to
    // the user here.
    try {
        Click();
    } catch (const EQRXURLLabError& e) {
        ShowMessage(this, QString::fromStdString(e.what()));
    }
}

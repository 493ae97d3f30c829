// The URL label: stored addresses, the font while the mouse is over it, and the click that
// opens a web address, starts a program or says why it cannot.

#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "widgets/EQRXURLLabError.h"
#include "widgets/UrlLab.h"
#include "widgets/DateTimeText.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QLocale>
#include <QTest>

#include <vector>

namespace {

struct RecordingShell : IShell {
    std::vector<QString> opened;
    std::vector<std::pair<QString, QString>> started;
    int result = 42;
    void OpenUrl(const QString& url) override { opened.push_back(url); }
    int StartProgram(const QString& program, const QString& parameters) override {
        started.emplace_back(program, parameters);
        return result;
    }
};

struct ShellGuard {
    RecordingShell shell;
    ShellGuard() { SetShell(&shell); }
    ~ShellGuard() { SetShell(nullptr); }
};

std::string clickError(TUrlLab& l) {
    try {
        l.Click();
    } catch (const EQRXURLLabError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(UrlLab, AddressesOpenProgramsStartOthersAreRefused) {
    ShellGuard g;
    TUrlLab l;
    l.setObjectName(QStringLiteral("UrlLabHomepage"));
    int clicks = 0;
    l.OnClick = [&](QObject*) { ++clicks; };

    l.SetURL(QStringLiteral("  HTTP://Example.org/a  "));
    EXPECT_EQ(l.URL(), QStringLiteral("HTTP://Example.org/a"));
    l.Click();
    l.SetURL(QStringLiteral("https://example.org/secure"));
    l.Click();
    ASSERT_EQ(g.shell.opened.size(), 2u);
    EXPECT_EQ(g.shell.opened[1], QStringLiteral("https://example.org/secure"));
    EXPECT_EQ(clicks, 2);

    l.SetURL(QStringLiteral("/opt/tools/VIEWER.EXE"));
    l.SetTaskParams(QStringLiteral("  -a b "));
    l.Click();
    ASSERT_EQ(g.shell.started.size(), 1u);
    EXPECT_EQ(g.shell.started[0].second, QStringLiteral("-a b"));
    EXPECT_EQ(clicks, 3);

    g.shell.result = 2;
    EXPECT_EQ(clickError(l), "Component \"UrlLabHomepage\": Cannot start executable (errnum=2)");
    g.shell.result = -1; // the one small result that means success
    EXPECT_EQ(clickError(l), "");
    EXPECT_EQ(clicks, 4);

    l.SetURL(QStringLiteral("ftp://example.org/file"));
    EXPECT_EQ(clickError(l), "Component \"UrlLabHomepage\": URL of URLLab is invalid");
    EXPECT_EQ(clicks, 4); // no OnClick after an error

    l.SetURL(QStringLiteral("    "));
    EXPECT_EQ(l.URL(), QString());
    l.Click();
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(g.shell.opened.size(), 2u);
}

TEST(UrlLab, MouseButtonReleaseReportsErrorsWithoutThrowing) {
    ShellGuard g;
    std::vector<QString> messages;
    SetMessageHandler([&](QWidget*, const QString& text) { messages.push_back(text); });
    TUrlLab l;
    l.setObjectName(QStringLiteral("UrlLabX"));
    l.SetCaption(QStringLiteral("Q & A"));
    EXPECT_EQ(l.text(), QStringLiteral("Q & A"));
    EXPECT_EQ(l.textFormat(), Qt::PlainText);
    l.resize(100, 20);
    l.SetURL(QStringLiteral("nothing.txt"));
    l.show();
    QTest::mouseClick(&l, Qt::LeftButton, {}, QPoint(5, 5));
    SetMessageHandler(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Component \"UrlLabX\": URL of URLLab is invalid"));
}

TEST(UrlLab, TheLoadedFontComesBackAndDisabledLabelsKeepTheirs) {
    TUrlLab l;
    QFont normal(QStringLiteral("Arial"));
    normal.setPixelSize(12);
    QFont active = normal;
    active.setUnderline(true);
    l.SetFont(normal);
    l.SetFontActive(active);
    l.Loaded();
    QFont later = normal;
    later.setPixelSize(20);
    l.SetFont(later); // after loading: not the font the label returns to
    int enters = 0, leaves = 0;
    l.OnMouseEnter = [&](QObject*) { ++enters; };
    l.OnMouseLeave = [&](QObject*) { ++leaves; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&l, &enter);
    EXPECT_TRUE(l.font().underline());
    QCoreApplication::sendEvent(&l, &leave);
    EXPECT_EQ(l.font(), normal);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);

    l.setEnabled(false);
    QCoreApplication::sendEvent(&l, &enter);
    EXPECT_EQ(l.font(), normal);
}

TEST(UrlLab, EachFontCarriesItsColour) {
    // The label's text takes the colour that belongs to the font it shows; the colour of
    // the normal font is the one it had when the layout was loaded.
    TUrlLab l;
    l.SetFontColor(Qt::blue);
    l.SetFontActiveColor(Qt::red);
    l.Loaded();
    l.SetFontColor(Qt::green); // after loading: not the colour the label returns to
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&l, &enter);
    EXPECT_EQ(l.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(l.FontColor(), QColor(Qt::red));
    QCoreApplication::sendEvent(&l, &leave);
    EXPECT_EQ(l.FontColor(), QColor(Qt::blue));
    EXPECT_EQ(l.property("FontActiveColor").value<QColor>(), QColor(Qt::red));

    // The label's own text pixels show the colour too.
    l.setText(QStringLiteral("MMMM"));
    l.resize(80, 20);
    QCoreApplication::sendEvent(&l, &enter);
    const QImage shown = l.grab().toImage();
    bool red = false;
    for (int y = 0; y < shown.height() && !red; ++y) {
        for (int x = 0; x < shown.width() && !red; ++x) {
            const QColor c = shown.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    }
    EXPECT_TRUE(red);

    l.setEnabled(false);
    QCoreApplication::sendEvent(&l, &leave);
    EXPECT_EQ(l.FontColor(), QColor(Qt::red)); // a disabled label keeps font and colour
}

TEST(DateTimeText, PatternLanguageAndRange) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // 45000 days after 30 December 1899 is 15 March 2023; .75 is 18:00.
    EXPECT_EQ(FormatDateTimeValue(45000.75, QStringLiteral("mmm-dd, yyyy")),
              QStringLiteral("Mar-15, 2023"));
    EXPECT_EQ(FormatDateTimeValue(45000.75, QStringLiteral("d/m/yy hh:mm:ss 'at' am/pm")),
              QStringLiteral("15/3/23 18:00:00 at pm"));
    EXPECT_EQ(FormatDateTimeValue(-1.25, QStringLiteral("yyyy-mm-dd hh:nn")),
              QStringLiteral("1899-12-28 18:00"));
    EXPECT_EQ(FormatDateTimeValue(-693593, QStringLiteral("yyyy-mm-dd")),
              QStringLiteral("0001-01-01")); // yyyy keeps four digits
    EXPECT_EQ(FormatDateTimeValue(3e6, QStringLiteral("yyyy")), std::nullopt);
    EXPECT_EQ(FormatDateTimeValue(NAN, QStringLiteral("yyyy")), std::nullopt);
}

#include "simulation/AboutBox.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Glyph.h"
#include "widgets/Panel.h"
#include "widgets/UrlLab.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QFont arial(int pixels, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QRect& at, Qt::Alignment align,
              const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    l->setAlignment(align);
    return l;
}

TUrlLab* link(QWidget* parent, const char* name, const QRect& at, const QString& caption,
              const QString& url) {
    auto* l = new TUrlLab(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    l->SetCaption(caption);
    l->SetURL(url);
    QFont normal(QStringLiteral("Courier New"));
    normal.setPixelSize(13);
    normal.setBold(true);
    QFont active = normal;
    active.setUnderline(true);
    l->SetFont(normal);
    l->SetFontColor(ToQColor(clBlue));
    l->SetFontActive(active);
    l->SetFontActiveColor(ToQColor(clRed));
    return l;
}

// A group framed by a lowered outer and a raised inner ring.
TPanel* framedPanel(QWidget* parent, const char* name, const QRect& at) {
    auto* p = new TPanel(parent);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(at);
    p->SetBevelOuter(bvLowered);
    p->SetBevelInner(bvRaised);
    return p;
}

void colour(QLabel* l, TColor c) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, ToQColor(c));
    l->setPalette(p);
}

} // namespace

TFrmAbout::TFrmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("TK_About"));
    setFixedSize(543, 332);
    setFont(arial(13));
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(clBtnFace));
    face.setColor(QPalette::WindowText, ToQColor(clBlack));
    setPalette(face);
    setWindowIcon(ImageIcon(QStringLiteral(":/images/centrova")));

    Panel1 = framedPanel(this, "Panel1", {8, 10, 529, 127});
    LblName = label(Panel1, "LblName", {8, 12, 513, 34}, Qt::AlignHCenter | Qt::AlignTop,
                    QStringLiteral("App. name"));
    LblName->setFont(arial(30, true, true));
    colour(LblName, clMaroon);
    LblVersion = label(Panel1, "LblVersion", {8, 50, 513, 16}, Qt::AlignHCenter | Qt::AlignTop,
                       QStringLiteral("App. version"));
    LblAuthor = label(Panel1, "LblAuthor", {8, 74, 513, 16}, Qt::AlignHCenter | Qt::AlignTop, {});
    LblCopyright = label(Panel1, "LblCopyright", {8, 100, 513, 16},
                         Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromUtf8("Copyright \u00a9 2026 the Centrova developers"));

    LblDescription = label(this, "LblDescription", {8, 152, 529, 65},
                           Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("LblDescription"));
    LblDescription->setWordWrap(true);
    colour(LblDescription, clMaroon);

    Panel2 = framedPanel(this, "Panel2", {8, 224, 529, 65});
    LblWebSite = label(Panel2, "LblWebSite", {8, 8, 135, 49}, Qt::AlignRight | Qt::AlignTop,
                       QStringLiteral("LblWebSite"));
    LblWebSite->setWordWrap(true);
    // What this program is built with, and where to read about it.
    UrlLabQRXSuite = link(Panel2, "UrlLabQRXSuite", {152, 8, 369, 16},
                          QStringLiteral("Qt 6: www.qt.io"),
                          QStringLiteral("https://www.qt.io/"));
    UrlLabSimulations = link(Panel2, "UrlLabSimulations", {152, 24, 369, 16},
                             QStringLiteral("C++: isocpp.org"),
                             QStringLiteral("https://isocpp.org/"));
    UrlLabHomepage = link(Panel2, "UrlLabHomepage", {152, 40, 369, 16},
                          QStringLiteral("TK_HomePage"), {});
    UrlLabHomepage->setVisible(false);

    BButOK = new QPushButton(ImageIcon(QStringLiteral(":/images/ok")), QStringLiteral("TK_OK"), this);
    BButOK->setObjectName(QStringLiteral("BButOK"));
    BButOK->setGeometry(424, 296, 113, 33);
    BButOK->setIconSize(QSize(21, 21));
    BButOK->setDefault(true);
    connect(BButOK, &QPushButton::clicked, this, [this] { BButOKClick(); });

    for (TUrlLab* l : {UrlLabQRXSuite, UrlLabSimulations, UrlLabHomepage})
        l->Loaded();
}

void TFrmAbout::showEvent(QShowEvent* event) {
    FormShow();
    centreOnScreen();
    QDialog::showEvent(event);
}

void TFrmAbout::centreOnScreen() {
    // The box stands in the middle of the screen the program is on, wherever the main
    // window is.
    QScreen* s = parentWidget() != nullptr ? parentWidget()->screen() : screen();
    if (s == nullptr) {
        return;
    }
    const QRect area = s->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

void TFrmAbout::FormShow() {
    const QString caption = UrlLabHomepage->Caption();
    if (caption != QLatin1String("HomePage") && !caption.isEmpty()) {
        UrlLabHomepage->setVisible(true);
        return;
    }
    UrlLabHomepage->setVisible(false);
    UrlLabQRXSuite->move(UrlLabQRXSuite->x(), 16);
    UrlLabSimulations->move(UrlLabSimulations->x(), 32);
}

void TFrmAbout::BButOKClick() {
    accept();
}

// The walk over a window: text properties beginning with "TK_" become their translations,
// axis settings and collections are visited, string lists from the last item to the first,
// owned components in ownership order; names and other objects are left alone.

#include "chart/ScaleProps.h"
#include "localization/Tolkar2000.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <sstream>

// Something like a chart: axis settings reached through a property, a collection of
// labels, a list of strings, a font, and a property that happens to be called Name.
class FakeChart : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(QString Name MEMBER name)
    Q_PROPERTY(TScaleProps* Scale1X READ Scale1X)
    Q_PROPERTY(QObjectList Labels READ Labels)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QObject* Other READ Other)

public:
    explicit FakeChart(QWidget* parent) : QWidget(parent), axis(new TScalePropsHoriz(this)) {
        other = new QObject(nullptr);
        other->setObjectName(QStringLiteral("other"));
        for (int i = 0; i < 2; ++i) {
            auto* l = new QLabel(QStringLiteral("TK_Label %1").arg(i));
            l->setObjectName(QStringLiteral("item%1").arg(i));
            items.append(l);
        }
    }
    ~FakeChart() override {
        qDeleteAll(items);
        delete other;
    }
    TScaleProps* Scale1X() const { return axis; }
    QObjectList Labels() const { return items; }
    QObject* Other() const { return other; }

    QString caption;
    QString name;
    QStringList lines;
    TScaleProps* axis;
    QObjectList items;
    QObject* other;
};

namespace {

void load(TTolkar2000& engine, const std::string& dictionary) {
    std::istringstream in(dictionary);
    engine.LoadFromStream(in);
}

} // namespace

TEST(TranslationWalk, TranslatesAWindowAndEverythingItOwns) {
    TTolkar2000 engine;
    load(engine, "[Exit]=Beenden|$$[Mean]=Mittelwert|$$[]=leer|$$[Window]=Fenster|$$");
    std::vector<QString> order;
    engine.OnTranslated = [&](TTolkar2000*, const QString& key, QString&) {
        order.push_back(key);
    };

    QWidget window;
    window.setWindowTitle(QStringLiteral("TK_Window"));
    auto* exit = new QPushButton(QStringLiteral("TK_Exit"), &window);
    exit->setObjectName(QStringLiteral("TK_Exit")); // a name is never translated
    auto* label = new QLabel(QStringLiteral("TK_More Data"), &window);
    auto* plain = new QLabel(QStringLiteral("tk_Exit"), &window); // the prefix is case-exact
    auto* chart = new FakeChart(&window);
    chart->caption = QStringLiteral("TK_");
    chart->name = QStringLiteral("TK_Exit");
    chart->lines = {QStringLiteral("TK_Exit"), QStringLiteral("keep"), QStringLiteral("TK_Mean")};
    chart->axis->SetCaption(QStringLiteral("TK_Mean"));

    engine.TranslateComponent(&window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fenster"));
    EXPECT_EQ(exit->text(), QStringLiteral("Beenden"));
    EXPECT_EQ(exit->objectName(), QStringLiteral("TK_Exit"));
    EXPECT_EQ(label->text(), QStringLiteral("More Data")); // a miss shows the key
    EXPECT_EQ(plain->text(), QStringLiteral("tk_Exit"));
    EXPECT_EQ(chart->caption, QStringLiteral("leer")); // "TK_" alone: the empty key
    EXPECT_EQ(chart->name, QStringLiteral("TK_Exit"));
    EXPECT_EQ(chart->axis->Caption(), QStringLiteral("Mittelwert"));
    EXPECT_EQ(chart->lines, (QStringList{QStringLiteral("Beenden"), QStringLiteral("keep"),
                                         QStringLiteral("Mittelwert")}));
    EXPECT_EQ(qobject_cast<QLabel*>(chart->items[1])->text(), QStringLiteral("Label 1"));

    // Ownership order: the window, then its children as created; the list's last item first.
    const std::vector<QString> expected{
        QStringLiteral("Window"), QStringLiteral("Exit"), QStringLiteral(""),
        QStringLiteral("Mean"),   QStringLiteral("Mean"), QStringLiteral("Exit")};
    EXPECT_EQ(order, expected);

    // A second walk finds no keys left.
    order.clear();
    engine.TranslateComponent(&window);
    EXPECT_TRUE(order.empty());
}

TEST(TranslationWalk, AnObjectCanRefuseAndEnginesShareNothing) {
    TTolkar2000 engine;
    load(engine, "[Exit]=Ende|$$");
    QWidget window;
    auto* a = new QPushButton(QStringLiteral("TK_Exit"), &window);
    auto* b = new QPushButton(QStringLiteral("TK_Exit"), &window);
    engine.OnBeforeTranslateObject = [b](TTolkar2000*, QObject* obj, bool& allow) {
        allow = obj != b;
    };
    engine.TranslateComponent(&window);
    EXPECT_EQ(a->text(), QStringLiteral("Ende"));
    EXPECT_EQ(b->text(), QStringLiteral("TK_Exit"));
    EXPECT_EQ(engine.Translate(QStringLiteral("<%1%> und <%2%>"),
                               {QStringLiteral("eins"), QStringLiteral("zwei")}),
              QStringLiteral("eins und zwei"));
    engine.TranslateObject(nullptr);
    engine.TranslateComponent(nullptr);
}

TEST(TranslationWalk, ShutdownWritesTheMissedKeysOrSaysWhyNot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QString written;
    {
        TTolkar2000 engine;
        load(engine, "[Mean]=Mittelwert|$$");
        engine.SetAutoCreateItlFile(true);
        engine.Translate(QStringLiteral("Exit"));
        written = engine.ItlFilePath();
    }
    EXPECT_TRUE(written.endsWith(QStringLiteral("/test_localization.itl")));
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Exit]=Exit|$$\r\n[mean]=Mittelwert|$$\r\n"));

    // A working directory that has gone: one line on stderr, no exception, no crash.
    QDir(dir.path()).mkdir(QStringLiteral("gone"));
    QDir::setCurrent(dir.filePath(QStringLiteral("gone")));
    QDir(dir.path()).rmdir(QStringLiteral("gone"));
    testing::internal::CaptureStderr();
    {
        TTolkar2000 engine;
        engine.SetAutoCreateItlFile(true);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    QDir::setCurrent(old);
    EXPECT_NE(err.find("cannot write the dictionary of missed keys"), std::string::npos);
}

#include "test_translation_walk.moc"

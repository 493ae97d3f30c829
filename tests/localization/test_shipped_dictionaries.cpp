// Every shipped dictionary answers every key the program asks for. The keys are not listed
// here: the lesson is run (start, "More Data", a keyboard choice, a pick and a move, the About
// box, the screen-reader texts and the tooltips) and the program itself tells which keys it
// asked for, in two ways:
// - the engine's list of missed keys, switched on once the window stands, records every key
//   asked from then on (the help texts, the language code, the screen-reader texts);
// - the captions the layout walk translates while the window is built are found by running
//   the lesson twice: first without a dictionary, where every translated text shows its key,
//   then with a dictionary that maps each text seen to a marked copy of itself; a text that
//   comes back marked was asked for as a key.
// The same runs show that each language's help texts fit the help pane and that the About
// box speaks German only for the German dictionary.

#include "chart/RChart.h"
#include "hostlink/KdbDemonClient.h"
#include "localization/Cp1252.h"
#include "localization/ItlDictionary.h"
#include "simulation/AboutBox.h"
#include "simulation/LessonSpeech.h"
#include "simulation/Measloc.h"
#include "simulation/MeasureInfo.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using TKeySet = std::set<QString>;

QStringList shippedDictionaries() {
    const QDir data(QStringLiteral(CENTROVA_DATA_DIR));
    QStringList files;
    for (const QString& name : data.entryList({QStringLiteral("centrova_*.itl")}, QDir::Files))
        files << data.filePath(name);
    return files;
}

TItlDictionary load(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    TItlDictionary d;
    d.LoadFromStream(in);
    return d;
}

// The keys of `keys` that the dictionary file lacks (found as the engine finds them: in any
// letter case), one per line.
std::string missingKeys(const QString& dictionaryPath, const TKeySet& keys) {
    const TItlDictionary d = load(dictionaryPath);
    QStringList missing;
    for (const QString& key : keys) {
        const std::string folded = TItlDictionary::LowerCase(ToCp1252(key));
        if (std::find(d.KeyList().begin(), d.KeyList().end(), folded) == d.KeyList().end())
            missing << key;
    }
    return missing.join(QLatin1Char('\n')).toStdString();
}

// The dictionary the program finds first: the one beside its executable. Removed again when
// the run is over.
class DictionaryBesideProgram {
public:
    explicit DictionaryBesideProgram(const QByteArray& contents) {
        QFile::remove(path);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(contents);
    }
    ~DictionaryBesideProgram() { QFile::remove(path); }
    DictionaryBesideProgram(const DictionaryBesideProgram&) = delete;
    DictionaryBesideProgram& operator=(const DictionaryBesideProgram&) = delete;

private:
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/')
                         + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                         + QStringLiteral(".itl");
};

QByteArray fileContents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every text a user or a screen reader can meet: the string properties of every object, and
// the names, values and descriptions of the accessibility tree (bounded in depth).
void collectAccessible(QAccessibleInterface* item, int depth, QStringList& out) {
    if (item == nullptr || !item->isValid() || depth > 8)
        return;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value,
                                QAccessible::Help})
        out << item->text(t);
    const int n = std::min(item->childCount(), 200);
    for (int i = 0; i < n; ++i)
        collectAccessible(item->child(i), depth + 1, out);
}

void collectTexts(QObject* root, QStringList& out) {
    QList<QObject*> objects = root->findChildren<QObject*>();
    objects.prepend(root);
    for (QObject* obj : objects) {
        const QMetaObject* mo = obj->metaObject();
        for (int i = 0; i < mo->propertyCount(); ++i) {
            const QMetaProperty p = mo->property(i);
            if (!p.isReadable())
                continue;
            if (p.metaType() == QMetaType::fromType<QString>())
                out << p.read(obj).toString();
            else if (p.metaType() == QMetaType::fromType<QStringList>())
                out << p.read(obj).toStringList();
        }
    }
    collectAccessible(QAccessible::queryAccessibleInterface(root), 0, out);
}

// The tooltips of the strip chart, hovered from top to bottom.
void collectToolTips(TRChart* chart, QStringList& out) {
    for (int y = 2; y < chart->height(); y += 6) {
        const QPoint at(chart->width() / 2, y);
        QHelpEvent help(QEvent::ToolTip, at, chart->mapToGlobal(at));
        QCoreApplication::sendEvent(chart->childAt(at) ? chart->childAt(at) : chart, &help);
        if (QToolTip::isVisible())
            out << QToolTip::text();
    }
    QToolTip::hideText();
}

struct LessonRun {
    QStringList texts;        // everything shown or told, in every state visited
    TKeySet asked;            // the keys asked for once the window stood (the missed-key list)
    bool helpFits[2] = {false, false};
    QString description;      // the About box's description
};

bool helpFits(const QTextEdit* pane) {
    return pane->verticalScrollBar()->maximum() == 0 && pane->horizontalScrollBar()->maximum() == 0;
}

// The lesson with the dictionary beside the program: start, a keyboard choice, a pick and a
// move, putting down, "More Data" to the end, and the About box.
LessonRun runLesson(const QByteArray& dictionary) {
    DictionaryBesideProgram beside(dictionary);
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    LessonRun run;
    TFrmMeasLoc window(QStringList{QCoreApplication::applicationFilePath()});
    window.SetAboutBox(new TFrmAbout(&window));
    if (!window.clidemon)
        return run;
    // From here on every key asked that the dictionary lacks is listed; a dictionary that
    // has it answers without listing, so the empty dictionary lists them all.
    window.clidemon->SetAutoCreateItlFile(true);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.MemoHelp->ensurePolished();
    run.helpFits[0] = helpFits(window.MemoHelp);
    collectTexts(&window, run.texts);

    window.SBNextClick();
    window.RChart1->setFocus();
    QTest::keyClick(window.RChart1, Qt::Key_Right);
    collectTexts(&window, run.texts);
    window.PickValue(window.Model().SampleData(1));
    window.MovePickedTo(20.5);
    run.helpFits[1] = helpFits(window.MemoHelp);
    collectTexts(&window, run.texts);
    collectToolTips(window.RChart2, run.texts);
    window.PutDown();
    for (int i = 0; i < 3; ++i)
        window.SBAddDataClick();
    collectTexts(&window, run.texts);

    TFrmAbout* about = window.AboutBox();
    about->show();
    collectTexts(about, run.texts);
    run.description = about->LblDescription->text();
    about->hide();

    for (const std::string& line : window.clidemon->Engine().Dictionary().NewEntryList()) {
        const QString entry = FromCp1252(line);
        run.asked.insert(entry.mid(1, entry.indexOf(QStringLiteral("]=")) - 1));
    }
    // Nothing is written at shutdown.
    window.clidemon->SetAutoCreateItlFile(false);
    return run;
}

const QString MarkOpen = QStringLiteral("@{");
const QString MarkClose = QStringLiteral("}@");

// Every key the program asks for with the given set of shipped dictionaries in view.
TKeySet keysTheProgramAsks() {
    const QByteArray empty = "An empty dictionary: every key asked shows itself.\r\n";
    const LessonRun plain = runLesson(empty);
    TKeySet keys = plain.asked;

    // The candidates: every text seen without a dictionary that could be a key.
    TKeySet candidates;
    for (const QString& text : plain.texts) {
        if (!text.trimmed().isEmpty() && !text.contains(QLatin1Char('[')) && !text.contains(QLatin1Char(']'))
            && !text.contains(QLatin1Char('|')) && !text.contains(QLatin1Char('\n'))
            && !text.contains(QLatin1Char('\r')) && text.size() < 200)
            candidates.insert(text);
    }
    std::string marked = "Each text seen maps to a marked copy of itself.\r\n";
    for (const QString& c : candidates)
        marked += ToCp1252(QLatin1Char('[') + c + QStringLiteral("]=") + MarkOpen + c + MarkClose)
                  + TItlDictionary::Terminator + "\r\n";
    const LessonRun marking = runLesson(QByteArray::fromStdString(marked));
    static const QRegularExpression mark(QStringLiteral("@\\{(.*?)\\}@"));
    for (const QString& text : marking.texts) {
        for (const QRegularExpressionMatch& m : mark.globalMatch(text))
            keys.insert(m.captured(1));
    }
    return keys;
}

const TKeySet& askedKeys() {
    static const TKeySet keys = keysTheProgramAsks();
    return keys;
}

} // namespace

TEST(ShippedDictionaries, TheProgramIsSeenAskingForItsKeys) {
    const TKeySet& keys = askedKeys();
    // Keys of every kind the program asks: layout captions of the window and of the About
    // box, the help texts, the About box's address and the language code.
    for (const char* key : {"Measures of Location", "Exit", "Reset", "More Data", "Next", "About",
                            "Mode", "Mean", "Median", "Trimmed Mean", "OK", "HomePage",
                            "MMText1", "MMText2", "HomePageURL", "$dlglanguage$"})
        EXPECT_EQ(keys.count(QString::fromLatin1(key)), 1u) << key;
    // The labels' tooltips: each measure's definition, and the ordinals of the ranks in them
    // (3rd, 15th, 27th at 30 values; 81st at 90).
    for (const TMeasureInfo& measure : MeasureTable)
        EXPECT_EQ(keys.count(QString::fromLatin1(measure.DefinitionKey)), 1u) << measure.CsvName;
    for (const char* key : {"<%1%>st", "<%1%>rd", "<%1%>th"})
        EXPECT_EQ(keys.count(QString::fromLatin1(key)), 1u) << key;
    // Nothing that is no key: no value, no program name.
    EXPECT_EQ(keys.count(QStringLiteral("Centrova")), 0u);
    EXPECT_EQ(keys.count(QStringLiteral("8.50")), 0u);
}

TEST(ShippedDictionaries, EachHasEveryKeyTheProgramAsksFor) {
    const QStringList files = shippedDictionaries();
    ASSERT_GE(files.size(), 4) << "en, de, fr and es are shipped";
    // With every ordinal form too: the lesson's sizes never ask for a 2nd, other sizes would.
    TKeySet keys = askedKeys();
    for (const char* key : TLessonSpeech::OrdinalKeys)
        keys.insert(QString::fromLatin1(key));
    for (const QString& file : files)
        EXPECT_EQ(missingKeys(file, keys), "") << file.toStdString();
}

TEST(ShippedDictionaries, AKeyMissingFromOneIsFound) {
    // The check itself: drop one asked key from a copy of the English dictionary.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("centrova_xx.itl"));
    const QString english = QStringLiteral(CENTROVA_DATA_DIR "/centrova_en.itl");
    QByteArray contents;
    QFile in(english);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    int dropped = 0;
    for (const QByteArray& line : in.readAll().split('\n')) {
        if (line.startsWith("[MMText2]=")) {
            ++dropped;
            continue;
        }
        contents += line + '\n';
    }
    ASSERT_EQ(dropped, 1);
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(contents);
    out.close();
    const std::string before = missingKeys(english, askedKeys());
    EXPECT_EQ(missingKeys(path, askedKeys()), before.empty() ? "MMText2" : "MMText2\n" + before);
}

TEST(ShippedDictionaries, EachLanguageFitsTheWindowAndTheAboutBoxFollowsGermanOrEnglish) {
    // The check itself: six lines are too many for the help pane.
    const LessonRun tooLong = runLesson("[MMText1]=1\\n2\\n3\\n4\\n5\\n6|$$\r\n"
                                        "[MMText2]=1\\n2\\n3\\n4\\n5|$$\r\n");
    EXPECT_FALSE(tooLong.helpFits[0]);
    EXPECT_FALSE(tooLong.helpFits[1]);
    const LessonRun keysOnly = runLesson("No entries: the help pane shows the keys.\r\n");
    EXPECT_TRUE(keysOnly.helpFits[0]);
    EXPECT_TRUE(keysOnly.helpFits[1]);

    for (const QString& file : shippedDictionaries()) {
        SCOPED_TRACE(file.toStdString());
        const LessonRun run = runLesson(fileContents(file));
        EXPECT_TRUE(run.helpFits[0]) << "MMText1 does not fit the help pane";
        EXPECT_TRUE(run.helpFits[1]) << "MMText2 does not fit the help pane";
        const bool german = load(file).Translate("$dlglanguage$") == "lggerman";
        EXPECT_TRUE(run.description.startsWith(german ? QStringLiteral("Dieses Programm zeigt")
                                                      : QStringLiteral("This program shows")))
            << run.description.toStdString();
    }
}

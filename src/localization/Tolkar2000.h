#pragma once
// TTolkar2000, the translation engine: it holds the dictionary, answers single keys, and
// walks the published properties of a window and every component it owns, replacing each
// text that begins with "TK_" by the translation of the rest.

#include "localization/ItlDictionary.h"

#include <QMetaProperty>
#include <QString>
#include <QStringList>

#include <functional>
#include <iosfwd>
#include <unordered_map>
#include <vector>

class QMetaObject;
class QObject;

class TTolkar2000 {
public:
    using TTranslatedEvent =
        std::function<void(TTolkar2000* sender, const QString& key, QString& text)>;
    using TBeforeTranslateObjectEvent =
        std::function<void(TTolkar2000* sender, QObject* obj, bool& allow)>;

    // appName replaces "<%APPNAME%>" in the dictionary's texts.
    explicit TTolkar2000(const QString& appName = {});
    // Writes the dictionary of missed keys when AutoCreateItlFile is set. A file that cannot
    // be written is reported on standard error; the shutdown goes on.
    ~TTolkar2000();
    TTolkar2000(const TTolkar2000&) = delete;
    TTolkar2000& operator=(const TTolkar2000&) = delete;

    void LoadFromStream(std::istream& stream);
    // Loads a dictionary file; false, with the dictionary left empty, when it cannot be read.
    bool LoadFromFile(const QString& path);

    QString Translate(const QString& key, const QStringList& args = {});
    void TranslateObject(QObject* obj);
    void TranslateComponent(QObject* component);

    bool AutoCreateItlFile() const { return dictionary.AutoCreateItlFile; }
    void SetAutoCreateItlFile(bool value) { dictionary.AutoCreateItlFile = value; }
    QString KeyPrefix() const { return QString::fromLatin1(TItlDictionary::KeyPrefix); }

    // Where the shutdown file goes: the program's dictionary name in the working directory.
    QString ItlFilePath() const;

    TItlDictionary& Dictionary() { return dictionary; }
    const TItlDictionary& Dictionary() const { return dictionary; }

    TTranslatedEvent OnTranslated;
    TBeforeTranslateObjectEvent OnBeforeTranslateObject;

private:
    // A published property that can hold texts to translate, and what it holds.
    struct TTextProperty {
        enum TKind { Text, TextList, ObjectList, Object };
        QMetaProperty Property;
        TKind Kind;
    };
    QString translateValue(const QString& value);
    // The text properties of a class, in the walk's order; each class's list is looked up
    // once, since a window's walk meets each class many times.
    const std::vector<TTextProperty>& textProperties(const QMetaObject* mo);

    TItlDictionary dictionary;
    QString executablePath;
    std::unordered_map<const QMetaObject*, std::vector<TTextProperty>> classes;
};

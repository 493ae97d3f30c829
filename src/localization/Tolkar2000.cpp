#include "localization/Tolkar2000.h"

#include "localization/Cp1252.h"
#include "platform/Translatable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QObject>
#include <QVariant>

#include <cstdio>
#include <fstream>

namespace {
bool isObjectList(const QMetaType& type) { return type == QMetaType::fromType<QObjectList>(); }
} // namespace

TTolkar2000::TTolkar2000(const QString& appName)
    : dictionary(ToCp1252(appName)),
      executablePath(QCoreApplication::instance() != nullptr
                         ? QCoreApplication::applicationFilePath()
                         : QStringLiteral("centrova")) {
    dictionary.OnTranslated = [this](const std::string& key, std::string& text) {
        if (OnTranslated) {
            QString t = FromCp1252(text);
            OnTranslated(this, FromCp1252(key), t);
            text = ToCp1252(t);
        }
    };
}

TTolkar2000::~TTolkar2000() {
    if (!dictionary.AutoCreateItlFile) {
        return;
    }
    try {
        const QString path = ItlFilePath();
        if (!dictionary.WriteItlFile(QFile::encodeName(path).toStdString())) {
            std::fprintf(stderr, "centrova: cannot write the dictionary of missed keys to %s\n",
                         QFile::encodeName(path).constData());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "centrova: cannot write the dictionary of missed keys: %s\n",
                     e.what());
    } catch (...) {
        std::fprintf(stderr, "centrova: cannot write the dictionary of missed keys\n");
    }
}

QString TTolkar2000::ItlFilePath() const {
    return QDir::current().filePath(
        QFile::decodeName(TItlDictionary::ItlFileName(QFile::encodeName(executablePath).toStdString())
                              .c_str()));
}

void TTolkar2000::LoadFromStream(std::istream& stream) { dictionary.LoadFromStream(stream); }

bool TTolkar2000::LoadFromFile(const QString& path) {
    std::ifstream file(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!file) {
        return false;
    }
    dictionary.LoadFromStream(file);
    return true;
}

QString TTolkar2000::Translate(const QString& key, const QStringList& args) {
    std::vector<std::string> bytes;
    bytes.reserve(static_cast<std::size_t>(args.size()));
    for (const QString& a : args) {
        bytes.push_back(ToCp1252(a));
    }
    return FromCp1252(dictionary.Translate(ToCp1252(key), bytes));
}

QString TTolkar2000::translateValue(const QString& value) {
    return Translate(value.mid(KeyPrefix().size()));
}

const std::vector<TTolkar2000::TTextProperty>& TTolkar2000::textProperties(const QMetaObject* mo) {
    const auto known = classes.find(mo);
    if (known != classes.end()) {
        return known->second;
    }
    std::vector<TTextProperty> found;
    // Qt numbers properties inherited first, then in declaration order.
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        const QByteArrayView name(p.name());
        if (name == "objectName" || name == "Name" || !p.isReadable()) {
            continue;
        }
        const QMetaType type = p.metaType();
        if (type == QMetaType::fromType<QString>()) {
            found.push_back({p, TTextProperty::Text});
        } else if (type == QMetaType::fromType<QStringList>()) {
            found.push_back({p, TTextProperty::TextList});
        } else if (isObjectList(type)) {
            found.push_back({p, TTextProperty::ObjectList});
        } else if (type.flags().testFlag(QMetaType::PointerToQObject)) {
            found.push_back({p, TTextProperty::Object});
        }
    }
    return classes.emplace(mo, std::move(found)).first->second;
}

void TTolkar2000::TranslateObject(QObject* obj) {
    if (obj == nullptr) {
        return;
    }
    bool allow = true;
    if (OnBeforeTranslateObject) {
        OnBeforeTranslateObject(this, obj, allow);
    }
    if (!allow) {
        return;
    }
    const QString prefix = KeyPrefix();
    // The table's lists stay in place while a nested walk adds classes to it.
    for (const TTextProperty& t : textProperties(obj->metaObject())) {
        const QMetaProperty& p = t.Property;
        switch (t.Kind) {
        case TTextProperty::Text: {
            const QString value = p.read(obj).toString();
            if (p.isWritable() && value.startsWith(prefix, Qt::CaseSensitive)) {
                p.write(obj, translateValue(value));
            }
            break;
        }
        case TTextProperty::TextList: {
            QStringList items = p.read(obj).toStringList();
            bool changed = false;
            for (qsizetype k = items.size() - 1; k >= 0; --k) {
                if (items[k].startsWith(prefix, Qt::CaseSensitive)) {
                    items[k] = translateValue(items[k]);
                    changed = true;
                }
            }
            if (changed && p.isWritable()) {
                p.write(obj, items);
            }
            break;
        }
        case TTextProperty::ObjectList:
            // A collection: its items one by one, in order.
            for (QObject* item : p.read(obj).value<QObjectList>()) {
                TranslateObject(item);
            }
            break;
        case TTextProperty::Object: {
            // Objects marked translatable (axis settings) may hold caption keys; fonts, pens
            // and controls reached through properties are not visited.
            QObject* target = p.read(obj).value<QObject*>();
            if (dynamic_cast<ITranslatable*>(target) != nullptr) {
                TranslateObject(target);
            }
            break;
        }
        }
    }
}

void TTolkar2000::TranslateComponent(QObject* component) {
    if (component == nullptr) {
        return;
    }
    TranslateObject(component);
    // Children can change while their captions are set (a widget may create helpers), so
    // walk a copy of the list taken now.
    const QObjectList owned = component->children();
    for (QObject* child : owned) {
        TranslateComponent(child);
    }
}

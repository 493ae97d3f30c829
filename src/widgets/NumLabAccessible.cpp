#include "widgets/NumLabAccessible.h"

#include "widgets/NumLab.h"

#include <algorithm>

namespace {
QAccessibleInterface* numLabFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TNumLab") && object && object->isWidgetType())
        if (auto* label = qobject_cast<TNumLab*>(object))
            return new TNumLabAccessible(label);
    return nullptr;
}
} // namespace

TNumLabAccessible::TNumLabAccessible(TNumLab* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

void TNumLabAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(numLabFactory);
        return true;
    }();
    (void)installed;
}

TNumLab* TNumLabAccessible::label() const { return static_cast<TNumLab*>(widget()); }

QString TNumLabAccessible::shown() const { return label()->DisplayText(); }

QString TNumLabAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name: {
        const QString own = label()->accessibleName();
        return own.isEmpty() ? label()->LeftText() : own;
    }
    case QAccessible::Value:
        return shown();
    default:
        return QAccessibleWidget::text(t);
    }
}

void* TNumLabAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant TNumLabAccessible::currentValue() const { return label()->Value(); }
void TNumLabAccessible::setCurrentValue(const QVariant& value) { (void)value; }
QVariant TNumLabAccessible::maximumValue() const { return label()->Value(); }
QVariant TNumLabAccessible::minimumValue() const { return label()->Value(); }
QVariant TNumLabAccessible::minimumStepSize() const { return 0.0; }

void TNumLabAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    (void)selectionIndex;
    *startOffset = 0;
    *endOffset = 0;
}
int TNumLabAccessible::selectionCount() const { return 0; }
void TNumLabAccessible::addSelection(int startOffset, int endOffset) {
    (void)startOffset;
    (void)endOffset;
}
void TNumLabAccessible::removeSelection(int selectionIndex) { (void)selectionIndex; }
void TNumLabAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    (void)selectionIndex;
    (void)startOffset;
    (void)endOffset;
}
int TNumLabAccessible::cursorPosition() const { return 0; }
void TNumLabAccessible::setCursorPosition(int position) { (void)position; }

QString TNumLabAccessible::text(int startOffset, int endOffset) const {
    const QString all = shown();
    const int n = static_cast<int>(all.size());
    const int from = std::clamp(startOffset, 0, n);
    const int to = endOffset < 0 ? n : std::clamp(endOffset, from, n);
    return all.mid(from, to - from);
}

int TNumLabAccessible::characterCount() const { return static_cast<int>(shown().size()); }
QRect TNumLabAccessible::characterRect(int offset) const {
    (void)offset;
    return {};
}
int TNumLabAccessible::offsetAtPoint(const QPoint& point) const {
    (void)point;
    return -1;
}
void TNumLabAccessible::scrollToSubstring(int startIndex, int endIndex) {
    (void)startIndex;
    (void)endIndex;
}
QString TNumLabAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

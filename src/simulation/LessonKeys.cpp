#include "simulation/LessonKeys.h"

#include "chart/RChart.h"
#include "platform/Colors.h"
#include "simulation/FocusFrame.h"
#include "simulation/KeyCueStyle.h"
#include "simulation/Measloc.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

TLessonKeys::TLessonKeys(TFrmMeasLoc& window) : QObject(&window), w(window) {
    setObjectName(QStringLiteral("LessonKeys"));
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &w);
    connect(quit, &QShortcut::activated, this, [this] { w.SBExitClick(); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &w);
    connect(help, &QShortcut::activated, this, [this] { w.SBAboutClick(); });

    // Access keys come from the "&" in the buttons' captions; their underlines wait for the
    // keyboard, like the other cues.
    cueStyle = new TKeyCueStyle([this] { return cuesShown; });
    cueStyle->setParent(this);
    for (QToolButton* b : {w.SBExit, w.SBReset, w.SBAddData, w.SBNext, w.SBAbout})
        b->setStyle(cueStyle);

    frame = new TFocusFrame(w.RChart1);
    frame->hide();
    w.RChart1->installEventFilter(this);
}

TLessonKeys::~TLessonKeys() {
    for (QToolButton* b : {w.SBExit, w.SBReset, w.SBAddData, w.SBNext, w.SBAbout})
        b->setStyle(nullptr);
}

std::vector<std::int32_t> TLessonKeys::ValueOrder() const {
    const TSampleModel& m = w.Model();
    std::vector<std::int32_t> order;
    order.reserve(static_cast<std::size_t>(std::max(0, m.SampleCount())));
    for (std::int32_t p = 1; p <= m.SampleCount(); ++p)
        order.push_back(p);
    std::stable_sort(order.begin(), order.end(), [&m](std::int32_t a, std::int32_t b) {
        return m.SampleData(a) < m.SampleData(b);
    });
    return order;
}

std::int32_t TLessonKeys::ChosenSample() const {
    const std::int32_t n = w.Model().SampleCount();
    if (choice >= 1 && choice <= n)
        return choice;
    const std::vector<std::int32_t> order = ValueOrder();
    return order.empty() ? 0 : order.at((order.size() - 1) / 2);
}

void TLessonKeys::ShowCues() {
    if (cuesShown)
        return;
    cuesShown = true;
    for (QToolButton* b : {w.SBExit, w.SBReset, w.SBAddData, w.SBNext, w.SBAbout})
        b->update();
    updateFrame();
    if (w.LessonStep() == 1)
        w.UpdateCharts();
}

void TLessonKeys::AddChoiceMarker() {
    if (!cuesShown || w.LessonStep() != 1)
        return;
    const std::int32_t p = ChosenSample();
    if (p < 1)
        return;
    const double v = w.Model().SampleData(p);
    TRChart* c = w.RChart1;
    c->SetFillColor(clGreen);
    c->SetDataColor(clGreen);
    c->AddRectangle(v - 0.1, -2.75, v + 0.1, -3.35);
}

void TLessonKeys::updateFrame() {
    frame->setGeometry(w.RChart1->rect());
    frame->setVisible(cuesShown && w.RChart1->hasFocus());
}

bool TLessonKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != w.RChart1)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        ShowCues();
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        ShowCues();
        if (keyPress(key->key(), key->modifiers().testFlag(Qt::ShiftModifier)))
            return true;
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Resize:
        updateFrame();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool TLessonKeys::keyPress(int key, bool shift) {
    const bool put = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool move =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
    if (w.LessonStep() == 1) {
        if (move) {
            moveChoice(key);
            return true;
        }
        if (put) {
            const std::int32_t p = ChosenSample();
            if (p >= 1)
                w.PickValue(w.Model().SampleData(p));
            return true;
        }
    } else if (w.LessonStep() == 2) {
        const TSampleModel& m = w.Model();
        const double now = m.SampleData(m.SelectedSample());
        const double step = shift ? LargeStep : SmallStep;
        switch (key) {
        case Qt::Key_Left:
            movePicked(now - step);
            return true;
        case Qt::Key_Right:
            movePicked(now + step);
            return true;
        case Qt::Key_Home:
            movePicked(0.0);
            return true;
        case Qt::Key_End:
            movePicked(25.0);
            return true;
        case Qt::Key_Escape:
            w.PutDown();
            return true;
        default:
            if (put) {
                w.PutDown();
                return true;
            }
        }
    }
    return false; // step 0, and keys of no meaning here
}

void TLessonKeys::moveChoice(int key) {
    const std::vector<std::int32_t> order = ValueOrder();
    if (order.empty())
        return;
    const auto at = std::find(order.begin(), order.end(), ChosenSample());
    std::size_t rank = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin());
    if (key == Qt::Key_Left && rank > 0)
        --rank;
    else if (key == Qt::Key_Right && rank + 1 < order.size())
        ++rank;
    else if (key == Qt::Key_Home)
        rank = 0;
    else if (key == Qt::Key_End)
        rank = order.size() - 1;
    choice = order.at(rank);
    w.UpdateCharts();
}

void TLessonKeys::movePicked(double x) {
    // The pointer cannot leave the histogram's range either.
    w.MovePickedTo(std::clamp(x, 0.0, 25.0));
}

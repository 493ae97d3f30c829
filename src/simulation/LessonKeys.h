#pragma once
// The lesson from the keyboard: the histogram's keys (choose a mark, pick it, move the picked
// value, put it down), Ctrl+Q and F1, and the keyboard cues (access-key underlines, the
// histogram's focus frame and the chosen mark) that appear once the keyboard is used, so
// that a window worked with the mouse looks exactly as it always did.

#include <QObject>

#include <cstdint>
#include <vector>

class QProxyStyle;
class TFocusFrame;
class TFrmMeasLoc;

class TLessonKeys : public QObject {
    Q_OBJECT
public:
    // Steps of the picked value: a key press, and with Shift.
    static constexpr double SmallStep = 0.1;
    static constexpr double LargeStep = 1.0;

    explicit TLessonKeys(TFrmMeasLoc& window);
    // The window deletes this while its buttons still exist; they get their style back.
    ~TLessonKeys() override;

    // The keyboard choice: a position of the sample, or 0 before the first key. It starts at
    // the middle mark in value order.
    std::int32_t ChosenSample() const;
    void Choose(std::int32_t position) { choice = position; }
    void ForgetChoice() { choice = 0; }

    // Whether the keyboard has been used in this window: then the cues show.
    bool CuesShown() const { return cuesShown; }
    void ShowCues();

    // In step 1, once the cues show: a green block under the chosen mark, in the free band
    // below the rug. Called while the histogram's drawing is built.
    void AddChoiceMarker();

    // The sample's positions by value, equal values in position order.
    std::vector<std::int32_t> ValueOrder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(int key, bool shift);
    void moveChoice(int key);
    void movePicked(double x);
    void updateFrame();

    TFrmMeasLoc& w;
    std::int32_t choice = 0;
    bool cuesShown = false;
    QProxyStyle* cueStyle = nullptr;
    TFocusFrame* frame = nullptr;
};

#pragma once
// A dotted frame laid over a control to show that it holds the keyboard focus. It takes no
// mouse events and no focus, and paints nothing but the frame.

#include <QWidget>

class TFocusFrame : public QWidget {
    Q_OBJECT
public:
    explicit TFocusFrame(QWidget* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
};

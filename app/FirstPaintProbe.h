#pragma once

#include <QElapsedTimer>
#include <QObject>

// For the start-up benchmark: when the environment variable TIDEWELL_FIRST_PAINT_EXIT is set (to anything),
// the window watched is painted once, "first_paint_ms=N" (milliseconds since the probe was made, which is
// the first thing main does) goes to standard output and the program quits as soon as that frame is
// finished. Without the variable the probe does nothing.
class FirstPaintProbe : public QObject {
    Q_OBJECT

public:
    FirstPaintProbe();

    static bool isWanted();

    // Watches `window` for its first paint; call it before the window is shown.
    void watch(QObject* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer sinceStart_;
    bool painted_ = false;
};

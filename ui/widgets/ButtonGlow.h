#pragma once

#include <QObject>

class QGraphicsDropShadowEffect;
class QPushButton;
class QTimer;

// A soft pulsing shadow around a primary button. Every glowing button of the program advances one shared
// phase, so buttons on screen together pulse in step. The pulse runs only between start() and stop(): its
// owner starts it when its page is shown and stops it when the page is hidden, so hidden pages cost nothing.
class ButtonGlow : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 30;

    explicit ButtonGlow(QPushButton* button);

    void start();
    void stop();
    bool isRunning() const;

    // The glow's colour until the next tick, which keeps its RGB and sets the alpha from the pulse.
    void setColour(const QColor& colour);
    QGraphicsDropShadowEffect* effect() const { return shadow; }

    // One step of the pulse: advances the shared phase and applies it to this glow.
    void tick();

private:
    QGraphicsDropShadowEffect* shadow;
    QTimer* timer;
};

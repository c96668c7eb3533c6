#include "ui/widgets/ButtonGlow.h"

#include <QGraphicsDropShadowEffect>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace {

constexpr double kFullTurn = 6.28318;
constexpr double kPhaseStep = 0.02;

double& sharedPhase()
{
    static double phase = 0.0;
    return phase;
}

} // namespace

ButtonGlow::ButtonGlow(QPushButton* button)
    : QObject(button)
    , shadow(new QGraphicsDropShadowEffect(button))
    , timer(new QTimer(this))
{
    shadow->setBlurRadius(30);
    shadow->setOffset(0, 0);
    button->setGraphicsEffect(shadow);
    timer->setInterval(kTickMs);
    connect(timer, &QTimer::timeout, this, &ButtonGlow::tick);
}

void ButtonGlow::start()
{
    timer->start();
}

void ButtonGlow::stop()
{
    timer->stop();
}

bool ButtonGlow::isRunning() const
{
    return timer->isActive();
}

void ButtonGlow::setColour(const QColor& colour)
{
    shadow->setColor(colour);
}

void ButtonGlow::tick()
{
    double& phase = sharedPhase();
    phase += kPhaseStep;
    if (phase > kFullTurn)
        phase -= kFullTurn;
    const double t = std::sin(phase) * 0.5 + 0.5;
    QColor colour = shadow->color();
    colour.setAlpha(60 + static_cast<int>(120 * t));
    shadow->setColor(colour);
    shadow->setBlurRadius(25 + 30 * t);
}

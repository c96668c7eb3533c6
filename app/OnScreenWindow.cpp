#include "app/OnScreenWindow.h"

#include "platform/PrimaryScreen.h"
#include "ui/main/WindowFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

void OnScreenWindow::prepareScaling()
{
    // The style sheets size in pixels: without Qt's scaling they would stay physical (tiny) at 175 % while
    // the point-sized fonts grow. Passed through unrounded, 125 % is 1.25 and not 1.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    const double scale = WindowFit::extraScale(platform::primaryScreen());
    if (scale >= 1.0)
        return;
    // Rounded down, so that the window never ends a pixel taller than the work area.
    const double written = std::floor(scale * 10000) / 10000;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(written, 'f', 4));
}

// Left to itself the system places a new window at its cascade position, from where a window nearly as tall
// as the work area runs off its bottom.
void OnScreenWindow::centre(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

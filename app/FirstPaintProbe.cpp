#include "app/FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTextStream>
#include <QTimer>

FirstPaintProbe::FirstPaintProbe()
{
    sinceStart_.start();
}

bool FirstPaintProbe::isWanted()
{
    return qEnvironmentVariableIsSet("TIDEWELL_FIRST_PAINT_EXIT");
}

void FirstPaintProbe::watch(QObject* window)
{
    if (isWanted())
        window->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // The frame is finished (children painted, the backing store flushed) once control is back in the
        // event loop.
        QTimer::singleShot(0, this, [this] {
            QTextStream(stdout) << "first_paint_ms=" << sinceStart_.elapsed() << "\n";
            QCoreApplication::quit();
        });
    }
    return QObject::eventFilter(watched, event);
}

#include "app/FirstPaintProbe.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

// tidewell-bench-bare-window [text]: the baseline of the window's start-up benchmark. A plain Qt window of
// the program's size, frameless as the program's, started the same way (TIDEWELL_FIRST_PAINT_EXIT set): it
// prints the time of its first painted frame and quits. With "text" it shows one line of Chinese text, which
// measures what setting up the fonts alone adds to a first frame.
int main(int argc, char* argv[])
{
    FirstPaintProbe firstPaint;
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setFixedSize(860, 680);
    if (QCoreApplication::arguments().contains(QStringLiteral("text")))
        (new QVBoxLayout(&window))->addWidget(new QLabel(QStringLiteral("一键优化，让电脑更快"), &window));
    firstPaint.watch(&window);
    window.show();
    return application.exec();
}

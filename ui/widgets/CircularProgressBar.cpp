#include "ui/widgets/CircularProgressBar.h"

#include <QPainter>

#include <algorithm>

CircularProgressBar::CircularProgressBar(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(120, 120);
}

void CircularProgressBar::setValue(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == value_)
        return;
    value_ = value;
    update();
}

void CircularProgressBar::setPenWidth(int width)
{
    penWidth_ = width;
    update();
}

void CircularProgressBar::setColors(const QColor& progress, const QColor& track, const QColor& text)
{
    progressColor_ = progress;
    trackColor_ = track;
    textColor_ = text;
    update();
}

QRect CircularProgressBar::arcRect(const QSize& size, int penWidth)
{
    const int side = std::min(size.width(), size.height());
    return QRect((size.width() - side) / 2 + penWidth / 2, (size.height() - side) / 2 + penWidth / 2, side - penWidth,
                 side - penWidth);
}

int CircularProgressBar::progressSpan(int value)
{
    return static_cast<int>(-(value / 100.0 * 360.0 * 16.0));
}

void CircularProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect rect = arcRect(size(), penWidth_);
    QPen pen(trackColor_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
    painter.setPen(pen);
    painter.drawArc(rect, kStartAngle, kFullSpan);
    pen.setColor(progressColor_);
    painter.setPen(pen);
    painter.drawArc(rect, kStartAngle, progressSpan(value_));
}

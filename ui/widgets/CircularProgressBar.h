#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

// A ring that fills clockwise from twelve o'clock with a percentage. It draws no text; a label laid over
// it shows the number.
class CircularProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)

public:
    explicit CircularProgressBar(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Clamps to 0..100 and repaints only on a change.
    void setValue(int value);

    int penWidth() const { return penWidth_; }
    void setPenWidth(int width);
    QColor progressColor() const { return progressColor_; }
    QColor trackColor() const { return trackColor_; }
    QColor textColor() const { return textColor_; }
    void setColors(const QColor& progress, const QColor& track, const QColor& text);

    // The square the arcs are drawn in, for a widget of `size`.
    static QRect arcRect(const QSize& size, int penWidth);
    // Arc angles in 1/16 degree: the track is the full circle from twelve o'clock, the progress arc runs
    // clockwise (negative span) over value percent of it.
    static constexpr int kStartAngle = 90 * 16;
    static constexpr int kFullSpan = 360 * 16;
    static int progressSpan(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
    int penWidth_ = 10;
    QColor progressColor_{QStringLiteral("#1A73E8")};
    QColor trackColor_{QStringLiteral("#E0E0E0")};
    QColor textColor_{QStringLiteral("#333333")};
};

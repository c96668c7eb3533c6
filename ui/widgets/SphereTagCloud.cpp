#include "ui/widgets/SphereTagCloud.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <numeric>

SphereTagCloud::SphereTagCloud(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&rotationTimer, &QTimer::timeout, this, &SphereTagCloud::rotateStep);
    rotationTimer.start(kTickMs);
}

void SphereTagCloud::addTag(const QString& text)
{
    SphereTag tag;
    tag.text = text;
    tags.append(tag);
    layoutTags();
}

void SphereTagCloud::resetStates()
{
    for (SphereTag& tag : tags)
        tag.state = 0;
    update();
}

QColor SphereTagCloud::stateColor(int state)
{
    switch (state) {
    case 0:
        return QColor(150, 150, 150);
    case 1:
        return QColor(234, 67, 53);
    case 2:
        return QColor(251, 140, 0);
    case 3:
        return QColor(52, 168, 83);
    default:
        return QColor();
    }
}

void SphereTagCloud::rotateStep()
{
    angleA_ += kStepA;
    angleB_ += kStepB;
    projectTags();
    update();
}

void SphereTagCloud::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    radius_ = static_cast<float>(std::min(width(), height())) * 0.4f;
    layoutTags();
}

void SphereTagCloud::layoutTags()
{
    if (tags.isEmpty() || radius_ <= 0)
        return;
    const QVector<sphere::Point> points = sphere::spread(tags.size());
    for (int i = 0; i < tags.size(); ++i)
        tags[i].base = points[i];
    projectTags();
}

void SphereTagCloud::projectTags()
{
    for (SphereTag& tag : tags) {
        const sphere::Projection p = sphere::project(tag.base, angleA_, angleB_, radius_, static_cast<float>(width()),
                                                     static_cast<float>(height()));
        tag.depth = p.depth;
        tag.screenX = p.screenX;
        tag.screenY = p.screenY;
        tag.scale = p.scale;
    }
    order.resize(tags.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return tags[a].depth < tags[b].depth; });
}

void SphereTagCloud::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    for (int index : order)
        paintTag(painter, tags[index]);
}

void SphereTagCloud::paintTag(QPainter& painter, const SphereTag& tag) const
{
    const bool highlighted = tag.state == 1 || tag.state == 2;
    QColor colour = stateColor(tag.state);
    const float alpha = (tag.depth + 1.0f) * 0.6f * 0.5f + 0.4f;

    QFont font(QStringLiteral("Microsoft YaHei"), 10, 57);
    font.setPointSizeF(tag.scale * 3.0f + 8.0f);
    if (highlighted)
        font.setWeight(QFont::Bold);
    painter.setFont(font);

    QRectF box = QFontMetricsF(font).boundingRect(tag.text).adjusted(0, 0, 20, 10);
    box.moveCenter(QPointF(tag.screenX, tag.screenY));
    if (highlighted) {
        QColor pill = colour;
        pill.setAlphaF(std::clamp(alpha * 0.3f, 0.0f, 1.0f));
        painter.setPen(Qt::NoPen);
        painter.setBrush(pill);
        painter.drawRoundedRect(box, 8, 8);
    }
    colour.setAlphaF(std::clamp(alpha, 0.0f, 1.0f));
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, tag.text);
}

#pragma once

#include "ui/widgets/SphereGeometry.h"

#include <QColor>
#include <QTimer>
#include <QVector>
#include <QWidget>

// One word on the sphere. `base` is its fixed place on the unit sphere; every tick turns that place by the
// accumulated angles, so all words move together as one rigid ball.
struct SphereTag {
    QString text;
    int state = 0; // 0 pending, 1 running, 2 just finished, 3 finished
    sphere::Point base;
    float depth = 0;
    float screenX = 0;
    float screenY = 0;
    float scale = 1;
};

// Short words on a slowly turning sphere, drawn with perspective, coloured by state. Purely decorative:
// it takes no input. Tags keep the order they were added in, so an index always names the same word;
// only the painting goes from the farthest word to the nearest.
class SphereTagCloud : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTickMs = 30;
    static constexpr float kStepA = 0.008f;
    static constexpr float kStepB = 0.003f;

    explicit SphereTagCloud(QWidget* parent = nullptr);

    void addTag(const QString& text);
    void resetStates();
    int tagCount() const { return tags.size(); }
    SphereTag& tagAt(int index) { return tags[index]; }
    const SphereTag& tagAt(int index) const { return tags[index]; }

    float radius() const { return radius_; }
    float angleA() const { return angleA_; }
    float angleB() const { return angleB_; }
    // Indices of the tags from the farthest to the nearest, the order they are painted in.
    const QVector<int>& paintOrder() const { return order; }

    static QColor stateColor(int state);

public slots:
    // One turn of the sphere, as the rotation timer runs it.
    void rotateStep();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutTags();
    void projectTags();
    void paintTag(QPainter& painter, const SphereTag& tag) const;

    QVector<SphereTag> tags;
    QVector<int> order;
    QTimer rotationTimer;
    float radius_ = 0;
    float angleA_ = 0;
    float angleB_ = 0;
};

#include "ui/widgets/SphereGeometry.h"

#include <cmath>

namespace sphere {

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kViewDistance = 3.0f;

} // namespace

QVector<Point> spread(int count)
{
    QVector<Point> points;
    points.reserve(count);
    const float golden = (std::sqrt(5.0f) + 1.0f) / 2.0f;
    for (int i = 0; i < count; ++i) {
        const float theta = std::acos(1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / static_cast<float>(count));
        const float phi = static_cast<float>(i) * kTwoPi / golden;
        points.append({std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta), std::cos(theta)});
    }
    return points;
}

Point rotate(const Point& p, float angleA, float angleB)
{
    const float cA = std::cos(angleA);
    const float sA = std::sin(angleA);
    const float cB = std::cos(angleB);
    const float sB = std::sin(angleB);
    const float u = p.z * cA + p.x * sA;
    return {p.x * cA - p.z * sA, p.y * cB - u * sB, p.y * sB + u * cB};
}

Projection project(const Point& point, float angleA, float angleB, float radius, float width, float height)
{
    const Point turned = rotate(point, angleA, angleB);
    const float scale = kViewDistance / (kViewDistance - turned.z);
    return {turned.z, turned.x * radius * scale + width * 0.5f, turned.y * radius * scale + height * 0.5f, scale};
}

} // namespace sphere

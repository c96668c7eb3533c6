#pragma once

#include <QVector>

// The maths of the turning tag sphere: points spread evenly over the unit sphere, turned by two angles
// and projected with perspective onto the widget.
namespace sphere {

struct Point {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct Projection {
    float depth = 0; // -1 at the back, +1 at the front
    float screenX = 0;
    float screenY = 0;
    float scale = 1;
};

// n points on a golden-angle spiral: even spacing in height, the golden angle between neighbours.
QVector<Point> spread(int count);

// The point turned by `angleA` about the vertical axis, then by `angleB` about the horizontal one; the
// result's z is the depth towards the viewer.
Point rotate(const Point& point, float angleA, float angleB);

// The turned point seen from a distance of three radii, centred in a widget of width × height.
Projection project(const Point& point, float angleA, float angleB, float radius, float width, float height);

} // namespace sphere

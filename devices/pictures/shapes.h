// Shapes as signed distance functions: negative inside, positive outside, zero on
// the outline. Drawing reads the distance to cover edge pixels partly (smooth edges
// at any scale) and to shade bevels and glows from the outline inwards or outwards.
#pragma once

#include <functional>
#include <vector>

namespace vh::pictures {

struct Point {
    float x = 0, y = 0;
};

// An axis-aligned box outside which a shape has nothing to draw.
struct Box {
    float left = 0, top = 0, right = 0, bottom = 0;

    Box Grown(float by) const { return {left - by, top - by, right + by, bottom + by}; }
    Box Joined(const Box& o) const;
};

class Shape {
  public:
    Shape(std::function<float(Point)> distance, Box bounds)
        : distance_(std::move(distance)), bounds_(bounds) {}

    float Distance(Point p) const { return distance_(p); }
    const Box& Bounds() const { return bounds_; }
    // The unit outward normal at p, from the distance's gradient.
    Point Normal(Point p) const;

  private:
    std::function<float(Point)> distance_;
    Box bounds_;
};

Shape RoundRect(float x, float y, float width, float height, float radius);
Shape Circle(Point centre, float radius);
Shape Ellipse(Point centre, float radiusX, float radiusY);
Shape Polygon(std::vector<Point> corners);
// A thick line with round ends.
Shape Capsule(Point a, Point b, float radius);

Shape Union(const Shape& a, const Shape& b);
// A union whose seams are filleted over about `blend` units.
Shape SmoothUnion(const Shape& a, const Shape& b, float blend);
Shape Subtract(const Shape& a, const Shape& cut);
Shape Intersect(const Shape& a, const Shape& b);
// Moves the outline outwards (negative: inwards), rounding convex corners.
Shape Grown(const Shape& s, float by);
Shape Moved(const Shape& s, float dx, float dy);
Shape Rotated(const Shape& s, Point centre, float radians);

}  // namespace vh::pictures

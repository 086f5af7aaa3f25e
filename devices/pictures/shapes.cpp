#include "devices/pictures/shapes.h"

#include <algorithm>
#include <cmath>

namespace vh::pictures {

namespace {

float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

}  // namespace

Box Box::Joined(const Box& o) const {
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
}

Point Shape::Normal(Point p) const {
    constexpr float h = 0.5f;
    const float gx = Distance({p.x + h, p.y}) - Distance({p.x - h, p.y});
    const float gy = Distance({p.x, p.y + h}) - Distance({p.x, p.y - h});
    const float length = Length(gx, gy);
    if (length < 1e-6f) return {0, 0};
    return {gx / length, gy / length};
}

Shape RoundRect(float x, float y, float width, float height, float radius) {
    radius = std::min({radius, width / 2, height / 2});
    const float cx = x + width / 2, cy = y + height / 2;
    const float hx = width / 2 - radius, hy = height / 2 - radius;
    return Shape(
        [=](Point p) {
            const float qx = std::abs(p.x - cx) - hx, qy = std::abs(p.y - cy) - hy;
            return Length(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) -
                   radius;
        },
        {x, y, x + width, y + height});
}

Shape Circle(Point centre, float radius) {
    return Shape([=](Point p) { return Length(p.x - centre.x, p.y - centre.y) - radius; },
                 {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius});
}

Shape Ellipse(Point centre, float radiusX, float radiusY) {
    // Close to the true distance near the outline, which is all the drawing needs.
    return Shape(
        [=](Point p) {
            const float x = p.x - centre.x, y = p.y - centre.y;
            const float k0 = Length(x / radiusX, y / radiusY);
            const float k1 = Length(x / (radiusX * radiusX), y / (radiusY * radiusY));
            if (k1 < 1e-6f) return -std::min(radiusX, radiusY);
            return k0 * (k0 - 1) / k1;
        },
        {centre.x - radiusX, centre.y - radiusY, centre.x + radiusX, centre.y + radiusY});
}

Shape Polygon(std::vector<Point> v) {
    Box bounds{v[0].x, v[0].y, v[0].x, v[0].y};
    for (const Point& p : v) bounds = bounds.Joined({p.x, p.y, p.x, p.y});
    return Shape(
        [v = std::move(v)](Point p) {
            float d = (p.x - v[0].x) * (p.x - v[0].x) + (p.y - v[0].y) * (p.y - v[0].y);
            bool inside = false;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
                const float wx = p.x - v[i].x, wy = p.y - v[i].y;
                const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
                const float bx = wx - ex * t, by = wy - ey * t;
                d = std::min(d, bx * bx + by * by);
                // Crossings of a ray to the right decide inside.
                if ((v[i].y > p.y) != (v[j].y > p.y) && p.x < v[i].x + (p.y - v[i].y) * ex / ey)
                    inside = !inside;
            }
            return inside ? -std::sqrt(d) : std::sqrt(d);
        },
        bounds);
}

Shape Capsule(Point a, Point b, float radius) {
    return Shape(
        [=](Point p) {
            const float ex = b.x - a.x, ey = b.y - a.y;
            const float wx = p.x - a.x, wy = p.y - a.y;
            const float lengthSq = ex * ex + ey * ey;
            const float t = lengthSq > 0 ? std::clamp((wx * ex + wy * ey) / lengthSq, 0.f, 1.f) : 0;
            return Length(wx - ex * t, wy - ey * t) - radius;
        },
        Box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}.Grown(
            radius));
}

Shape Union(const Shape& a, const Shape& b) {
    return Shape([=](Point p) { return std::min(a.Distance(p), b.Distance(p)); },
                 a.Bounds().Joined(b.Bounds()));
}

Shape SmoothUnion(const Shape& a, const Shape& b, float blend) {
    return Shape(
        [=](Point p) {
            const float da = a.Distance(p), db = b.Distance(p);
            const float h = std::max(blend - std::abs(da - db), 0.f) / blend;
            return std::min(da, db) - h * h * blend / 4;
        },
        a.Bounds().Joined(b.Bounds()).Grown(blend / 4));
}

Shape Subtract(const Shape& a, const Shape& cut) {
    return Shape([=](Point p) { return std::max(a.Distance(p), -cut.Distance(p)); }, a.Bounds());
}

Shape Intersect(const Shape& a, const Shape& b) {
    const Box& x = a.Bounds();
    const Box& y = b.Bounds();
    return Shape([=](Point p) { return std::max(a.Distance(p), b.Distance(p)); },
                 {std::max(x.left, y.left), std::max(x.top, y.top), std::min(x.right, y.right),
                  std::min(x.bottom, y.bottom)});
}

Shape Grown(const Shape& s, float by) {
    return Shape([=](Point p) { return s.Distance(p) - by; }, s.Bounds().Grown(by));
}

Shape Moved(const Shape& s, float dx, float dy) {
    const Box& b = s.Bounds();
    return Shape(
        [=](Point p) {
            return s.Distance({p.x - dx, p.y - dy});
        },
        {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy});
}

Shape Rotated(const Shape& s, Point c, float radians) {
    const float cosA = std::cos(radians), sinA = std::sin(radians);
    const Box& b = s.Bounds();
    Box bounds{1e9f, 1e9f, -1e9f, -1e9f};
    for (Point corner : {Point{b.left, b.top}, Point{b.right, b.top}, Point{b.left, b.bottom},
                         Point{b.right, b.bottom}}) {
        const float x = c.x + (corner.x - c.x) * cosA - (corner.y - c.y) * sinA;
        const float y = c.y + (corner.x - c.x) * sinA + (corner.y - c.y) * cosA;
        bounds = bounds.Joined({x, y, x, y});
    }
    return Shape(
        [=](Point p) {
            const float x = c.x + (p.x - c.x) * cosA + (p.y - c.y) * sinA;
            const float y = c.y - (p.x - c.x) * sinA + (p.y - c.y) * cosA;
            return s.Distance({x, y});
        },
        bounds);
}

}  // namespace vh::pictures

#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace skingen {

float knobAngleRad(float norm) {
    return kKnobStartRad + (kKnobEndRad - kKnobStartRad) * norm;
}

float angleOfVector(float dx, float dy) {
    float a = std::atan2(-dx, dy);
    if (a < 0.0f) a += 2.0f * kPi;
    return a;
}

void pointAtAngle(float cx, float cy, float radius, float angleRad, float* x, float* y) {
    *x = cx - radius * std::sin(angleRad);
    *y = cy + radius * std::cos(angleRad);
}

DistanceFn circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

DistanceFn roundRect(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius;
    const float hy = (y1 - y0) * 0.5f - radius;
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - hx;
        const float qy = std::fabs(y - cy) - hy;
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

DistanceFn capsule(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) {
        const float vx = bx - ax;
        const float vy = by - ay;
        const float len2 = vx * vx + vy * vy;
        float t = len2 > 0.0f ? ((x - ax) * vx + (y - ay) * vy) / len2 : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        return std::hypot(x - (ax + t * vx), y - (ay + t * vy)) - halfWidth;
    };
}

DistanceFn arc(float cx, float cy, float midRadius, float halfWidth, float a0, float a1) {
    float e0x, e0y, e1x, e1y;
    pointAtAngle(cx, cy, midRadius, a0, &e0x, &e0y);
    pointAtAngle(cx, cy, midRadius, a1, &e1x, &e1y);
    return [=](float x, float y) {
        const float dx = x - cx;
        const float dy = y - cy;
        const float a = angleOfVector(dx, dy);
        if (a >= a0 && a <= a1) return std::fabs(std::hypot(dx, dy) - midRadius) - halfWidth;
        const float d0 = std::hypot(x - e0x, y - e0y);
        const float d1 = std::hypot(x - e1x, y - e1y);
        return std::min(d0, d1) - halfWidth;
    };
}

DistanceFn unite(DistanceFn a, DistanceFn b) {
    return [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

DistanceFn subtract(DistanceFn a, DistanceFn b) {
    return [a, b](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

ShaderFn verticalGradient(float y0, float y1, Rgba top, Rgba bottom) {
    return [=](float, float y) {
        const float t = std::clamp((y - y0) / std::max(1.0f, y1 - y0), 0.0f, 1.0f);
        return mix(top, bottom, t);
    };
}

}  // namespace skingen

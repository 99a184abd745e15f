// Signed-distance shapes and the knob angle convention.
//
// Angle convention used for every rotary drawing: an angle in radians is
// measured clockwise (as seen on screen) from straight down. The knob range
// starts at 0.5233 rad (about 30 degrees right of bottom turning towards
// the left, the "7 o'clock" position) and ends at 5.7567 rad ("5 o'clock");
// 12 o'clock is pi. A direction at angle a is (-sin a, cos a) in screen
// coordinates (y downward).
#pragma once

#include "image.h"

namespace skingen {

constexpr float kPi = 3.14159265358979f;
constexpr float kKnobStartRad = 0.5233f;
constexpr float kKnobEndRad = 5.7567f;

// Knob angle for a normalised value 0..1.
float knobAngleRad(float norm);
// Angle of the vector (dx, dy) in the convention above, in [0, 2 pi).
float angleOfVector(float dx, float dy);
// Point at distance radius from (cx, cy) in direction angleRad.
void pointAtAngle(float cx, float cy, float radius, float angleRad, float* x, float* y);

DistanceFn circle(float cx, float cy, float radius);
DistanceFn roundRect(float x0, float y0, float x1, float y1, float radius);
// Segment with round caps of half thickness halfWidth.
DistanceFn capsule(float ax, float ay, float bx, float by, float halfWidth);
// Ring arc of mid radius midRadius and half thickness halfWidth from angle
// a0 to a1 (a0 <= a1, convention above), with round caps.
DistanceFn arc(float cx, float cy, float midRadius, float halfWidth, float a0, float a1);
// Union and subtraction of shapes.
DistanceFn unite(DistanceFn a, DistanceFn b);
DistanceFn subtract(DistanceFn a, DistanceFn b);

// Vertical two-colour gradient over [y0, y1].
ShaderFn verticalGradient(float y0, float y1, Rgba top, Rgba bottom);

}  // namespace skingen

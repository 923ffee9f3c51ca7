// The optimised route in two steps: the shortest path touching the circles
// is found in an azimuthal equidistant projection around the middle of the
// task (cheap plane geometry, one point at a time until none moves), then
// each point is put back on its true geodesic circle and the legs are
// measured on the ellipsoid. A point that is off its best place by a small
// angle changes the length only by the square of that angle, so the plane
// step costs far less than a metre even on tasks hundreds of kilometres
// across.
#include "zazorazari/geodesy/OptimisedRoute.h"

#include <GeographicLib/AzimuthalEquidistant.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zazorazari::geodesy {

namespace {

using GeographicLib::Geodesic;

struct Vec {
  double x = 0, y = 0;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::hypot(a.x, a.y); }

// Points closer than this (metres) count as one: no direction between them.
constexpr double kCoincident = 1e-9;
// A point has found its place when it moves less than this (metres).
constexpr double kSettled = 1e-6;
constexpr int kMaxSweeps = 10000;
// A route longer than the straight line by less than this (metres) passes a
// cylinder it grazes as if it went through.
constexpr double kGrazing = 1e-2;

struct Circle {
  Vec centre;
  double radius;
  Vec At(double angle) const { return centre + radius * Vec{std::cos(angle), std::sin(angle)}; }
};

double AngleOf(Vec v) { return std::atan2(v.y, v.x); }

// Where the segment a-b first meets the circle line, if it does.
bool SegmentCrossing(const Circle& c, Vec a, Vec b, Vec& crossing) {
  const Vec d = b - a;
  const Vec f = a - c.centre;
  const double qa = Dot(d, d);
  if (qa < kCoincident * kCoincident) return false;
  const double qb = 2 * Dot(f, d);
  const double qc = Dot(f, f) - c.radius * c.radius;
  const double disc = qb * qb - 4 * qa * qc;
  if (disc < 0) return false;
  const double root = std::sqrt(disc);
  for (const double t : {(-qb - root) / (2 * qa), (-qb + root) / (2 * qa)}) {
    if (t >= 0 && t <= 1) {
      crossing = a + t * d;
      return true;
    }
  }
  return false;
}

// |p - a| + |p - b| and its first two derivatives along the circle.
struct PathLength {
  double value, slope, curvature;
};

PathLength Measure(const Circle& c, double angle, Vec a, Vec b) {
  const Vec p = c.At(angle);
  const Vec tangent = c.radius * Vec{-std::sin(angle), std::cos(angle)};
  const Vec second = p - c.centre;  // minus the second derivative of p
  PathLength sum{0, 0, 0};
  for (const Vec end : {a, b}) {
    const Vec q = p - end;
    const double length = std::max(Length(q), kCoincident);
    const double along = Dot(tangent, q);
    sum.value += length;
    sum.slope += along / length;
    sum.curvature += (Dot(tangent, tangent) - Dot(second, q)) / length - along * along / (length * length * length);
  }
  return sum;
}

// The point of the circle line between a and b that makes a-p-b shortest;
// `crossed` tells whether the straight line a-b meets the circle there.
Vec BestBetween(const Circle& c, Vec a, Vec b, double start, bool& crossed) {
  Vec crossing;
  crossed = SegmentCrossing(c, a, b, crossing);
  if (crossed) return crossing;  // no detour at all
  double angle = start;
  for (int i = 0; i < 60; ++i) {
    const PathLength here = Measure(c, angle, a, b);
    double step = here.curvature > 0 ? -here.slope / here.curvature : (here.slope > 0 ? -0.1 : 0.1);
    step = std::clamp(step, -0.5, 0.5);
    while (std::fabs(step) * c.radius > kSettled * 1e-3 &&
           Measure(c, angle + step, a, b).value > here.value) {
      step /= 2;
    }
    angle += step;
    if (std::fabs(step) * c.radius < kSettled * 1e-2) break;
  }
  return c.At(angle);
}

// The point of the circle line nearest to a.
Vec Nearest(const Circle& c, Vec a, Vec current) {
  const Vec away = a - c.centre;
  const double length = Length(away);
  if (length < kCoincident) return current;  // every point is as near
  return c.centre + (c.radius / length) * away;
}

std::vector<Vec> PlaneRoute(const std::vector<Circle>& circles, std::vector<bool>& crossed) {
  crossed.assign(circles.size(), false);
  std::vector<Vec> points;
  for (const auto& c : circles) points.push_back(c.centre);
  const size_t n = circles.size();
  for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
    double moved = 0;
    for (size_t i = 1; i < n; ++i) {
      const Circle& c = circles[i];
      if (c.radius <= 0) continue;
      const Vec before = points[i];
      const Vec a = points[i - 1];
      if (i + 1 == n) {
        points[i] = Nearest(c, a, before);
      } else {
        const Vec b = points[i + 1];
        const Vec towards = Length(before - c.centre) > kCoincident ? before - c.centre : (a - c.centre) + (b - c.centre);
        bool straight = false;
        points[i] = BestBetween(c, a, b, AngleOf(towards), straight);
        crossed[i] = straight;
      }
      moved = std::max(moved, Length(points[i] - before));
    }
    if (moved < kSettled) break;
  }
  return points;
}

// Where the geodesic from `from` to `to` first reaches the circle around the
// target: a straight route through a cylinder is as short anywhere in the
// passage, and a pilot reaches the cylinder where it first meets it.
void FirstReached(const Geodesic& earth, const RoutePoint& from, const RoutePoint& to, const RouteTarget& target,
                  RoutePoint& point) {
  const GeographicLib::GeodesicLine line = earth.InverseLine(from.latitude, from.longitude, to.latitude, to.longitude);
  const auto outside = [&](double s) {  // metres beyond the circle at s along the line
    double lat, lon, distance;
    line.Position(s, lat, lon);
    earth.Inverse(target.latitude, target.longitude, lat, lon, distance);
    return distance - target.radius;
  };
  // The point found lies within metres of the passage: find a place inside
  // the circle near it, then the last place outside before that.
  double along;
  earth.Inverse(from.latitude, from.longitude, point.latitude, point.longitude, along);
  double after = -1;
  for (double step = 1e-3; step <= 1e4 && after < 0; step *= 10) {
    for (const double s : {along - step, along + step}) {
      if (s >= 0 && s <= line.Distance() && outside(s) <= 0) {
        after = s;
        break;
      }
    }
  }
  if (after < 0) return;  // the line does not pass through: keep the point
  double before = after;
  for (double step = 1e-3; outside(before) <= 0; step *= 10) {
    if (before == 0) return;  // starts inside: no entry
    before = std::max(0.0, after - step);
  }
  for (int i = 0; i < 200 && after - before > kSettled; ++i) {
    const double middle = (before + after) / 2;
    (outside(middle) > 0 ? before : after) = middle;
  }
  line.Position(after, point.latitude, point.longitude);
}

// Whether the route passes point i without a bend (within a centimetre), as
// it does where the line to the next point only grazes the circle.
bool Straight(const Geodesic& earth, const std::vector<RoutePoint>& route, size_t i) {
  double in, out, direct;
  earth.Inverse(route[i - 1].latitude, route[i - 1].longitude, route[i].latitude, route[i].longitude, in);
  earth.Inverse(route[i].latitude, route[i].longitude, route[i + 1].latitude, route[i + 1].longitude, out);
  earth.Inverse(route[i - 1].latitude, route[i - 1].longitude, route[i + 1].latitude, route[i + 1].longitude, direct);
  return in + out - direct < kGrazing;
}

}  // namespace

std::vector<RoutePoint> OptimisedRoute(const std::vector<RouteTarget>& targets) {
  std::vector<RoutePoint> route;
  for (const auto& t : targets) route.push_back({t.latitude, t.longitude, 0});
  if (targets.size() < 2) return route;

  const Geodesic& earth = Geodesic::WGS84();
  // Around the middle of the task's extent (longitudes taken near the first).
  double south = 90, north = -90, west = 1e9, east = -1e9;
  for (const auto& t : targets) {
    const double lon = targets[0].longitude + std::remainder(t.longitude - targets[0].longitude, 360.0);
    south = std::min(south, t.latitude), north = std::max(north, t.latitude);
    west = std::min(west, lon), east = std::max(east, lon);
  }
  const GeographicLib::AzimuthalEquidistant projection(earth);
  const double lat0 = (south + north) / 2, lon0 = (west + east) / 2;

  std::vector<Circle> circles;
  for (size_t i = 0; i < targets.size(); ++i) {
    Vec centre;
    double azimuth, scale;
    projection.Forward(lat0, lon0, targets[i].latitude, targets[i].longitude, centre.x, centre.y, azimuth, scale);
    circles.push_back({centre, i == 0 ? 0.0 : std::max(targets[i].radius, 0.0)});
  }
  std::vector<bool> crossed;
  const std::vector<Vec> plane = PlaneRoute(circles, crossed);

  for (size_t i = 1; i < targets.size(); ++i) {
    const RouteTarget& t = targets[i];
    if (circles[i].radius <= 0) continue;
    double lat, lon, azimuth, scale, azi1, azi2;
    projection.Reverse(lat0, lon0, plane[i].x, plane[i].y, lat, lon, azimuth, scale);
    earth.Inverse(t.latitude, t.longitude, lat, lon, azi1, azi2);
    earth.Direct(t.latitude, t.longitude, azi1, circles[i].radius, route[i].latitude, route[i].longitude);
  }
  // A point moved to where its line enters the circle turns the line of the
  // point before it a little: a few passes settle that.
  for (int pass = 0; pass < 8; ++pass) {
    for (size_t i = 1; i + 1 < targets.size(); ++i) {
      if (circles[i].radius > 0 && (crossed[i] || Straight(earth, route, i))) {
        FirstReached(earth, route[i - 1], route[i + 1], targets[i], route[i]);
      }
    }
  }
  for (size_t i = 1; i < targets.size(); ++i) {
    earth.Inverse(route[i - 1].latitude, route[i - 1].longitude, route[i].latitude, route[i].longitude, route[i].leg);
  }
  return route;
}

std::vector<RoutePoint> CirclePoints(double latitude, double longitude, double radius, int count) {
  const Geodesic& earth = Geodesic::WGS84();
  std::vector<RoutePoint> points(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    // Azimuths run clockwise, so going down them turns counter-clockwise.
    earth.Direct(latitude, longitude, -360.0 * k / count, radius, points[static_cast<size_t>(k)].latitude,
                 points[static_cast<size_t>(k)].longitude);
  }
  return points;
}

}  // namespace zazorazari::geodesy

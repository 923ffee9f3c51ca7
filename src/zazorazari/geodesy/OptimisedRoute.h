// The shortest route of a task on the WGS 84 ellipsoid: it starts at the
// first point's centre and touches the boundary of each following cylinder
// in order (or a point's centre where the task says so), measured along
// geodesics.
#pragma once

#include <vector>

namespace zazorazari::geodesy {

struct RouteTarget {
  double latitude = 0;   // decimal degrees, north positive
  double longitude = 0;  // decimal degrees, east positive
  double radius = 0;     // metres; 0 makes the route pass through the centre
};

struct RoutePoint {
  double latitude = 0;
  double longitude = 0;
  double leg = 0;  // metres from the previous route point (0 for the first)
};

// One route point per target, on the target's circle (its centre for the
// first target and for radius 0). Fewer than two targets give the targets'
// centres and no distance.
std::vector<RoutePoint> OptimisedRoute(const std::vector<RouteTarget>& targets);

// A geodesic circle of `radius` metres around the centre as `count` points
// (latitude, longitude), counter-clockwise seen from above, not closed.
std::vector<RoutePoint> CirclePoints(double latitude, double longitude, double radius, int count);

}  // namespace zazorazari::geodesy

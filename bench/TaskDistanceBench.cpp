// The optimised distance of a 12-turnpoint task (radii 50 m to 50 km, some
// cylinders overlapping) on the WGS 84 ellipsoid, against one geodesic
// Inverse per leg through the centres, the least any distance costs.
#include <GeographicLib/Geodesic.hpp>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "zazorazari/geodesy/OptimisedRoute.h"

namespace {

std::vector<zazorazari::geodesy::RouteTarget> TwelveTurnpoints() {
  const double radii[] = {400, 50000, 50, 3000, 12000, 400, 25000, 1000, 50, 7000, 40000, 200};
  std::vector<zazorazari::geodesy::RouteTarget> targets;
  for (int k = 0; k < 12; ++k) {
    targets.push_back({47.0 + 0.35 * std::sin(k), 8.0 + 0.4 * k, radii[k]});
  }
  return targets;
}

void BM_OptimisedRoute12(benchmark::State& state) {
  const auto targets = TwelveTurnpoints();
  for (auto _ : state) benchmark::DoNotOptimize(zazorazari::geodesy::OptimisedRoute(targets));
}
BENCHMARK(BM_OptimisedRoute12)->Unit(benchmark::kMicrosecond);

void BM_CentreLegs12(benchmark::State& state) {
  const auto targets = TwelveTurnpoints();
  const auto& earth = GeographicLib::Geodesic::WGS84();
  for (auto _ : state) {
    double total = 0;
    for (size_t i = 1; i < targets.size(); ++i) {
      double leg = 0;
      earth.Inverse(targets[i - 1].latitude, targets[i - 1].longitude, targets[i].latitude, targets[i].longitude, leg);
      total += leg;
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_CentreLegs12)->Unit(benchmark::kMicrosecond);

}  // namespace

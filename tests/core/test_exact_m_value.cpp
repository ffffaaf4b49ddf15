// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "exact_m_value.h"
#include "plain_numbers.h"

namespace threewire {
namespace {

using std::numbers::pi;
using testing_support::Shortest;

struct Thread {
  double P, starts, d2, d0, alpha_degrees;  // mm, mm, mm, degrees
};

// A thread whose lead angle at the pitch diameter is `lead_degrees`.
Thread WithLeadAngle(double P, double starts, double lead_degrees, double d0, double alpha) {
  return {P, starts, starts * P / (pi * std::tan(lead_degrees * pi / 180)), d0, alpha};
}

// M from geometry alone. With the thread's axis as z, a flank point at radius r and turn angle φ
// (from the radial line y through the wire's centre, towards x) is (r sin φ, r cos φ, z), with
// z = P/4 + (r − r2) tan(α/2) + L φ / 2π; the groove's other flank is its image under a half turn
// about y. The wire's axis runs through (0, R, 0) along (cos β, 0, sin β), which that half turn
// keeps, so both flanks touch together. A point at w = x sin β − z cos β across the axis, |w| below
// the wire's radius, holds the axis at R ≥ y + sqrt(d0²/4 − w²); the highest such bound over the
// flank is the lowest axis for the tilt β, and the wire settles at the tilt with the lowest axis.
double PlacedM(const Thread& t) {
  const double L = t.starts * t.P, r2 = t.d2 / 2, wire_radius = t.d0 / 2;
  const double tan_half = std::tan(t.alpha_degrees / 2 * pi / 180);
  const auto bound = [&](double beta, double r, double phi) {
    const double z = t.P / 4 + (r - r2) * tan_half + L * phi / (2 * pi);
    const double w = r * std::sin(phi) * std::sin(beta) - z * std::cos(beta);
    if (std::abs(w) >= wire_radius) return 0.0;
    return r * std::cos(phi) + std::sqrt(wire_radius * wire_radius - w * w);
  };
  // The whole flank, r2 ± 0.3 P and a half turn, on a grid first, since at large leads the bound
  // has several local maxima; then ever finer grids around the highest point.
  const auto lowest_axis = [&](double beta) {
    double best = 0, r = r2, phi = 0, dr = 0.3 * t.P / 12, dphi = pi / 180;
    for (int reach_r = 12, reach_phi = 90; dr > 1e-12;
         reach_r = reach_phi = 2, dr /= 2, dphi /= 2) {
      const double r_mid = r, phi_mid = phi;
      for (int i = -reach_r; i <= reach_r; ++i)
        for (int j = -reach_phi; j <= reach_phi; ++j) {
          const double r_try = std::clamp(r_mid + i * dr, r2 - 0.3 * t.P, r2 + 0.3 * t.P);
          if (const double v = bound(beta, r_try, phi_mid + j * dphi); v > best)
            best = v, r = r_try, phi = phi_mid + j * dphi;
        }
    }
    return best;
  };
  // Golden-section search for the tilt around the lead angle at the pitch diameter.
  const double lead_angle = std::atan(L / (pi * t.d2)), shrink = (std::sqrt(5.0) - 1) / 2;
  double low = lead_angle / 2, high = 1.5 * lead_angle;
  while (high - low > 1e-9) {
    const double a = high - shrink * (high - low), b = low + shrink * (high - low);
    if (lowest_axis(a) < lowest_axis(b))
      high = b;
    else
      low = a;
  }
  return 2 * lowest_axis((low + high) / 2) + t.d0;
}

// Machinery's Handbook's table for large-lead 29° Acme threads, 5 threads per inch (P = 5.08 mm):
// wire w1 × P, measurement E + (C+c)1 × P over the pitch diameter E. Beyond the table, the wire
// placed by geometry.
TEST(ComputeExactMValue, AgreesWithTheHandbookAndWithGeometry) {
  const double P = 5.08;
  const Thread acme[] = {WithLeadAngle(P, 1, 5.0, 0.51450 * P, 29),
                         WithLeadAngle(P, 2, 10.0, 0.50864 * P, 29),
                         WithLeadAngle(P, 3, 12.1, 0.50488 * P, 29),
                         WithLeadAngle(P, 5, 18.0, P / (2 * std::cos(14.5 * pi / 180)), 29)};
  const std::tuple<const char*, Thread, double> cases[] = {
      {"handbook, 1 start, 5.0°", acme[0], acme[0].d2 + 0.64311 * P},
      {"handbook, 2 starts, 10.0°", acme[1], acme[1].d2 + 0.63518 * P},
      {"handbook, 3 starts, 12.1°", acme[2], acme[2].d2 + 0.62981 * P},
      {"placed, Acme 5 starts, 18.0°", acme[3], PlacedM(acme[3])}};
  for (const auto& [name, t, expected_m] : cases) {
    SCOPED_TRACE(name);
    const auto M = ComputeExactMValue(Shortest(t.P), Shortest(t.starts), Shortest(t.d2),
                                      Shortest(t.d0), Shortest(t.alpha_degrees));
    ASSERT_TRUE(M);
    EXPECT_NEAR(*M, expected_m, 0.001);
  }
}

// A wire far too big for the groove: the correction swings between 0.2 mm and 625 mm.
TEST(ComputeExactMValue, RefusesWhereItDoesNotSettle) {
  EXPECT_EQ(ComputeExactMValue("10", "8", "1", "5", "30"),
            std::unexpected(Failure{FailureKind::kNoConvergence}));
}

}  // namespace
}  // namespace threewire

// report/turned_transport.h: the CERC rate of one step for a fan of turned
// shore normals, worked several normals at once (see transport.h).
#pragma once

#include "report/transport.h"

namespace report {

// sin(theta_b) = v solves v^5 sqrt(1 - v^2) = P, whose left side grows up to
// v^2 = 5/6 and no further.
inline constexpr double largest_v2 = 5.0 / 6.0;
inline constexpr double largest_p = 0.25880416406247564;  // (5/6)^2.5 (1/6)^0.5

inline constexpr int turned_lanes = 20;  // rotation_count, rounded up

// The CERC rate (m^3/s) of one step for each turned shore normal (cerc_factor
// as transport.h gives it; the sines
// and cosines of the turns; a lane with cos -2 is never reached), in 4-byte
// reals and without branches, so that the compiler works several normals at
// once: the same balance as break_wave, Newton's steps fixed in number (the
// fifth root from its bits and two steps; two steps on v from there). Normals the step reaches from
// behind (cos <= 0) get 0.
void turned_cerc(double hs0, double sin0, double cos0, double c0, double cg0, double h0,
                 double breaker_index, double cerc_factor, const float (&sin_phi)[turned_lanes],
                 const float (&cos_phi)[turned_lanes], float (&q)[turned_lanes]);

}  // namespace report

#include "report/turned_transport.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "report/wave_physics.h"

namespace report {
namespace {

// The lesser and greater of two reals, as plain selections.
inline float least(float a, float b) {
  return a < b ? a : b;
}
inline float most(float a, float b) {
  return a > b ? a : b;
}

// One Newton step on v^5 sqrt(1 - v^2) = p.
inline float newton_v(float v, float p, float vmax) {
  const float v2 = v * v, w = std::sqrt(most(1.0f - v2, 1e-12f)), v4 = v2 * v2;
  return least(v - (v4 * v * w - p) * w / most(v4 * (5.0f - 6.0f * v2), 1e-30f), vmax);
}

}  // namespace

void turned_cerc(double hs0_d, double sin0_d, double cos0_d, double c0_d, double cg0_d, double h0_d,
                 double breaker_index, double cerc_factor, const float (&sin_phi)[turned_lanes],
                 const float (&cos_phi)[turned_lanes], float (&q)[turned_lanes]) {
  const float gamma = static_cast<float>(breaker_index);
  const float hs0 = static_cast<float>(hs0_d), sin0 = static_cast<float>(sin0_d),
              cos0 = static_cast<float>(cos0_d), h0 = static_cast<float>(h0_d);
  const float root_g_gamma = std::sqrt(static_cast<float>(gravity) / gamma);
  const float per_c0 = root_g_gamma / static_cast<float>(c0_d);
  const float flux0 = hs0 * hs0 * static_cast<float>(cg0_d) / root_g_gamma;
  const float k = static_cast<float>(cerc_factor);
  const float q_here_factor = k * hs0 * hs0 * std::sqrt(hs0) * 2.0f;
  const bool high = hs0 >= gamma * h0;
  const float vmax = std::sqrt(static_cast<float>(largest_v2));
  const float pmax = static_cast<float>(largest_p);
  for (int l = 0; l < turned_lanes; ++l) {
    const float c = cos0 * cos_phi[l] + sin0 * sin_phi[l];
    const float s = sin0 * cos_phi[l] - cos0 * sin_phi[l];
    const float a = std::abs(s) * per_c0;
    const float a2 = a * a;
    const float pp = most(flux0 * c * a2 * a2 * a, 1e-30f);
    // The fifth root from the bits, then Newton: t <- 0.8 t + 0.2 p / t^4.
    // 4/5 of the bits of 1.0f.
    float t = std::bit_cast<float>(std::bit_cast<std::uint32_t>(pp) / 5u + 852282573u);
    float t2 = t * t;
    t = 0.8f * t + 0.2f * pp / (t2 * t2);
    t2 = t * t;
    t = 0.8f * t + 0.2f * pp / (t2 * t2);
    // Two steps of the fifth root leave a part in 1e4; the series of
    // v = t (1 - v^2)^(-1/10) to t^5 and one Newton step on v take it past
    // the 4-byte reals' precision.
    t2 = t * t;
    const float v = newton_v(least(t * (1.0f + t2 * (0.1f + 0.075f * t2)), vmax), pp, vmax);
    const float hb = v * v / most(a2, 1e-30f);
    const bool here = high | (a2 * hs0 >= 1.0f) | (pp >= pmax) | (hb > gamma * h0) | (a == 0.0f);
    // At the root Hb^2.5 cos(theta_b) is the flux F: k Hb^2.5 sin 2 theta_b
    // = 2 k F sin(theta_b).
    const float q_break = 2.0f * k * flux0 * c * v * std::copysign(1.0f, s);
    const float q_here = q_here_factor * s * c;
    const float chosen = here ? q_here : q_break;
    q[l] = c > 0.0f ? chosen : 0.0f;
  }
}

}  // namespace report

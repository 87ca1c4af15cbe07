#include "report/wave_physics.h"

#include <cmath>
#include <numbers>

namespace report {
namespace {

constexpr double degree = std::numbers::pi / 180.0;

}  // namespace

std::optional<double> wave_number(double period, double depth) {
  if (!(period > 0.0) || !(depth > 0.0) || !std::isfinite(period) || !std::isfinite(depth))
    return std::nullopt;
  const double omega = 2.0 * std::numbers::pi / period;
  const double deep = omega * omega / gravity;  // the deep-water wave number
  // Newton's method from the explicit approximation of Fenton and McKee,
  // which is within a few per cent everywhere: it converges in a few steps.
  double k =
      deep / std::pow(std::tanh(std::pow(omega * std::sqrt(depth / gravity), 1.5)), 2.0 / 3.0);
  for (int step = 0; step < 50; ++step) {
    const double t = std::tanh(k * depth);
    const double f = gravity * k * t - omega * omega;
    const double slope = gravity * (t + k * depth * (1.0 - t * t));
    const double next = k - f / slope;
    const bool done = std::abs(next - k) <= 1e-12 * next;
    k = next;
    if (done)
      break;
  }
  return k;
}

std::optional<double> group_velocity(double period, double depth) {
  const auto k = wave_number(period, depth);
  if (!k)
    return std::nullopt;
  const double omega = 2.0 * std::numbers::pi / period;
  const double kd2 = 2.0 * *k * depth;
  // Past kd of about 350 sinh overflows; the ratio is 0 there long before.
  const double ratio = kd2 > 700.0 ? 0.0 : kd2 / std::sinh(kd2);
  return omega / *k * (1.0 + ratio) / 2.0;
}

bool offshore_directed(double theta) {
  return std::abs(theta) > 90.0;
}

std::optional<double> longshore_energy_flux(double hs, double tp, double depth, double theta) {
  if (!(hs > 0.0) || !std::isfinite(hs))
    return std::nullopt;
  const auto cg = group_velocity(tp, depth);
  if (!cg)
    return std::nullopt;
  if (!(std::abs(theta) < 90.0))
    return 0.0;
  const double energy = water_density * gravity * hs * hs / 16.0;
  return energy * *cg * std::cos(theta * degree) * std::sin(theta * degree);
}

ShorePlace shore_place(double dx, double dy, double azimuth) {
  const double s = std::sin(azimuth * degree);
  const double c = std::cos(azimuth * degree);
  return {dx * s + dy * c, dx * c - dy * s};
}

int rose_sector(double direction, int sectors) {
  const double width = 360.0 / sectors;
  double turned = std::fmod(direction + width / 2.0, 360.0);
  if (turned < 0.0)
    turned += 360.0;
  const int sector = static_cast<int>(std::floor(turned / width));
  return sector < sectors ? sector : 0;  // 360 - tiny rounds up to a whole turn
}

}  // namespace report

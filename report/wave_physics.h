// report/wave_physics.h: linear wave theory for the run report: the wave
// number from the dispersion relation, the group velocity, the longshore
// energy flux of a wave at a station, and the station's place relative to the
// shoreline grid.
#pragma once

#include <numbers>
#include <optional>
#include <span>
#include <vector>

namespace report {

inline constexpr double gravity = 9.81;                     // m/s^2
inline constexpr double water_density = 1025.0;             // kg/m^3
inline constexpr double degree = std::numbers::pi / 180.0;  // radians

// The wave number k (rad/m) of a wave of `period` seconds in water `depth`
// metres deep: the root of w^2 = g k tanh(k d), to a relative error below
// 1e-9. Nothing for a period or a depth that is not positive.
std::optional<double> wave_number(double period, double depth);

// The group velocity (m/s): (w / k) (1 + 2kd / sinh 2kd) / 2.
std::optional<double> group_velocity(double period, double depth);

// The phase speed w / k and the group velocity (m/s) together, from one
// solution of the dispersion relation.
struct WaveSpeeds {
  double phase = 0.0, group = 0.0;
};
std::optional<WaveSpeeds> wave_speeds(double period, double depth);

// A direction relative to the shoreline grid (degrees, -180 .. 180) that
// points away from the shore: |theta| > 90.
bool offshore_directed(double theta);

// The longshore energy flux per metre of coast (W/m) of a wave of height hs
// (m) and period tp (s) at a station `depth` metres deep, travelling at theta
// degrees to the shore normal: E Cg cos(theta) sin(theta) with E = rho g hs^2
// / 16, positive for positive theta; 0 for a wave travelling offshore.
// Nothing where the depth, the height or the period is not positive.
std::optional<double> longshore_energy_flux(double hs, double tp, double depth, double theta);
// The same with the direction given as whether |theta| < 90 and the product
// cos(theta) sin(theta), for a loop that has them at hand.
std::optional<double> longshore_energy_flux(double hs, double tp, double depth, bool onshore,
                                            double sin_cos);

// A point's place relative to the shoreline grid: dx, dy from the grid's
// origin to the point, `azimuth` the grid's compass bearing in degrees.
struct ShorePlace {
  double alongshore = 0.0;   // dx sin(a) + dy cos(a); negative behind the origin
  double cross_shore = 0.0;  // dx cos(a) - dy sin(a)
};
ShorePlace shore_place(double dx, double dy, double azimuth);

// The edges of a row of cells from its start: 0, then the running sum of the
// widths (summed in 8 bytes), one more than there are cells.
std::vector<double> cell_edges(std::span<const float> widths);

// The sector of a wave rose of `sectors` equal sectors that a direction
// (degrees, any turn) falls in: sector 0 is centred on 0, each covers from
// half a sector before its centre up to, not including, half a sector after.
int rose_sector(double direction, int sectors);

}  // namespace report

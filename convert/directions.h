// convert/directions.h: wave directions from the wave grid's frame to map-based
// directions and to directions relative to the shoreline grid. Angles in
// degrees; ranges are reached by single corrections of 360, never a remainder.
#pragma once

#include <cstdint>

#include "context/run_context.h"
#include "context/run_parameters.h"
#include "context/status.h"
#include "context/table.h"
#include "textio/output_file.h"

namespace convert {

// 270 - a, plus 360 once if that is negative.
double azimuth_from_270(double a);
// a - 90, plus 360 once if that is negative.
double azimuth_less_90(double a);

// target (resized to the source's shape, zeroed) = c - source, or the source
// itself replaced so; the elements of the first station_count stations and
// event_count events are then brought into [0, 360): over 180 less 360 or
// below -180 plus 360, then plus 360 if negative. The stations are shared
// out over `threads` threads (each element is worked out alone).
void reflect_directions_360(std::int32_t station_count, std::int32_t event_count,
                            const context::Table<double>& source, double c,
                            context::Table<double>& target, unsigned threads = 1);
// The same, brought into [-180, 180] by the first correction only.
void reflect_directions_180(std::int32_t station_count, std::int32_t event_count,
                            const context::Table<double>& source, double c,
                            context::Table<double>& target, unsigned threads = 1);

// True when no shoreline azimuth was given (-9999.0 or less).
bool shore_azimuth_missing(double shore_azimuth);
// When no shoreline azimuth was given, takes 360 - wave_azimuth and prints the
// warning block; otherwise leaves it as it is and prints nothing.
void default_shore_azimuth(double& shore_azimuth, double wave_azimuth, textio::OutputFile& console);

// The directions the output series carry: relative to the shoreline for the
// shoreline-model output, map-based otherwise. The chosen table moves into
// selected (nothing reads it again) and is left empty.
void selected_direction(const context::RunParameters& params, context::Table<double>& world,
                        context::Table<double>& shore, context::Table<double>& selected);

// The phase step convert_directions is declared in convert/conversion.h.

// The run's step: world directions, shoreline azimuth defaulting and shoreline
// directions.
void convert_directions(context::RunContext& ctx);

}  // namespace convert

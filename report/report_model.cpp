#include "report/report_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "report/wave_physics.h"

namespace report {
namespace {

// Below this a depth gradient (m/m) gives no usable direction.
constexpr double least_gradient = 0.001;
// The shoreline axis may turn this far from the depth grid's sea before the
// run is flagged.
constexpr double axis_tolerance_degrees = 30.0;

double compass(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0.0)
    d += 360.0;
  return d >= 360.0 ? 0.0 : d;
}

// The direction of decreasing depth at cell (i, j) as a compass bearing, from
// central differences over its four neighbours, each divided by the distance
// between the neighbours' cell centres; none at the grid's edge, next to a
// dry cell or where the sea bed is nearly flat.
std::optional<double> shoreward_bearing(const WaveGridFrame& g, std::int32_t i, std::int32_t j) {
  if (i < 2 || j < 2 || i > g.ni - 1 || j > g.nj - 1 || g.depth.empty())
    return std::nullopt;
  const double west = g.depth_at(i - 1, j), east = g.depth_at(i + 1, j);
  const double south = g.depth_at(i, j - 1), north = g.depth_at(i, j + 1);
  if (!(west > 0.0 && east > 0.0 && south > 0.0 && north > 0.0))
    return std::nullopt;
  const double gi = (east - west) / (g.centre_i(i + 1) - g.centre_i(i - 1));
  const double gj = (north - south) / (g.centre_j(j + 1) - g.centre_j(j - 1));
  if (!(std::hypot(gi, gj) >= least_gradient))
    return std::nullopt;
  // Down the slope, turned onto the map with the grid.
  const double x = -(gi * g.i_axis.x + gj * g.j_axis.x);
  const double y = -(gi * g.i_axis.y + gj * g.j_axis.y);
  return bearing_of(x, y);
}

// The centres of the dry cells (0 m or less) that touch a wet one: the
// nearest dry cell to any wet point is one of them.
std::vector<Point> dry_edge_cells(const WaveGridFrame& g) {
  std::vector<Point> edge;
  if (g.depth.empty())
    return edge;
  const auto wet = [&](std::int32_t i, std::int32_t j) {
    return i >= 1 && j >= 1 && i <= g.ni && j <= g.nj && g.depth_at(i, j) > 0.0f;
  };
  for (std::int32_t j = 1; j <= g.nj; ++j) {
    for (std::int32_t i = 1; i <= g.ni; ++i) {
      if (g.depth_at(i, j) > 0.0f)
        continue;
      if (wet(i - 1, j) || wet(i + 1, j) || wet(i, j - 1) || wet(i, j + 1))
        edge.push_back({g.centre_i(i), g.centre_j(j)});
    }
  }
  return edge;
}

}  // namespace

double ShoreAxis::compass_of(double theta) const {
  return compass(offset - theta);
}

double bearing_of(double east, double north) {
  return compass(std::atan2(east, north) / degree);
}

std::vector<StationResult> station_results(const WaveGridFrame& grid, const ShoreAxis* shore,
                                           std::span<const StationPlace> places,
                                           std::vector<StationSeries> series,
                                           std::optional<double> closure_depth) {
  const std::vector<Point> dry_edge = dry_edge_cells(grid);
  std::vector<StationResult> results(places.size());
  std::vector<StationClimate> climate(places.size());
  std::vector<StationSetting> setting(places.size());
  for (std::size_t p = 0; p < places.size(); ++p) {
    StationResult& r = results[p];
    const StationPlace& place = places[p];
    r.i = place.i;
    r.j = place.j;
    r.easting = place.easting;
    r.northing = place.northing;
    r.depth = place.depth;
    if (p < series.size())
      r.series = std::move(series[p]);
    StationSetting& s = r.setting;
    s.depth = r.depth;
    if (shore != nullptr) {
      r.cell = place.cell;
      const ShorePlace on_axis =
          shore_place(r.easting - shore->origin.x, r.northing - shore->origin.y, shore->azimuth);
      r.alongshore = on_axis.alongshore;
      r.cross_shore = on_axis.cross_shore;
      s.cell = r.cell;
      s.alongshore = r.alongshore;
      s.cross_shore = r.cross_shore;
    }
    const StationClimate& c = r.series.climate;
    if (c.has_direction) {
      if (shore != nullptr) {
        double theta = std::remainder(c.mean_direction, 360.0);
        if (theta <= -180.0)
          theta += 360.0;
        r.mean_theta = theta;
        r.mean_from = shore->compass_of(theta);
      } else {
        r.mean_from = compass(c.mean_direction);
      }
      s.travel_bearing = compass(*r.mean_from + 180.0);
    }
    if (r.i >= 1 && r.j >= 1 && r.i <= grid.ni && r.j <= grid.nj) {
      s.shoreward_bearing = shoreward_bearing(grid, r.i, r.j);
      const double x = grid.centre_i(r.i), y = grid.centre_j(r.j);
      double nearest = std::numeric_limits<double>::infinity();
      for (const Point& d : dry_edge) nearest = std::min(nearest, std::hypot(d.x - x, d.y - y));
      if (std::isfinite(nearest))
        s.dry_distance = nearest;
    }
    climate[p] = c;
    setting[p] = s;
  }
  const std::vector<unsigned> flags =
      station_flags(climate, setting, shore != nullptr, closure_depth);
  for (std::size_t p = 0; p < results.size(); ++p) results[p].flags = flags[p];
  return results;
}

std::vector<CoastInterval> coast_intervals(const std::vector<StationResult>& stations,
                                           const SedimentParameters& p) {
  std::vector<std::size_t> order;
  for (std::size_t k = 0; k < stations.size(); ++k) {
    const StationResult& r = stations[k];
    if (r.series.transport && r.series.transport->transporting_steps > 0 &&
        (r.flags & behind_origin) == 0 && r.cell != 0)
      order.push_back(k);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return stations[a].alongshore < stations[b].alongshore;
  });
  std::vector<CoastInterval> coast;
  for (std::size_t k = 0; k + 1 < order.size(); ++k) {
    const StationResult& a = stations[order[k]];
    const StationResult& b = stations[order[k + 1]];
    CoastInterval c;
    c.from = order[k];
    c.to = order[k + 1];
    c.length = b.alongshore - a.alongshore;
    const double qa = a.series.transport->cerc.net(), qb = b.series.transport->cerc.net();
    if (c.length > 0.0)
      c.cerc_gradient = (qb - qa) / c.length;
    c.shoreline_change = shoreline_change_rate(qa, a.alongshore, qb, b.alongshore, p);
    coast.push_back(c);
  }
  return coast;
}

std::vector<RunCheck> model_checks(const ReportModel& model) {
  std::vector<RunCheck> checks;
  if (model.run.shoreline) {
    // The land side of the axis (cross-shore distance above 0, where onshore
    // waves travel) against the mean of the stations' shoreward gradients.
    double east = 0.0, north = 0.0;
    std::size_t used = 0;
    for (const StationResult& r : model.stations) {
      if (!r.setting.shoreward_bearing)
        continue;
      east += std::sin(*r.setting.shoreward_bearing * degree);
      north += std::cos(*r.setting.shoreward_bearing * degree);
      ++used;
    }
    if (used > 0) {
      const double land = compass(model.shore.azimuth + 90.0);
      const double shoreward = bearing_of(east, north);
      const double apart = bearing_difference(land, shoreward);
      if (apart > axis_tolerance_degrees) {
        checks.push_back(
            {"axis_faces_land",
             "the shoreline axis does not face the sea of the depth grid: check the sign of the "
             "shoreline azimuth and of the wave grid's azimuth (the axis's land side faces " +
                 std::to_string(static_cast<int>(std::lround(land))) +
                 " degrees, the depth grid's shore lies toward " +
                 std::to_string(static_cast<int>(std::lround(shoreward))) +
                 " degrees from the stations, " + std::to_string(used) + " stations used)"});
      }
    }
  }
  if (model.run.krv_mode != 0 && model.stamps.size() > 1 &&
      model.stamps.front() == model.stamps.back()) {
    checks.push_back({"zero_time_step",
                      "the time step is 0: every output step has the same date and time; "
                      "check TIM"});
  }
  return checks;
}

}  // namespace report

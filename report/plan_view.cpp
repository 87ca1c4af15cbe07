#include "report/plan_view.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "report/wave_physics.h"

namespace report {
namespace {

constexpr double plot_size = 900.0;  // the longer side of the map, px
constexpr double margin_left = 80.0, margin_top = 12.0, margin_right = 16.0, margin_bottom = 44.0;
constexpr double longest_arrow = 45.0;  // px, for the highest mean height
constexpr std::size_t labelled_stations = 60;

// Map coordinates to the SVG's and back, north up, one scale for both.
struct MapFrame {
  double min_x = 0.0, max_y = 0.0, scale = 1.0, width = 0.0, height = 0.0;
  Point to_svg(Point p) const {
    return {margin_left + (p.x - min_x) * scale, margin_top + (max_y - p.y) * scale};
  }
};

MapFrame frame_around(const std::vector<Point>& points) {
  double min_x = points.front().x, max_x = min_x, min_y = points.front().y, max_y = min_y;
  for (const Point& p : points) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  // A little room around everything, and some extent for a single point.
  const double pad = std::max({(max_x - min_x) * 0.05, (max_y - min_y) * 0.05, 10.0});
  min_x -= pad;
  max_x += pad;
  min_y -= pad;
  max_y += pad;
  MapFrame f;
  f.min_x = min_x;
  f.max_y = max_y;
  f.scale = plot_size / std::max(max_x - min_x, max_y - min_y);
  f.width = (max_x - min_x) * f.scale;
  f.height = (max_y - min_y) * f.scale;
  return f;
}

void point_pair(Page& page, Point p) {
  page << Num{p.x} << "," << Num{p.y};
}

// Shades the depth grid in blocks of at most max_shaded_cells a side, drawn
// in the grid's own metres under one transform; neighbouring blocks of one
// class along a row are one rectangle.
void write_depth_shading(Page& page, const WaveGridFrame& g, const MapFrame& f, double step) {
  const std::int32_t ni = g.ni, nj = g.nj;
  if (ni < 1 || nj < 1 || g.depth.empty())
    return;
  const std::int32_t bi = (ni + max_shaded_cells - 1) / max_shaded_cells;
  const std::int32_t bj = (nj + max_shaded_cells - 1) / max_shaded_cells;
  const Point o = f.to_svg(g.origin);
  // Grid metres (x along i, y along j) to SVG units.
  page << "<g class=\"depth\" shape-rendering=\"crispEdges\" transform=\"matrix("
       << Num{f.scale * g.i_axis.x, 6} << " " << Num{-f.scale * g.i_axis.y, 6} << " "
       << Num{f.scale * g.j_axis.x, 6} << " " << Num{-f.scale * g.j_axis.y, 6} << " " << Num{o.x, 3}
       << " " << Num{o.y, 3} << ")\">\r\n";
  const int decimals = g.edges_i.back() + g.edges_j.back() < 1e4 ? 2 : 1;
  const std::int32_t block_rows = (nj + bj - 1) / bj, block_columns = (ni + bi - 1) / bi;
  for (std::int32_t br = 0; br < block_rows; ++br) {
    const std::int32_t j0 = br * bj, j1 = std::min(nj, j0 + bj);  // grid rows from 0 (j - 1)
    const char* run_class = nullptr;
    double run_start = 0.0;
    for (std::int32_t bc = 0; bc <= block_columns; ++bc) {
      const char* cls = nullptr;
      if (bc < block_columns) {
        const std::int32_t i0 = bc * bi, i1 = std::min(ni, i0 + bi);
        double sum = 0.0;
        for (std::int32_t j = j0; j < j1; ++j) {
          for (std::int32_t i = i0; i < i1; ++i) sum += g.depth_at(i + 1, j + 1);
        }
        cls = depth_class(sum / ((j1 - j0) * (i1 - i0)), step);
      }
      const double x = g.edges_i[static_cast<std::size_t>(std::min(ni, bc * bi))];
      if (cls == run_class && cls != nullptr)
        continue;
      if (run_class != nullptr) {
        page << "<path class=\"" << std::string_view(run_class) << "\" d=\"M"
             << Num{run_start, decimals} << " "
             << Num{g.edges_j[static_cast<std::size_t>(j0)], decimals} << "H" << Num{x, decimals}
             << "V" << Num{g.edges_j[static_cast<std::size_t>(j1)], decimals} << "H"
             << Num{run_start, decimals} << "Z\"/>\r\n";
      }
      run_class = cls;
      run_start = x;
    }
  }
  page << "</g>\r\n";
}

void write_grid_outline(Page& page, const WaveGridFrame& g, const MapFrame& f) {
  const double w = g.edges_i.back(), h = g.edges_j.back();
  page << "<polygon class=\"grid\" points=\"";
  for (const Point corner : {g.at(0, 0), g.at(w, 0), g.at(w, h), g.at(0, h)}) {
    point_pair(page, f.to_svg(corner));
    page << " ";
  }
  page << "\"><title>KRV-Wave grid</title></polygon>\r\n";
  const Point o = f.to_svg(g.origin);
  page << "<circle class=\"origin\" cx=\"" << Num{o.x} << "\" cy=\"" << Num{o.y}
       << "\" r=\"4\"><title>KRV-Wave grid origin</title></circle>\r\n";
}

// Every cell edge on the axis (or every n-th for many cells), the cell
// numbers at a readable interval.
void write_shore_axis(Page& page, const ShoreAxis& s, const MapFrame& f) {
  const std::size_t cells = s.edges.size() - 1;
  if (cells == 0)
    return;
  const Point a = f.to_svg(s.origin), b = f.to_svg(s.at(s.edges.back()));
  page << "<g class=\"shore\"><line x1=\"" << Num{a.x} << "\" y1=\"" << Num{a.y} << "\" x2=\""
       << Num{b.x} << "\" y2=\"" << Num{b.y} << "\"><title>Dunelot grid axis</title></line>\r\n";
  // On the SVG, the axis runs along (along.x, -along.y); ticks across it.
  const Point across{s.along.y, s.along.x};
  const std::size_t label_every = every_nth(static_cast<double>(cells), 12);
  const std::size_t tick_every = cells <= 300 ? 1 : label_every;
  page << "<path class=\"ticks\" d=\"";
  for (std::size_t k = 0; k <= cells; k += tick_every) {
    const Point p = f.to_svg(s.at(s.edges[k]));
    page << "M" << Num{p.x - 5 * across.x} << " " << Num{p.y - 5 * across.y} << "l"
         << Num{10 * across.x} << " " << Num{10 * across.y};
  }
  page << "\"/>\r\n";
  for (std::size_t cell = 1; cell <= cells;
       cell += (cell == 1 && label_every > 1) ? label_every - 1 : label_every) {
    const Point p = f.to_svg(s.at((s.edges[cell - 1] + s.edges[cell]) / 2));
    page << "<text class=\"cellno\" x=\"" << Num{p.x + 14 * across.x} << "\" y=\""
         << Num{p.y + 14 * across.y + 4} << "\">" << Int{static_cast<std::int64_t>(cell)}
         << "</text>\r\n";
  }
  page << "<text class=\"cellno\" x=\"" << Num{a.x - 14 * across.x} << "\" y=\""
       << Num{a.y - 14 * across.y + 4} << "\">origin</text></g>\r\n";
}

void write_scale_bar(Page& page, const MapFrame& f) {
  const double metres = nice_step(f.width / f.scale, 5);
  const double x0 = margin_left + 12, y0 = margin_top + f.height - 16;
  const std::string label =
      metres >= 1000 ? number_text(metres / 1000, 3) + " km" : number_text(metres, 3) + " m";
  page << "<g class=\"scalebar\"><path d=\"M" << Num{x0} << " " << Num{y0 - 5} << "v5h"
       << Num{metres * f.scale} << "v-5\"/><text x=\"" << Num{x0} << "\" y=\"" << Num{y0 - 9}
       << "\">" << Text{label} << "</text></g>\r\n";
  const double nx = margin_left + f.width - 24, ny = margin_top + 14;
  page << "<g class=\"north\"><path d=\"M" << Num{nx} << " " << Num{ny} << "l-7 22l7 -6l7 6z\"/>"
       << "<text x=\"" << Num{nx} << "\" y=\"" << Num{ny + 36} << "\">N</text></g>\r\n";
}

// Coordinate ticks along the bottom and the left of the map, in metres.
void write_coordinate_ticks(Page& page, const MapFrame& f) {
  const double step = nice_step(f.width / f.scale, 5);
  const double right = margin_left + f.width, bottom = margin_top + f.height;
  page << "<rect class=\"frame\" x=\"" << Num{margin_left} << "\" y=\"" << Num{margin_top}
       << "\" width=\"" << Num{f.width} << "\" height=\"" << Num{f.height} << "\"/>\r\n";
  page << "<g class=\"coords\">";
  const double min_x = f.min_x, max_x = f.min_x + f.width / f.scale;
  const TickRange xs = ticks_from(std::ceil(min_x / step) * step, max_x, step);
  double x = xs.start;
  for (std::int64_t k = 0; k < xs.count; ++k, x += step) {
    const double sx = margin_left + (x - min_x) * f.scale;
    page << "<path d=\"M" << Num{sx} << " " << Num{bottom} << "v5\"/><text x=\"" << Num{sx}
         << "\" y=\"" << Num{bottom + 17} << "\">" << Num{x, 0} << "</text>";
  }
  const double max_y = f.max_y, min_y = f.max_y - f.height / f.scale;
  const TickRange ys = ticks_from(std::ceil(min_y / step) * step, max_y, step);
  double y = ys.start;
  for (std::int64_t k = 0; k < ys.count; ++k, y += step) {
    const double sy = margin_top + (max_y - y) * f.scale;
    page << "<path d=\"M" << Num{margin_left} << " " << Num{sy}
         << "h-5\"/><text class=\"left\" x=\"" << Num{margin_left - 7} << "\" y=\"" << Num{sy + 4}
         << "\">" << Num{y, 0} << "</text>";
  }
  page << "<text x=\"" << Num{(margin_left + right) / 2} << "\" y=\"" << Num{bottom + 36}
       << "\">Easting (m)</text><text transform=\"translate(14 " << Num{margin_top + f.height / 2}
       << ") rotate(-90)\">Northing (m)</text></g>\r\n";
}

void write_stations(Page& page, const std::vector<StationResult>& stations, const ShoreAxis* shore,
                    const MapFrame& f) {
  if (shore != nullptr) {
    page << "<path class=\"proj\" d=\"";
    for (const StationResult& r : stations) {
      const Point a = f.to_svg({r.easting, r.northing}), b = f.to_svg(shore->at(r.alongshore));
      page << "M" << Num{a.x} << " " << Num{a.y} << "L" << Num{b.x} << " " << Num{b.y};
    }
    page << "\"/>\r\n";
  }
  double highest = 0.0;
  for (const StationResult& r : stations) highest = std::max(highest, r.series.height.mean);
  // Arrows no longer than about the spacing of the stations (the median
  // distance from one to the next), so that many stations stay apart.
  std::vector<double> spacing;
  for (std::size_t p = 1; p < stations.size(); ++p) {
    const Point a = f.to_svg({stations[p - 1].easting, stations[p - 1].northing});
    const Point b = f.to_svg({stations[p].easting, stations[p].northing});
    spacing.push_back(std::hypot(b.x - a.x, b.y - a.y));
  }
  double longest = longest_arrow, radius = 4.0;
  if (!spacing.empty()) {
    std::nth_element(spacing.begin(), spacing.begin() + spacing.size() / 2, spacing.end());
    longest = std::clamp(1.5 * spacing[spacing.size() / 2], 14.0, longest_arrow);
    radius = std::clamp(0.45 * spacing[spacing.size() / 2], 2.0, 4.0);
  }
  for (const StationResult& r : stations) {
    if (!r.series.climate.has_direction || !(r.series.height.mean > 0.0) || !(highest > 0.0))
      continue;
    const Point a = f.to_svg({r.easting, r.northing});
    const double length = longest * r.series.height.mean / highest;
    if (!r.setting.travel_bearing)
      continue;
    const double b = *r.setting.travel_bearing * degree;
    page << "<line class=\"arrow\" x1=\"" << Num{a.x} << "\" y1=\"" << Num{a.y} << "\" x2=\""
         << Num{a.x + length * std::sin(b)} << "\" y2=\"" << Num{a.y - length * std::cos(b)}
         << "\" marker-end=\"url(#head)\"/>\r\n";
  }
  const std::size_t label_every =
      stations.size() <= labelled_stations
          ? 1
          : every_nth(static_cast<double>(stations.size()) / labelled_stations, 1);
  for (std::size_t p = 0; p < stations.size(); ++p) {
    const StationResult& r = stations[p];
    const Point a = f.to_svg({r.easting, r.northing});
    const bool flagged = r.flags != 0;
    page << "<a href=\"#station-" << Int{static_cast<std::int64_t>(p + 1)} << "\"><circle class=\""
         << std::string_view(flagged ? "st flagged" : "st") << "\" cx=\"" << Num{a.x} << "\" cy=\""
         << Num{a.y} << "\" r=\"" << Num{radius} << "\"><title>station "
         << Int{static_cast<std::int64_t>(p + 1)}
         << (flagged ? std::string_view(": ") : std::string_view()) << Text{flag_names(r.flags)}
         << "</title></circle>";
    if (flagged || (p + 1) % label_every == 0 || p == 0) {
      page << "<text class=\"" << std::string_view(flagged ? "stno flagged" : "stno") << "\" x=\""
           << Num{a.x + 6} << "\" y=\"" << Num{a.y - 6} << "\">"
           << Int{static_cast<std::int64_t>(p + 1)} << "</text>";
    }
    page << "</a>\r\n";
  }
}

}  // namespace

double nice_step(double range, int parts) {
  if (!(range > 0.0) || !std::isfinite(range))
    return 1.0;
  const double rough = range / parts;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= rough * (1 - 1e-9))
      return m * power;
  }
  return 10.0 * power;
}

TickRange ticks_from(double start, double end, double step) {
  TickRange t{start, step, 0};
  if (!(step > 0.0) || !std::isfinite(start) || !std::isfinite(end) || !std::isfinite(step))
    return t;
  if (!((end - start) / step < static_cast<double>(max_ticks)))
    return t;
  // Counted as the ticks are made, by adding: the same values as they get.
  for (double v = start; v <= end && t.count <= max_ticks; v += step) ++t.count;
  if (t.count > max_ticks)
    t.count = 0;
  return t;
}

std::size_t every_nth(double count, int parts) {
  const double step = nice_step(count, parts);
  return step >= 1.0 && step < 1e15 ? static_cast<std::size_t>(step) : 1;
}

const char* depth_class(double depth, double step) {
  static constexpr const char* classes[] = {"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7"};
  if (!(depth > 0.0))
    return "dl";
  const double k = std::floor(depth / step);
  return classes[k >= 7.0 ? 7 : static_cast<std::size_t>(k)];
}

void write_plan_view(Page& page, const ReportModel& model) {
  const bool shoreline = model.run.shoreline;
  const WaveGridFrame& grid = model.grid;
  const ShoreAxis& shore = model.shore;
  const std::vector<StationResult>& stations = model.stations;

  std::vector<Point> extent;
  const double w = grid.edges_i.back(), h = grid.edges_j.back();
  for (const Point corner : {grid.at(0, 0), grid.at(w, 0), grid.at(w, h), grid.at(0, h)})
    extent.push_back(corner);
  for (const StationResult& r : stations) {
    extent.push_back({r.easting, r.northing});
    if (shoreline)
      extent.push_back(shore.at(r.alongshore));
  }
  if (shoreline) {
    extent.push_back(shore.origin);
    extent.push_back(shore.at(shore.edges.back()));
  }
  const MapFrame f = frame_around(extent);

  float deepest = 0.0f;
  for (const float d : grid.depth) deepest = std::max(deepest, d);
  const double step = nice_step(deepest, 8);

  page << "<svg class=\"plan\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 "
       << Num{margin_left + f.width + margin_right} << " "
       << Num{margin_top + f.height + margin_bottom}
       << "\" role=\"img\" aria-label=\"plan view\">\r\n"
       << "<defs><marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"8\" refY=\"5\" markerWidth=\"5\" "
          "markerHeight=\"5\" orient=\"auto\"><path d=\"M0 0L10 5L0 10z\"/></marker></defs>\r\n"
       << "<rect class=\"sea\" x=\"" << Num{margin_left} << "\" y=\"" << Num{margin_top}
       << "\" width=\"" << Num{f.width} << "\" height=\"" << Num{f.height} << "\"/>\r\n";
  write_depth_shading(page, grid, f, step);
  write_grid_outline(page, grid, f);
  if (shoreline)
    write_shore_axis(page, shore, f);
  write_stations(page, stations, shoreline ? &shore : nullptr, f);
  write_scale_bar(page, f);
  write_coordinate_ticks(page, f);
  page << "</svg>\r\n";

  // The legend, below the map.
  const int block_i = (grid.ni + max_shaded_cells - 1) / max_shaded_cells;
  const int block_j = (grid.nj + max_shaded_cells - 1) / max_shaded_cells;
  page << "<p class=\"legend\">Depth at the KRV-Wave grid";
  if (block_i > 1 || block_j > 1)
    page << " (mean of blocks of " << Int{block_i} << " x " << Int{block_j} << " cells)";
  page << ": ";
  // The classes the grid reaches.
  const int classes = std::clamp(static_cast<int>(std::ceil(deepest / step)), 1, 8);
  for (int k = 0; k < classes; ++k) {
    const bool last = k == 7;
    page << "<span class=\"sw d" << Int{k} << "\"></span>" << Num{k * step, 2}
         << (last ? std::string_view(" m and more") : std::string_view("\u2013"))
         << (last ? std::string_view() : std::string_view(number_text((k + 1) * step, 2) + " m"))
         << " ";
  }
  page << "<span class=\"sw dl\"></span>land (0 m or less). "
       << "<span class=\"sw st\"></span>station (number), <span class=\"sw flagged\"></span>"
          "flagged station; arrows: mean travel direction of the output waves, length in "
          "proportion to the mean Hs (longest: ";
  double highest = 0.0;
  for (const StationResult& r : stations) highest = std::max(highest, r.series.height.mean);
  page << Num{highest, 2} << " m)";
  if (shoreline)
    page << "; the Dunelot grid axis with its cell edges and cell numbers, a dashed line from "
            "each station to where it projects onto the axis";
  if (stations.size() > labelled_stations)
    page << "; every station is a link to its section, only some numbers are written";
  page << ".</p>\r\n";
}

}  // namespace report

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
// From this many stations on, a second view along the shore.
constexpr std::size_t alongshore_view_stations = 200;

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
  // The origin's label behind it, on the side away from the cell numbers.
  const Point back{-s.along.x, s.along.y};
  page << "<text class=\"cellno\" x=\"" << Num{a.x + 22 * back.x - 16 * across.x} << "\" y=\""
       << Num{a.y + 22 * back.y - 16 * across.y + 4} << "\">origin</text>\r\n";
  // The land-side normal (where onshore waves travel: cross-shore distance
  // above 0) from the axis's middle, and the sea on the other side.
  const Point m = f.to_svg(s.at(s.edges.back() / 2));
  const Point land{s.along.y, s.along.x};  // (cos a, -sin a) on the map, y down on the SVG
  page << "<g class=\"landsea\"><line x1=\"" << Num{m.x} << "\" y1=\"" << Num{m.y} << "\" x2=\""
       << Num{m.x + 36 * land.x} << "\" y2=\"" << Num{m.y + 36 * land.y}
       << "\" marker-end=\"url(#head)\"/><text x=\"" << Num{m.x + 50 * land.x} << "\" y=\""
       << Num{m.y + 50 * land.y + 4} << "\">land</text><text x=\"" << Num{m.x - 40 * land.x}
       << "\" y=\"" << Num{m.y - 40 * land.y + 4} << "\">sea</text></g></g>\r\n";
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
      if (r.alongshore < 0.0)
        continue;
      const Point a = f.to_svg({r.easting, r.northing}), b = f.to_svg(shore->at(r.alongshore));
      page << "M" << Num{a.x} << " " << Num{a.y} << "L" << Num{b.x} << " " << Num{b.y};
    }
    page << "\"/>\r\n";
    // A station behind the origin: the axis carried on behind the origin to
    // its projection, and the line to the mirror position whose cell it gets.
    for (const StationResult& r : stations) {
      if (!(r.alongshore < 0.0))
        continue;
      const Point a = f.to_svg({r.easting, r.northing}), o = f.to_svg(shore->origin);
      const Point behind = f.to_svg(shore->at(r.alongshore));
      const Point mirror = f.to_svg(shore->at(-r.alongshore));
      page << "<path class=\"mirror\" d=\"M" << Num{o.x} << " " << Num{o.y} << "L" << Num{behind.x}
           << " " << Num{behind.y} << "M" << Num{a.x} << " " << Num{a.y} << "L" << Num{mirror.x}
           << " " << Num{mirror.y}
           << "\"><title>behind the origin: takes the cell of its mirror position, cell "
           << Int{r.cell} << "</title></path>\r\n";
    }
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

// A long coast seen along the shore: alongshore distance across,
// cross-shore distance up (the sea below the axis), every station, the cells'
// edges on the axis.
void write_alongshore_view(Page& page, const ReportModel& model) {
  constexpr double left = 80.0, right = 990.0, top = 16.0, height = 200.0;
  const ShoreAxis& shore = model.shore;
  double near = std::min(0.0, shore.edges.back()), far = std::max(0.0, shore.edges.back());
  double low = 0.0, high = 0.0;
  for (const StationResult& r : model.stations) {
    near = std::min(near, r.alongshore);
    far = std::max(far, r.alongshore);
    low = std::min(low, r.cross_shore);
    high = std::max(high, r.cross_shore);
  }
  if (!(far - near > 0.0))
    far = near + 1.0;
  if (!(high - low > 0.0))
    high = low + 1.0;
  const double pad = 0.05 * (high - low);
  low -= pad;
  high += pad;
  const auto x_of = [&](double d) { return left + (right - left) * (d - near) / (far - near); };
  const auto y_of = [&](double c) { return top + height * (high - c) / (high - low); };
  page << "<svg class=\"alongshore\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 "
          "270\" role=\"img\" aria-label=\"stations along the shore\">\r\n"
       << "<rect class=\"frame\" x=\"" << Num{left} << "\" y=\"" << Num{top} << "\" width=\""
       << Num{right - left} << "\" height=\"" << Num{height} << "\"/>\r\n";
  const std::size_t cells = shore.edges.size() - 1;
  const std::size_t every = every_nth(static_cast<double>(cells), 40);
  page << "<g class=\"shore\"><line x1=\"" << Num{x_of(0.0)} << "\" y1=\"" << Num{y_of(0.0)}
       << "\" x2=\"" << Num{x_of(shore.edges.back())} << "\" y2=\"" << Num{y_of(0.0)}
       << "\"/><path class=\"ticks\" d=\"";
  for (std::size_t k = 0; k <= cells; k += every)
    page << "M" << Num{x_of(shore.edges[k])} << " " << Num{y_of(0.0) - 4} << "v8";
  page << "\"/></g>\r\n";
  const std::size_t label_every =
      model.stations.size() <= labelled_stations
          ? 1
          : every_nth(static_cast<double>(model.stations.size()) / labelled_stations, 1);
  for (std::size_t p = 0; p < model.stations.size(); ++p) {
    const StationResult& r = model.stations[p];
    const bool flagged = r.flags != 0;
    const double x = x_of(r.alongshore), y = y_of(r.cross_shore);
    page << "<a href=\"#station-" << Int{static_cast<std::int64_t>(p + 1)} << "\"><circle class=\""
         << std::string_view(flagged ? "st flagged" : "st") << "\" cx=\"" << Num{x} << "\" cy=\""
         << Num{y} << "\" r=\"2.5\"/>";
    if (flagged || (p + 1) % label_every == 0 || p == 0) {
      page << "<text class=\"" << std::string_view(flagged ? "stno flagged" : "stno") << "\" x=\""
           << Num{x + 4} << "\" y=\"" << Num{y - 4} << "\">"
           << Int{static_cast<std::int64_t>(p + 1)} << "</text>";
    }
    page << "</a>\r\n";
  }
  page << "<g class=\"axis\">";
  const double dstep = nice_step(far - near, 8);
  const TickRange distances = ticks_from(std::ceil(near / dstep) * dstep, far, dstep);
  double d = distances.start;
  for (std::int64_t k = 0; k < distances.count; ++k, d += dstep) {
    page << "<text x=\"" << Num{std::clamp(x_of(d), left + 20, right - 25)} << "\" y=\""
         << Num{top + height + 18} << "\">" << Num{d, 0} << "</text>";
  }
  const double cstep = nice_step(high - low, 4);
  const TickRange across = ticks_from(std::ceil(low / cstep) * cstep, high, cstep);
  double c = across.start;
  for (std::int64_t k = 0; k < across.count; ++k, c += cstep) {
    page << "<text class=\"left\" x=\"" << Num{left - 5} << "\" y=\"" << Num{y_of(c) + 4} << "\">"
         << Num{c, 0} << "</text>";
  }
  page << "<text x=\"" << Num{(left + right) / 2} << "\" y=\"" << Num{top + height + 40}
       << "\">alongshore distance from the Dunelot grid origin (m)</text><text "
          "transform=\"translate(14 "
       << Num{top + height / 2}
       << ") rotate(-90)\">cross-shore (m, land up)</text></g>\r\n</svg>\r\n"
       << "<p class=\"legend\">The stations along the shore, to scale along and across the "
          "Dunelot axis separately: alongshore distance across, cross-shore distance up (the land "
          "side up, the sea below the axis).</p>\r\n";
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
    for (const StationResult& r : stations) extent.push_back(shore.at(std::abs(r.alongshore)));
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
  page << "<span class=\"sw dl\"></span>land (0 m or less). <span class=\"sw gridline\"></span>"
          "KRV-Wave grid outline, <span class=\"sw gridorigin\"></span>its origin. "
       << "<span class=\"sw st\"></span>station (number), <span class=\"sw flagged\"></span>"
          "flagged station; arrows: mean travel direction of the output waves, length in "
          "proportion to the mean Hs (longest: ";
  double highest = 0.0;
  for (const StationResult& r : stations) highest = std::max(highest, r.series.height.mean);
  page << Num{highest, 2} << " m)";
  if (shoreline)
    page << "; the Dunelot grid axis with its cell edges and cell numbers, a dashed line from "
            "each station to where it projects onto the axis, an arrow from the axis toward its "
            "land side (where onshore waves travel); for a station behind the origin, in red, the "
            "axis carried on behind the origin and the line to the mirror position whose cell "
            "it gets";
  if (stations.size() > labelled_stations)
    page << "; every station is a link to its section, only some numbers are written";
  page << ".</p>\r\n";
  if (shoreline && stations.size() >= alongshore_view_stations)
    write_alongshore_view(page, model);
}

}  // namespace report

#include "report/charts.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "report/plan_view.h"
#include "report/wave_physics.h"

namespace report {
namespace {

// A point at `radius` from the rose's centre, `angle` degrees clockwise from up.
Point on_rose(double radius, double angle) {
  constexpr double centre = 150.0;
  return {centre + radius * std::sin(angle * degree), centre - radius * std::cos(angle * degree)};
}

void put_point(Page& page, Point p) {
  page << Num{p.x} << " " << Num{p.y};
}

}  // namespace

void write_value_axis(Page& page, double left, double top, double height, double max_value,
                      double step, double low, double right) {
  page << "<g class=\"axis\">";
  const TickRange ticks = ticks_from(std::ceil(low / step) * step, max_value * (1 + 1e-9), step);
  double v = ticks.start;
  for (std::int64_t k = 0; k < ticks.count; ++k, v += step) {
    const double y = top + height * (1.0 - (v - low) / (max_value - low));
    page << "<path class=\"gridline\" d=\"M" << Num{left} << " " << Num{y} << "h"
         << Num{right - left} << "\"/><text class=\"left\" x=\"" << Num{left - 5} << "\" y=\""
         << Num{y + 4} << "\">" << Num{v, 3} << "</text>";
  }
  page << "</g>\r\n";
}

namespace {

// The steps where a month begins (a year, for a series longer than three
// years), at most 12 of them (every n-th kept); `years` tells which.
std::vector<std::size_t> calendar_ticks(std::span<const context::Stamp> stamps, bool& years) {
  std::vector<std::size_t> ticks;
  if (stamps.size() < 2)
    return ticks;
  const auto number = [](const context::Stamp& s, std::size_t at, std::size_t width) {
    int v = 0;
    for (std::size_t k = at; k < at + width; ++k) {
      if (s[k] < '0' || s[k] > '9')
        return -1;
      v = v * 10 + (s[k] - '0');
    }
    return v;
  };
  const int first_year = number(stamps.front(), 0, 4), last_year = number(stamps.back(), 0, 4);
  const int first_month = number(stamps.front(), 4, 2), last_month = number(stamps.back(), 4, 2);
  if (first_year < 0 || last_year < 0 || first_month < 0 || last_month < 0)
    return ticks;
  const int months = (last_year - first_year) * 12 + (last_month - first_month);
  years = months > 36;
  const std::size_t width = years ? 4 : 6;  // the stamp's year, or its year and month
  for (std::size_t j = 1; j < stamps.size(); ++j) {
    if (!std::equal(stamps[j].begin(), stamps[j].begin() + static_cast<std::ptrdiff_t>(width),
                    stamps[j - 1].begin()))
      ticks.push_back(j);
  }
  if (ticks.size() > 12) {
    const std::size_t every = (ticks.size() + 11) / 12;
    std::vector<std::size_t> kept;
    for (std::size_t k = 0; k < ticks.size(); k += every) kept.push_back(ticks[k]);
    ticks.swap(kept);
  }
  return ticks;
}

}  // namespace

std::string stamp_text(const context::Stamp& s, bool with_time) {
  std::string t;
  t.append(s.data(), 4).append("-").append(s.data() + 4, 2).append("-").append(s.data() + 6, 2);
  if (with_time)
    t.append(" ").append(s.data() + 8, 2).append(":").append(s.data() + 10, 2);
  return t;
}

void write_rose(Page& page, const PercentTable& rose, bool shoreline) {
  constexpr double outer = 105.0;
  double largest = 0.0;
  for (const double total : rose.row_total) largest = std::max(largest, total);
  const double ring = nice_step(largest, 4);
  const double full = largest > 0.0 ? std::ceil(largest / ring - 1e-9) * ring : 1.0;
  const double scale = outer / full;

  page << "<svg class=\"rose\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 300 300\" "
          "role=\"img\" aria-label=\"wave rose\">\r\n";
  if (shoreline) {
    // Directions past 90 on either side travel offshore: the lower half.
    page << "<path class=\"offshore\" d=\"M";
    put_point(page, on_rose(outer, 90));
    page << "A" << Num{outer} << " " << Num{outer} << " 0 0 1 ";
    put_point(page, on_rose(outer, 270));
    page << "Z\"/>\r\n";
  }
  const TickRange rings = ticks_from(ring, full * (1 + 1e-9), ring);
  double r = rings.start;
  for (std::int64_t k = 0; k < rings.count; ++k, r += ring) {
    page << "<circle class=\"ring\" cx=\"150\" cy=\"150\" r=\"" << Num{r * scale} << "\"/>"
         << "<text class=\"ringlabel\" x=\"" << Num{150 + r * scale * 0.72 + 2} << "\" y=\""
         << Num{150 - r * scale * 0.69} << "\">" << Num{r, 2} << " %</text>\r\n";
  }
  const double width = 360.0 / static_cast<double>(rose.rows);
  for (std::size_t sector = 0; sector < rose.rows; ++sector) {
    // Sector k is centred on k sectors' width; on the shore-relative rose a
    // positive direction lies to the left.
    const double centre = (shoreline ? -1.0 : 1.0) * width * static_cast<double>(sector);
    const double a0 = centre - width / 2 + 1.0, a1 = centre + width / 2 - 1.0;
    double inner = 0.0;
    for (std::size_t c = 0; c < rose.columns; ++c) {
      const double share = rose.at(sector, c);
      if (share <= 0.0)
        continue;
      const double r0 = inner * scale, r1 = (inner + share) * scale;
      page << "<path class=\"h" << Int{static_cast<std::int64_t>(c)} << "\" d=\"M";
      put_point(page, on_rose(r0, a0));
      page << "L";
      put_point(page, on_rose(r1, a0));
      page << "A" << Num{r1} << " " << Num{r1} << " 0 0 1 ";
      put_point(page, on_rose(r1, a1));
      page << "L";
      put_point(page, on_rose(r0, a1));
      if (r0 > 0.0) {
        page << "A" << Num{r0} << " " << Num{r0} << " 0 0 0 ";
        put_point(page, on_rose(r0, a0));
      }
      page << "Z\"/>\r\n";
      inner += share;
    }
  }
  struct Mark {
    double angle;
    const char* text;
  };
  static constexpr Mark compass[] = {{0, "N"}, {90, "E"}, {180, "S"}, {270, "W"}};
  static constexpr Mark shore[] = {
      {0, "0 shore normal"}, {270, "+90"}, {180, "\u00b1180"}, {90, "\u221290"}};
  for (const Mark& m : shoreline ? std::span<const Mark>(shore) : std::span<const Mark>(compass)) {
    const Point p = on_rose(outer + 16, m.angle);
    page << "<text class=\"dir\" x=\"" << Num{p.x} << "\" y=\"" << Num{p.y + 4} << "\">"
         << std::string_view(m.text) << "</text>";
  }
  page << "\r\n</svg>\r\n";
}

void write_height_plot(Page& page, const StationSeries& series,
                       std::span<const context::Stamp> stamps) {
  constexpr double left = 50.0, top = 22.0, height = 130.0, right = 990.0;
  const double top_value =
      nice_step(series.height.max, 4) *
      std::max(1.0, std::ceil(series.height.max / nice_step(series.height.max, 4) - 1e-9));
  const double max_value = top_value > 0.0 ? top_value : 1.0;
  const std::size_t steps = stamps.size();
  page << "<svg class=\"series\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 180\" "
          "role=\"img\" aria-label=\"Hs over the output time axis\">\r\n";
  write_value_axis(page, left, top, height, max_value, nice_step(max_value, 4));
  page << "<text class=\"unit\" x=\"4\" y=\"12\">Hs (m)</text>\r\n";
  const auto x_of = [&](double step) {
    return left + (right - left) * (steps > 1 ? step / static_cast<double>(steps - 1) : 0.5);
  };
  const auto y_of = [&](double v) { return top + height * (1.0 - v / max_value); };
  // The envelope: along the highs, back along the lows.
  const auto& buckets = series.height_envelope;
  page << "<polygon class=\"envelope\" points=\"";
  for (const Bucket& b : buckets) {
    if (b.count > 0)
      page << Num{x_of(static_cast<double>(b.first))} << "," << Num{y_of(b.high)} << " ";
  }
  for (auto b = buckets.rbegin(); b != buckets.rend(); ++b) {
    if (b->count > 0)
      page << Num{x_of(static_cast<double>(b->first))} << "," << Num{y_of(b->low)} << " ";
  }
  page << "\"/>\r\n<g class=\"axis\">";
  bool years = false;
  const std::vector<std::size_t> calendar = calendar_ticks(stamps, years);
  if (calendar.size() >= 2) {
    for (const std::size_t step : calendar) {
      const double x = x_of(static_cast<double>(step));
      const std::string label(stamps[step].data(), years ? 4 : 7);
      page << "<path d=\"M" << Num{x} << " " << Num{top + height} << "v5\"/><text x=\""
           << Num{std::clamp(x, left + 25, right - 25)} << "\" y=\"" << Num{top + height + 20}
           << "\">" << Text{years ? label : label.substr(0, 4) + "-" + label.substr(4, 2)}
           << "</text>";
    }
  } else if (steps > 0) {
    const std::size_t ticks = std::min<std::size_t>(steps, 6);
    // Dates alone, unless two ticks would show the same one.
    bool with_time = false;
    for (std::size_t t = 1; t < ticks; ++t) {
      with_time = with_time || std::equal(stamps[(t - 1) * (steps - 1) / (ticks - 1)].begin(),
                                          stamps[(t - 1) * (steps - 1) / (ticks - 1)].begin() + 8,
                                          stamps[t * (steps - 1) / (ticks - 1)].begin());
    }
    for (std::size_t t = 0; t < ticks; ++t) {
      const std::size_t step = ticks > 1 ? t * (steps - 1) / (ticks - 1) : 0;
      const double x = x_of(static_cast<double>(step));
      page << "<path d=\"M" << Num{x} << " " << Num{top + height} << "v5\"/><text x=\""
           << Num{std::clamp(x, left + (with_time ? 50 : 30), right - (with_time ? 50 : 30))}
           << "\" y=\"" << Num{top + height + 20} << "\">"
           << Text{stamp_text(stamps[step], with_time)} << "</text>";
    }
  }
  page << "</g>\r\n</svg>\r\n";
}

void write_flux_plot(Page& page, const ReportModel& model) {
  const std::vector<StationResult>& stations = model.stations;
  constexpr double left = 80.0, top = 30.0, height = 204.0, right = 990.0;
  const std::vector<double>& edges = model.shore.edges;
  double low = 0.0, high = 0.0, far = edges.back();
  double near = std::min(0.0, far);
  far = std::max(0.0, far);
  for (const StationResult& r : stations) {
    if (r.series.climate.mean_flux) {
      low = std::min(low, *r.series.climate.mean_flux);
      high = std::max(high, *r.series.climate.mean_flux);
    }
    near = std::min(near, r.alongshore);
    far = std::max(far, r.alongshore);
  }
  double step = 1.0;
  const CoastPlot plot = coast_plot(left, top, height, right, near, far, low, high, step);
  const auto x_of = [&](double d) { return plot.x(d); };
  const auto y_of = [&](double v) { return plot.y(v); };

  page << "<svg class=\"flux\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 280\" "
          "role=\"img\" aria-label=\"longshore energy flux along the coast\">\r\n";
  // Cell edges, every one or every n-th for more than 40 cells; the cell
  // numbers along the top.
  write_cell_edges(page, plot, edges);
  const std::size_t cells = edges.size() - 1;
  page << "<g class=\"axis\">";
  const std::size_t label_every = every_nth(static_cast<double>(cells), 12);
  for (std::size_t cell = 1; cell <= cells;
       cell += (cell == 1 && label_every > 1) ? label_every - 1 : label_every) {
    page << "<text class=\"cellno\" x=\"" << Num{x_of((edges[cell - 1] + edges[cell]) / 2)}
         << "\" y=\"" << Num{top - 6} << "\">" << Int{static_cast<std::int64_t>(cell)} << "</text>";
  }
  page << "<text class=\"unit\" x=\"" << Num{right - 90}
       << "\" y=\"12\">Dunelot cell</text></g>\r\n";
  write_value_axis(page, left, top, height, plot.high, step, plot.low);
  page << "<path class=\"zero\" d=\"M" << Num{left} << " " << Num{y_of(0)} << "H" << Num{right}
       << "\"/>\r\n";
  page << "<polyline class=\"fluxline\" points=\"";
  for (const StationResult& r : stations) {
    if (r.series.climate.mean_flux)
      page << Num{x_of(r.alongshore)} << "," << Num{y_of(*r.series.climate.mean_flux)} << " ";
  }
  page << "\"/>\r\n";
  for (std::size_t p = 0; p < stations.size(); ++p) {
    const StationResult& r = stations[p];
    if (!r.series.climate.mean_flux)
      continue;
    page << "<circle class=\"" << std::string_view(r.flags != 0 ? "st flagged" : "st") << "\" cx=\""
         << Num{x_of(r.alongshore)} << "\" cy=\"" << Num{y_of(*r.series.climate.mean_flux)}
         << "\" r=\"3.5\"><title>station " << Int{static_cast<std::int64_t>(p + 1)} << ": "
         << Num{*r.series.climate.mean_flux, 1} << " W/m</title></circle>\r\n";
  }
  write_distance_axis(page, plot, "flux (W/m)");
}

CoastPlot coast_plot(double left, double top, double height, double right, double near, double far,
                     double low, double high, double& step) {
  if (!(far - near > 0.0))
    far = near + 1.0;
  step = nice_step(std::max(high - low, 1.0), 5);
  low = std::floor(low / step - 1e-9) * step;
  high = std::ceil(high / step + 1e-9) * step;
  if (!(high - low > 0.0))
    high = low + step;
  return {left, top, height, right, near, far, low, high};
}

void write_cell_edges(Page& page, const CoastPlot& plot, const std::vector<double>& edges) {
  const std::size_t cells = edges.size() - 1;
  const std::size_t every = cells <= 40 ? 1 : every_nth(static_cast<double>(cells), 20);
  page << "<path class=\"celledge\" d=\"";
  for (std::size_t k = 0; k <= cells; k += every)
    page << "M" << Num{plot.x(edges[k])} << " " << Num{plot.top} << "v" << Num{plot.height};
  page << "\"/>\r\n";
}

void write_distance_axis(Page& page, const CoastPlot& plot, std::string_view unit) {
  page << "<g class=\"axis\">";
  const double dstep = nice_step(plot.far - plot.near, 8);
  const TickRange distances = ticks_from(std::ceil(plot.near / dstep) * dstep, plot.far, dstep);
  double d = distances.start;
  for (std::int64_t k = 0; k < distances.count; ++k, d += dstep) {
    page << "<text x=\"" << Num{std::clamp(plot.x(d), plot.left + 10, plot.right - 20)} << "\" y=\""
         << Num{plot.top + plot.height + 18} << "\">" << Num{d, 0} << "</text>";
  }
  page << "<text x=\"" << Num{(plot.left + plot.right) / 2} << "\" y=\""
       << Num{plot.top + plot.height + 40}
       << "\">alongshore distance from the Dunelot grid origin (m)</text>"
       << "<text class=\"unit\" x=\"4\" y=\"12\">" << unit << "</text></g>\r\n</svg>\r\n";
}

}  // namespace report

#include "report/transport_charts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "report/charts.h"
#include "report/plan_view.h"
#include "report/wave_physics.h"

namespace report {
namespace {

std::string value_and_source(double value, int decimals, const std::string& unit,
                             const std::string& source) {
  return number_text(value, decimals) + unit + " (" + source + ")";
}

void kv_row(Page& page, std::string_view key, const std::string& value) {
  page << "<tr><td>" << key << "</td><td>" << value << "</td></tr>\r\n";
}

// The stations that move sand, in order of alongshore distance.
std::vector<std::size_t> moving_stations(const ReportModel& model) {
  std::vector<std::size_t> order;
  for (std::size_t p = 0; p < model.stations.size(); ++p) {
    const auto& t = model.stations[p].series.transport;
    if (t && t->transporting_steps > 0)
      order.push_back(p);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return model.stations[a].alongshore < model.stations[b].alongshore;
  });
  return order;
}

// Net (solid) and gross (dashed) yearly rates of the three formulas against
// alongshore distance, the cell edges behind them.
void write_rate_chart(Page& page, const ReportModel& model, const std::vector<std::size_t>& order) {
  constexpr double left = 90.0, top = 20.0, height = 220.0, right = 990.0;
  const std::vector<double>& edges = model.shore.edges;
  double near = std::min(0.0, edges.back()), far = std::max(0.0, edges.back());
  double low = 0.0, high = 0.0;
  for (const std::size_t p : order) {
    const StationResult& r = model.stations[p];
    const StationTransport& t = *r.series.transport;
    near = std::min(near, r.alongshore);
    far = std::max(far, r.alongshore);
    for (const YearlyRates* y : {&t.cerc, &t.kamphuis, &t.van_rijn}) {
      low = std::min({low, y->net(), y->left});
      high = std::max({high, y->net(), y->gross()});
    }
  }
  double step = 1.0;
  const CoastPlot plot = coast_plot(left, top, height, right, near, far, low, high, step);
  const auto x_of = [&](double d) { return plot.x(d); };
  const auto y_of = [&](double v) { return plot.y(v); };
  page << "<svg class=\"rates\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 290\" "
          "role=\"img\" aria-label=\"yearly sand transport along the coast\">\r\n";
  write_cell_edges(page, plot, edges);
  write_value_axis(page, left, top, height, plot.high, step, plot.low, right);
  page << "<path class=\"zero\" d=\"M" << Num{left} << " " << Num{y_of(0)} << "H" << Num{right}
       << "\"/>\r\n";
  const struct {
    Markup css;
    const YearlyRates StationTransport::*rates;
  } lines[] = {{Markup("q-cerc"), &StationTransport::cerc},
               {Markup("q-kamphuis"), &StationTransport::kamphuis},
               {Markup("q-vanrijn"), &StationTransport::van_rijn}};
  for (const auto& line : lines) {
    for (const bool gross : {false, true}) {
      page << "<polyline class=\"" << line.css << (gross ? Markup(" gross") : Markup(""))
           << "\" points=\"";
      for (const std::size_t p : order) {
        const StationResult& r = model.stations[p];
        const YearlyRates& y = (*r.series.transport).*(line.rates);
        page << Num{x_of(r.alongshore)} << "," << Num{y_of(gross ? y.gross() : y.net())} << " ";
      }
      page << "\"/>\r\n";
    }
  }
  write_distance_axis(page, plot, "m\u00b3/yr");
  page << "<p class=\"legend\"><span class=\"sw q-cerc\"></span>CERC, <span class=\"sw "
          "q-kamphuis\"></span>Kamphuis, <span class=\"sw q-vanrijn\"></span>van Rijn: net rate "
          "(solid; positive to the right, toward higher cell numbers) and gross rate (dashed) "
          "of each station against its alongshore distance; the light lines are the Dunelot "
          "cell edges.</p>\r\n";
}

// The initial shoreline change between neighbouring stations, a bar each:
// accretion up, erosion down.
void write_change_chart(Page& page, const ReportModel& model) {
  constexpr double left = 90.0, top = 20.0, height = 180.0, right = 990.0;
  double near = 0.0, far = 0.0, extreme = 0.0;
  bool any = false;
  for (const CoastInterval& c : model.coast) {
    const double a = model.stations[c.from].alongshore, b = model.stations[c.to].alongshore;
    near = any ? std::min(near, a) : a;
    far = any ? std::max(far, b) : b;
    any = true;
    if (c.shoreline_change)
      extreme = std::max(extreme, std::abs(*c.shoreline_change));
  }
  if (!any || !(extreme > 0.0)) {
    page << "<p class=\"legend\">No shoreline change rate: ";
    if (!model.run.sediment.berm_height || !model.run.sediment.closure_depth)
      page << "it needs the berm height (BER, or a BERM: record of the *.dun file) and the "
              "closure depth (CLO, or a CLOSURE: record).</p>\r\n";
    else
      page << "fewer than two stations along the coast move sand.</p>\r\n";
    return;
  }
  if (!(far - near > 0.0))
    far = near + 1.0;
  const double step = nice_step(extreme, 3);
  const double high = std::ceil(extreme / step + 1e-9) * step, low = -high;
  const CoastPlot plot{left, top, height, right, near, far, low, high};
  const auto x_of = [&](double d) { return plot.x(d); };
  const auto y_of = [&](double v) { return plot.y(v); };
  page << "<svg class=\"change\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 250\" "
          "role=\"img\" aria-label=\"initial shoreline change between stations\">\r\n";
  write_value_axis(page, left, top, height, high, step, low, right);
  for (const CoastInterval& c : model.coast) {
    if (!c.shoreline_change)
      continue;
    const double v = *c.shoreline_change;
    const double x0 = x_of(model.stations[c.from].alongshore);
    const double x1 = x_of(model.stations[c.to].alongshore);
    page << "<rect class=\"" << (v < 0.0 ? Markup("erosion") : Markup("accretion")) << "\" x=\""
         << Num{x0 + 1} << "\" y=\"" << Num{std::min(y_of(v), y_of(0))} << "\" width=\""
         << Num{std::max(x1 - x0 - 2, 1.0)} << "\" height=\"" << Num{std::abs(y_of(v) - y_of(0))}
         << "\"><title>stations " << Int{static_cast<std::int64_t>(c.from + 1)} << " to "
         << Int{static_cast<std::int64_t>(c.to + 1)} << ": " << Num{v, 2}
         << " m/yr</title></rect>\r\n";
  }
  page << "<path class=\"zero\" d=\"M" << Num{left} << " " << Num{y_of(0)} << "H" << Num{right}
       << "\"/>";
  write_distance_axis(page, plot, "m/yr");
  page << "<p class=\"legend\">Initial shoreline change between neighbouring stations that move "
          "sand, &#8722;(dQ/dx)/(berm height + closure depth) from the CERC net rate: <span "
          "class=\"sw accretion\"></span>accretion, <span class=\"sw erosion\"></span>erosion. "
          "It is the rate at the start only: the shoreline turns and the gradient changes as "
          "soon as it moves.</p>\r\n";
}

}  // namespace

void write_transport_section(Page& page, const ReportModel& model) {
  const SedimentParameters& p = model.run.sediment;
  page << "<section id=\"transport\"><h2>Sand transport</h2>\r\n<p class=\"legend\">The "
          "longshore sand transport the waves of each station would drive, by three bulk "
          "formulas after bringing each step's wave to breaking (energy flux conserved toward "
          "the shore over straight depth contours, Snell's law, shallow water at breaking). "
          "Every rate is a <b>potential</b> transport: sand everywhere, no headland "
          "sheltering, no structures. On an embayed beach fed real waves the potential net "
          "rate can be large while the real net transport is near zero: do not read one for "
          "the other. Right is toward increasing alongshore distance (higher cell numbers), "
          "as the flux's sign.</p>\r\n<table class=\"kv\">\r\n";
  kv_row(page, "Median grain size D50", value_and_source(p.d50_mm, 4, " mm", p.d50_source));
  kv_row(page, "Beach slope tan \u03b2", value_and_source(p.slope, 4, "", p.slope_source));
  kv_row(page, "Breaker index \u03b3", value_and_source(p.breaker_index, 4, "", p.breaker_source));
  kv_row(page, "Porosity", value_and_source(p.porosity, 4, "", p.porosity_source));
  kv_row(page, "Berm height",
         p.berm_height ? value_and_source(*p.berm_height, 3, " m", p.berm_source)
                       : std::string("none (BER, or a BERM: record of the *.dun file)"));
  kv_row(page, "Closure depth",
         p.closure_depth ? value_and_source(*p.closure_depth, 3, " m", p.closure_source)
                         : std::string("none (CLO, or a CLOSURE: record of the *.dun file)"));
  kv_row(page, "Constants",
         "\u03c1 = 1025 kg/m\u00b3, \u03c1s = 2650 kg/m\u00b3, g = 9.81 m/s\u00b2, a year of "
         "365.25 days, CERC K = 0.39");
  page << "</table>\r\n";
  const std::vector<std::size_t> order = moving_stations(model);
  if (order.empty()) {
    page << "<p class=\"legend\">No station moves sand.</p></section>\r\n";
    return;
  }
  write_rate_chart(page, model, order);
  write_change_chart(page, model);
  page << "<div class=\"scroll\"><table class=\"data\">\r\n<tr><th>station</th><th>cell</th>"
          "<th>alongshore (m)</th><th>transporting steps</th><th>breaking at the station "
          "(%)</th><th>mean Hb (m)</th><th>CERC right</th><th>CERC left</th><th>CERC net</th>"
          "<th>CERC gross</th><th>Kamphuis net</th><th>Kamphuis gross</th><th>van Rijn "
          "net</th><th>van Rijn gross</th><th>equilibrium rotation (\u00b0)</th></tr>\r\n";
  for (std::size_t q = 0; q < model.stations.size(); ++q) {
    const StationResult& r = model.stations[q];
    if (!r.series.transport)
      continue;
    const StationTransport& t = *r.series.transport;
    page << "<tr><td><a href=\"#station-" << Int{static_cast<std::int64_t>(q + 1)} << "\">"
         << Int{static_cast<std::int64_t>(q + 1)} << "</a></td><td>" << Int{r.cell} << "</td><td>"
         << Fixed{r.alongshore, 1} << "</td><td>" << Int{t.transporting_steps} << "</td><td>";
    if (t.transporting_steps > 0)
      page << Fixed{t.breaking_at_station_percent, 1} << "</td><td>"
           << Fixed{t.mean_breaking_height, 2};
    else
      page << "</td><td>";
    for (const double v :
         {t.cerc.right, t.cerc.left, t.cerc.net(), t.cerc.gross(), t.kamphuis.net(),
          t.kamphuis.gross(), t.van_rijn.net(), t.van_rijn.gross()})
      page << "</td><td>" << Fixed{v, 0};
    page << "</td><td>";
    if (t.equilibrium_rotation)
      page << Fixed{*t.equilibrium_rotation, 1};
    page << "</td></tr>\r\n";
  }
  page << "</table></div>\r\n<p class=\"legend\">Rates in m\u00b3/yr of sand with its pores "
          "(bulk volume). Equilibrium rotation: the turn of the shore normal (positive: "
          "counter-clockwise on the map, every \u03b8 less that turn) at which the CERC net rate "
          "vanishes, by linear interpolation between turns of 5\u00b0.</p></section>\r\n";
}

void write_equilibrium_curve(Page& page, const StationTransport& t) {
  constexpr double left = 72.0, top = 16.0, height = 130.0, right = 330.0;
  double extreme = 0.0;
  for (const double v : t.cerc_net_turned) extreme = std::max(extreme, std::abs(v));
  if (!(extreme > 0.0))
    return;
  const double step = nice_step(extreme, 2);
  const double high = std::ceil(extreme / step + 1e-9) * step, low = -high;
  const auto x_of = [&](double phi) {
    return left + (right - left) * (phi - first_rotation) /
                      (rotation_step * static_cast<double>(rotation_count - 1));
  };
  const auto y_of = [&](double v) { return top + height * (high - v) / (high - low); };
  page << "<svg class=\"equilibrium\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 340 "
          "190\" role=\"img\" aria-label=\"CERC net rate against the turn of the shore "
          "normal\">\r\n";
  write_value_axis(page, left, top, height, high, step, low, right);
  page << "<path class=\"zero\" d=\"M" << Num{left} << " " << Num{y_of(0)} << "H" << Num{right}
       << "\"/><polyline class=\"q-cerc\" points=\"";
  for (int k = 0; k < rotation_count; ++k)
    page << Num{x_of(first_rotation + rotation_step * k)} << "," << Num{y_of(t.cerc_net_turned[k])}
         << " ";
  page << "\"/>\r\n";
  if (t.equilibrium_rotation) {
    page << "<circle class=\"st flagged\" cx=\"" << Num{x_of(*t.equilibrium_rotation)} << "\" cy=\""
         << Num{y_of(0)} << "\" r=\"4\"><title>equilibrium rotation "
         << Num{*t.equilibrium_rotation, 1} << "\u00b0</title></circle>\r\n";
  }
  page << "<g class=\"axis\">";
  for (const double phi : {-45.0, -30.0, -15.0, 0.0, 15.0, 30.0, 45.0})
    page << "<text x=\"" << Num{x_of(phi)} << "\" y=\"" << Num{top + height + 16} << "\">"
         << Num{phi, 0} << "</text>";
  page << "<text x=\"" << Num{(left + right) / 2} << "\" y=\"" << Num{top + height + 34}
       << "\">turn of the shore normal (\u00b0)</text><text class=\"unit\" x=\"4\" "
          "y=\"10\">CERC net m\u00b3/yr</text></g>\r\n</svg>\r\n";
}

}  // namespace report

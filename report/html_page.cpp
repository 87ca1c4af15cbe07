#include "report/html_page.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "context/version.h"
#include "report/charts.h"
#include "report/plan_view.h"
#include "report/transport_charts.h"
#include "report/wave_physics.h"
#include "textio/free_writer.h"

namespace report {
namespace {

constexpr char style[] = R"(
body{font:14px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,Arial,sans-serif;color:#1d2430;margin:0;background:#f6f7f9}
main{max-width:1180px;margin:0 auto;padding:8px 20px 40px}
header{background:#1f3b57;color:#fff;padding:14px 20px}
header h1{margin:0;font-size:22px}header p{margin:4px 0 0;opacity:.85}
nav{position:sticky;top:0;background:#fff;border-bottom:1px solid #d8dde3;padding:6px 20px;z-index:2}
nav a{margin-right:16px;color:#1f5c99;text-decoration:none}
section,footer{background:#fff;border:1px solid #d8dde3;border-radius:6px;padding:10px 18px;margin:16px 0}
h2{font-size:18px;margin:6px 0 10px;color:#1f3b57}
table{border-collapse:collapse;font-variant-numeric:tabular-nums}
td,th{padding:2px 7px;border-bottom:1px solid #e6e9ee;text-align:right;white-space:nowrap}
table.data{font-size:13px}table.data th{white-space:normal;vertical-align:bottom;min-width:3em}
sup a{text-decoration:none}
th{background:#eef1f5;font-weight:600}
.scroll th{position:sticky;top:0}
td.t,th.t{text-align:left}
table.kv td:first-child{text-align:left;color:#555}table.kv td{text-align:left}
.scroll{overflow:auto;max-height:640px}
tr.flagged td{background:#fdecea}
.flag{display:inline-block;background:#c0392b;color:#fff;border-radius:3px;padding:0 5px;margin:1px;font-size:12px}
.ok{color:#1e7d32}
svg{display:block;max-width:100%;height:auto}
svg text{font:12px system-ui,Arial,sans-serif;fill:#333;text-anchor:middle}
svg text.left{text-anchor:end}svg text.unit{text-anchor:start;font-weight:600}
svg.plan{max-height:900px}
.sea{fill:#fbfcfd}.frame{fill:none;stroke:#888}
.d0{fill:#e3f1fb;background:#e3f1fb}.d1{fill:#cde6f7;background:#cde6f7}.d2{fill:#b0d6f0;background:#b0d6f0}
.d3{fill:#8fc3e7;background:#8fc3e7}.d4{fill:#6dacdc;background:#6dacdc}.d5{fill:#4d93cd;background:#4d93cd}
.d6{fill:#3479b9;background:#3479b9}.d7{fill:#225ea0;background:#225ea0}.dl{fill:#e6d9b8;background:#e6d9b8}
.grid{fill:none;stroke:#1f3b57;stroke-width:1.5;stroke-dasharray:6 3}
.origin{fill:#1f3b57}
.shore line{stroke:#7a4b00;stroke-width:3}.shore .ticks{stroke:#7a4b00;stroke-width:1.2}
text.cellno{fill:#7a4b00;font-size:11px}
.proj{stroke:#555;stroke-width:.8;stroke-dasharray:3 2;fill:none}
.mirror{stroke:#d7301f;stroke-width:1.2;stroke-dasharray:4 2;fill:none}
.landsea line{stroke:#7a4b00;stroke-width:1.4}.landsea text{fill:#7a4b00;font-weight:600}
.sw.gridline{border:2px dashed #1f3b57;background:none}.sw.gridorigin{background:#1f3b57;border-radius:6px}
.arrow{stroke:#111;stroke-width:1.6}marker path{fill:#111}
circle.st{fill:#1d2430;stroke:#fff;stroke-width:1.2}circle.flagged{fill:#d7301f}
text.stno{font-size:11px;font-weight:600;text-anchor:start;paint-order:stroke;stroke:#fff;stroke-width:3px}
text.stno.flagged{fill:#d7301f}
.scalebar path{fill:none;stroke:#111;stroke-width:2}.scalebar text{text-anchor:start}
.north path{fill:#111}.north text{font-weight:700}
.coords path{stroke:#888}
.legend{font-size:13px;color:#333}
.sw{display:inline-block;width:12px;height:12px;border:1px solid #999;vertical-align:middle;margin:0 3px 0 8px}
.sw.st{background:#1d2430;border-radius:6px}.sw.flagged{background:#d7301f;border-radius:6px}
.h0{fill:#fde725;background:#fde725}.h1{fill:#7ad151;background:#7ad151}.h2{fill:#22a884;background:#22a884}
.h3{fill:#2a788e;background:#2a788e}.h4{fill:#414487;background:#414487}
.ring{fill:none;stroke:#bbb;stroke-dasharray:2 2}.ringlabel{font-size:10px;fill:#777}
.offshore{fill:#ececec}text.dir{font-weight:600}
.envelope{fill:#2a788e;stroke:#2a788e;stroke-width:.6}
.axis path{stroke:#888}.axis path.gridline{stroke:#e3e6ea}
.q-cerc{fill:none;stroke:#d95f02;stroke-width:1.6;background:#d95f02}.q-kamphuis{fill:none;stroke:#1b9e77;stroke-width:1.6;background:#1b9e77}
.q-vanrijn{fill:none;stroke:#7570b3;stroke-width:1.6;background:#7570b3}.gross{stroke-dasharray:5 3;stroke-width:1}
.erosion{fill:#d7301f;background:#d7301f}.accretion{fill:#2c7fb8;background:#2c7fb8}
svg.equilibrium{max-width:340px}
.celledge{stroke:#eadcc4}.zero{stroke:#555}.fluxline{fill:none;stroke:#2a788e;stroke-width:1.2}
details.station{border-top:1px solid #e6e9ee;padding:4px 0}
details.station summary{cursor:pointer;padding:3px 0}
details.station[open] summary{font-weight:600}
.pair{display:flex;flex-wrap:wrap;gap:20px;align-items:flex-start}
.pair svg.rose{width:300px}
td.q1{background:#eaf3f7}td.q2{background:#c9e2ec}td.q3{background:#96c6d8}td.q4{background:#5fa3bf}
td.total,th.total{font-weight:600;background:#f3f4f6}
ol.defs li{margin:4px 0}
)";

Int count(std::size_t n) {
  return Int{static_cast<std::int64_t>(n)};
}

void write_file_table(Page& page, std::string_view title, const std::vector<FileEntry>& files) {
  page << "<details><summary>" << title << " (" << count(files.size()) << ")</summary>"
       << "<table><tr><th class=\"t\">file</th><th>bytes</th><th class=\"t\"></th></tr>\r\n";
  for (const FileEntry& f : files) {
    page << "<tr><td class=\"t\">" << Text{f.name} << "</td><td>";
    if (f.bytes)
      page << Int{static_cast<std::int64_t>(*f.bytes)};
    page << "</td><td class=\"t\">" << Text{f.note} << "</td></tr>\r\n";
  }
  page << "</table></details>\r\n";
}

// The flags of a station, each as a red mark.
void write_flag_marks(Page& page, unsigned flags) {
  for (const StationFlag f : all_flags) {
    if ((flags & f) != 0)
      page << "<span class=\"flag\">" << std::string_view(flag_names(f)) << "</span>";
  }
}

void kv(Page& page, std::string_view key, std::string_view value) {
  page << "<tr><td>" << key << "</td><td>" << Text{value} << "</td></tr>\r\n";
}

void write_summary(Page& page, const ReportModel& model) {
  const RunFacts& p = model.run;
  const std::vector<StationResult>& stations = model.stations;
  const PageFiles& files = model.files;
  const bool shoreline = p.shoreline;
  page << "<section id=\"summary\"><h2>Run summary</h2><table class=\"kv\">\r\n";
  kv(page, "Program", std::string("quilbar ") + context::program_version);
  kv(page, "Mode",
     p.krv_mode == 0 ? "steady state: events repeated by their frequency of occurrence"
                     : "time series: one output step per wave event");
  kv(page, "Output",
     shoreline ? "Dunelot control file and one *.wave file per station" : "TGM map file");
  kv(page, "Stations", std::to_string(p.station_count));
  kv(page, "Input events", std::to_string(p.input_event_count));
  kv(page, "Output steps", std::to_string(p.output_event_count));
  if (!model.stamps.empty()) {
    kv(page, "Output time axis",
       stamp_text(model.stamps.front(), true) + " to " + stamp_text(model.stamps.back(), true) +
           ", every " + number_text(p.time_step_hours, 6) + " h");
  }
  if (p.krv_mode == 0)
    kv(page, "Series length", number_text(p.series_length_hours, 6) + " h");
  kv(page, "Periods", std::to_string(p.period_count));
  std::string order = "as the input events";
  if (p.random_order == 1) {
    order = p.random_seed ? "random within each period, seed " + std::to_string(*p.random_seed)
                          : "random within each period, seeded from the clock (not repeatable)";
  }
  kv(page, "Order of events", order);
  const WaveGridFrame& g = model.grid;
  kv(page, "KRV-Wave grid",
     std::to_string(g.ni) + " x " + std::to_string(g.nj) + " cells, origin " +
         number_text(g.origin.x, 3) + " E, " + number_text(g.origin.y, 3) + " N, azimuth " +
         number_text(g.azimuth, 4) + "\u00b0 (i axis, counter-clockwise from east)");
  if (shoreline) {
    const ShoreAxis& a = model.shore;
    kv(page, "Dunelot grid",
       std::to_string(a.widths.size()) + " cells, " + number_text(a.edges.back(), 3) +
           " m, origin " + number_text(a.origin.x, 3) + " E, " + number_text(a.origin.y, 3) +
           " N, azimuth " + number_text(a.azimuth, 4) +
           "\u00b0 (axis bearing, clockwise from north; land side toward " +
           number_text(std::fmod(std::fmod(a.azimuth + 90.0, 360.0) + 360.0, 360.0), 1) +
           "\u00b0)");
  }
  if (p.closure_depth)
    kv(page, "Closure depth", number_text(*p.closure_depth, 3) + " m, from " + p.closure_source);
  std::size_t flagged = 0;
  for (const StationResult& r : stations) flagged += r.flags != 0 ? 1 : 0;
  page << "<tr><td>Checks</td><td>";
  if (flagged == 0 && model.checks.empty()) {
    page << "<span class=\"ok\">no station is flagged and the run raises no check</span>";
  } else {
    page << count(flagged) << " of " << count(stations.size()) << " stations flagged";
    for (const RunCheck& c : model.checks)
      page << ", <span class=\"flag\">" << Text{c.name} << "</span>";
    page << ": see <a href=\"#checks\">Checks</a>";
  }
  page << "</td></tr>\r\n</table>\r\n";
  write_file_table(page, "Files read", files.read);
  write_file_table(page, "Files written", files.written);
  page << "</section>\r\n";
}

void write_stations_section(Page& page, const ReportModel& model) {
  const std::vector<StationResult>& stations = model.stations;
  const bool shoreline = model.run.shoreline;
  page << "<section id=\"stations\"><h2>Stations</h2><div class=\"scroll\"><table "
          "class=\"data\">\r\n<tr>"
          "<th>station</th><th>i</th><th>j</th><th>Easting (m)</th><th>Northing (m)</th>"
          "<th>depth (m)</th><th>cell</th><th>alongshore (m)<sup><a "
          "href=\"#def-2\">[2]</a></sup></th>"
          "<th>cross-shore (m)<sup><a href=\"#def-2\">[2]</a></sup></th><th>mean Hs "
          "(m)</th><th>max Hs (m)</th>"
          "<th>mean Tp (s)</th><th>mean from (\u00b0, compass)</th><th>mean \u03b8 "
          "(\u00b0, to the shore normal)</th><th>offshore-directed (%)<sup><a "
          "href=\"#def-1\">[1]</a></sup></th>"
          "<th>longshore flux (W/m)<sup><a href=\"#def-3\">[3]</a></sup></th><th>bad "
          "steps<sup><a href=\"#def-4\">[4]</a></sup></th><th class=\"t\">flags</th></tr>\r\n";
  for (std::size_t p = 0; p < stations.size(); ++p) {
    const StationResult& r = stations[p];
    const StationSeries& s = r.series;
    page << (r.flags != 0 ? Markup("<tr class=\"flagged\">") : Markup("<tr>"))
         << "<td><a href=\"#station-" << count(p + 1) << "\">" << count(p + 1) << "</a></td><td>"
         << Int{r.i} << "</td><td>" << Int{r.j} << "</td><td>" << Fixed{r.easting, 1} << "</td><td>"
         << Fixed{r.northing, 1} << "</td><td>" << Fixed{r.depth, 2} << "</td><td>";
    if (shoreline)
      page << Int{r.cell} << "</td><td>" << Fixed{r.alongshore, 1} << "</td><td>"
           << Fixed{r.cross_shore, 1};
    else
      page << "</td><td></td><td>";
    page << "</td><td>";
    if (s.height.count > 0)
      page << Fixed{s.height.mean, 2} << "</td><td>" << Fixed{s.height.max, 2};
    else
      page << "</td><td>";
    page << "</td><td>";
    if (s.period.count > 0)
      page << Fixed{s.period.mean, 2};
    page << "</td><td>";
    if (r.mean_from)
      page << Fixed{*r.mean_from, 1};
    page << "</td><td>";
    if (r.mean_theta)
      page << Fixed{*r.mean_theta, 1};
    page << "</td><td>";
    if (s.climate.offshore_percent)
      page << Fixed{*s.climate.offshore_percent, 1};
    page << "</td><td>";
    if (s.climate.mean_flux)
      page << Fixed{*s.climate.mean_flux, 1};
    page << "</td><td>" << Int{s.climate.bad_steps} << "</td><td class=\"t\">";
    write_flag_marks(page, r.flags);
    page << "</td></tr>\r\n";
  }
  page << "</table></div></section>\r\n";
}

void write_coast(Page& page, const ReportModel& model) {
  page << "<section id=\"coast\"><h2>Along the coast</h2>\r\n";
  write_flux_plot(page, model);
  page << "<p class=\"legend\">Mean longshore energy flux of each station (W/m)<sup><a "
          "href=\"#def-3\">[3]</a></sup> "
          "against its alongshore distance<sup><a href=\"#def-2\">[2]</a></sup>; the light lines "
          "are the Dunelot cell "
          "edges. Positive flux runs toward increasing alongshore distance (higher cell "
          "numbers); where the flux changes along the coast, the shoreline model moves sand: "
          "it takes it where the flux grows and leaves it where the flux falls.</p></section>\r\n";
}

std::string class_label(std::span<const double> edges, std::size_t k, int decimals) {
  if (k == 0)
    return "< " + number_text(edges[0], decimals);
  if (k == edges.size())
    return "\u2265 " + number_text(edges.back(), decimals);
  return number_text(edges[k - 1], decimals) + "\u2013" + number_text(edges[k], decimals);
}

Markup share_class(double percent) {
  if (percent >= 15.0)
    return " class=\"q4\"";
  if (percent >= 5.0)
    return " class=\"q3\"";
  if (percent >= 1.0)
    return " class=\"q2\"";
  return " class=\"q1\"";
}

void write_joint_table(Page& page, const PercentTable& t) {
  page << "<table class=\"joint\"><tr><th class=\"t\">Hs (m) \\ Tp (s)</th>";
  for (std::size_t c = 0; c < t.columns; ++c)
    page << "<th>" << Text{class_label(joint_period_edges, c, 0)} << "</th>";
  page << "<th class=\"total\">total</th></tr>\r\n";
  for (std::size_t r = 0; r < t.rows; ++r) {
    page << "<tr><th class=\"t\">" << Text{class_label(joint_height_edges, r, 1)} << "</th>";
    for (std::size_t c = 0; c < t.columns; ++c) {
      const double v = t.at(r, c);
      if (v > 0.0)
        page << "<td" << share_class(v) << ">" << Fixed{v, 2} << "</td>";
      else
        page << "<td></td>";
    }
    page << "<td class=\"total\">" << Fixed{t.row_total[r], 2} << "</td></tr>\r\n";
  }
  page << "<tr><th class=\"t total\">total</th>";
  for (std::size_t c = 0; c < t.columns; ++c)
    page << "<td class=\"total\">" << Fixed{t.column_total[c], 2} << "</td>";
  page << "<td class=\"total\">" << Fixed{t.counted > 0 ? 100.0 : 0.0, 2}
       << "</td></tr></table>\r\n";
}

void write_statistics(Page& page, const StationResult& r, bool shoreline) {
  const StationSeries& s = r.series;
  page << "<table><tr><th class=\"t\"></th><th>min</th><th>mean</th><th>P50</th><th>P90</th>"
          "<th>P99</th><th>max</th></tr>\r\n";
  const auto row = [&](std::string_view name, const SeriesSummary& v) {
    page << "<tr><th class=\"t\">" << name << "</th>";
    if (v.count > 0) {
      for (const double x : {v.min, v.mean, v.p50, v.p90, v.p99, v.max})
        page << "<td>" << Fixed{x, 2} << "</td>";
    } else {
      page << "<td colspan=\"6\">no valid steps</td>";
    }
    page << "</tr>\r\n";
  };
  row("Hs (m)", s.height);
  row("Tp (s)", s.period);
  page << "</table>\r\n<table class=\"kv\">";
  kv(page, "output steps", std::to_string(s.climate.steps));
  if (s.climate.bad_steps > 0)
    kv(page, "bad steps (left out)", std::to_string(s.climate.bad_steps));
  if (r.mean_from)
    kv(page, "mean direction (from, compass)", number_text(*r.mean_from, 1) + "\u00b0");
  if (shoreline && r.mean_theta)
    kv(page, "mean direction to the shore normal", number_text(*r.mean_theta, 1) + "\u00b0");
  if (s.climate.offshore_percent)
    kv(page, "offshore-directed", number_text(*s.climate.offshore_percent, 1) + " %");
  if (s.climate.mean_flux)
    kv(page, "mean longshore energy flux", number_text(*s.climate.mean_flux, 1) + " W/m");
  page << "</table>\r\n";
}

// A station's sand transport: its yearly rates and its equilibrium curve.
void write_station_transport(Page& page, const StationTransport& t) {
  page << "<div class=\"pair\">";
  write_equilibrium_curve(page, t);
  page << "<table class=\"kv\">";
  const auto rate = [](double v) { return number_text(v, 0) + " m\u00b3/yr"; };
  kv(page, "CERC net / gross (potential)", rate(t.cerc.net()) + " / " + rate(t.cerc.gross()));
  kv(page, "Kamphuis net / gross", rate(t.kamphuis.net()) + " / " + rate(t.kamphuis.gross()));
  kv(page, "van Rijn net / gross", rate(t.van_rijn.net()) + " / " + rate(t.van_rijn.gross()));
  kv(page, "mean breaking height", number_text(t.mean_breaking_height, 2) + " m");
  kv(page, "breaking at the station", number_text(t.breaking_at_station_percent, 1) + " %");
  kv(page, "equilibrium rotation",
     t.equilibrium_rotation ? number_text(*t.equilibrium_rotation, 1) + "\u00b0"
                            : std::string("none within \u00b145\u00b0"));
  page << "</table></div>\r\n";
}

void write_station_sections(Page& page, const ReportModel& model) {
  const std::vector<StationResult>& stations = model.stations;
  const bool shoreline = model.run.shoreline;
  page << "<section id=\"each\"><h2>Each station</h2><p class=\"legend\">Wave rose: where the "
          "waves come from, in 16 sectors, radius in percent of the output steps, by Hs class:";
  for (std::size_t k = 0; k <= std::size(rose_height_edges); ++k)
    page << "<span class=\"sw h" << count(k) << "\"></span>"
         << Text{class_label(rose_height_edges, k, 1)} << " m";
  page << (shoreline ? std::string_view(". Seen from the shore looking out to sea: up is the shore "
                                        "normal, the grey half travels offshore.")
                     : std::string_view(". Map directions, north up."))
       << " The height plot shows the least and the greatest Hs of each part of the output "
          "time axis (every peak is kept).</p>\r\n";
  const std::span<const context::Stamp> stamps = model.stamps;
  for (std::size_t p = 0; p < stations.size(); ++p) {
    const StationResult& r = stations[p];
    // The first section open, to show what each holds.
    page << "<details class=\"station\" id=\"station-" << count(p + 1)
         << (p == 0 ? Markup("\" open=\"open") : Markup("")) << "\"><summary>Station "
         << count(p + 1) << " \u2014 cell (" << Int{r.i} << ", " << Int{r.j} << ")";
    if (shoreline)
      page << ", Dunelot cell " << Int{r.cell};
    if (r.series.height.count > 0)
      page << ", mean Hs " << Num{r.series.height.mean, 2} << " m";
    page << " ";
    write_flag_marks(page, r.flags);
    page << "</summary>\r\n<div class=\"pair\">";
    write_rose(page, r.series.rose, shoreline);
    page << "<div>";
    write_statistics(page, r, shoreline);
    page << "</div><div>";
    write_joint_table(page, r.series.joint);
    page << "<p class=\"legend\">Hs and Tp, percent of the output steps.</p></div></div>\r\n";
    write_height_plot(page, r.series, stamps);
    if (r.series.transport && r.series.transport->transporting_steps > 0)
      write_station_transport(page, *r.series.transport);
    page << "</details>\r\n";
  }
  page << "</section>\r\n";
}

void write_checks(Page& page, const ReportModel& model) {
  const std::vector<StationResult>& stations = model.stations;
  page << "<section id=\"checks\"><h2>Checks</h2>\r\n";
  bool any = false;
  page << "<ul>\r\n";
  for (const StationFlag f : all_flags) {
    std::vector<std::size_t> with;
    for (std::size_t p = 0; p < stations.size(); ++p) {
      if ((stations[p].flags & f) != 0)
        with.push_back(p + 1);
    }
    if (with.empty())
      continue;
    any = true;
    page << "<li><span class=\"flag\">" << std::string_view(flag_names(f)) << "</span> "
         << std::string_view(with.size() == 1 ? "station " : "stations ");
    for (std::size_t k = 0; k < with.size(); ++k)
      page << (k == 0 ? std::string_view() : std::string_view(", ")) << "<a href=\"#station-"
           << count(with[k]) << "\">" << count(with[k]) << "</a>";
    page << ": " << Text{flag_explanation(f)} << ".</li>\r\n";
  }
  for (const RunCheck& c : model.checks) {
    any = true;
    page << "<li><span class=\"flag\">" << Text{c.name} << "</span> the run: " << Text{c.text}
         << ".</li>\r\n";
  }
  if (!any)
    page << "<li class=\"ok\">No station is flagged and the run raises no check.</li>\r\n";
  page << "</ul></section>\r\n";
}

void write_definitions(Page& page) {
  page << Lines{R"(<footer id="definitions"><h2>Definitions</h2><ol class="defs">
<li id="def-1">Offshore-directed: a Dunelot output direction &#952; (relative to the Dunelot grid, &#8722;180 to 180&#176;) with |&#952;| &gt; 90. The share is such steps over the valid output steps, in percent; empty for the TGM map output.</li>
<li id="def-2">Alongshore distance: dx&#183;sin(a) + dy&#183;cos(a); cross-shore distance: dx&#183;cos(a) &#8722; dy&#183;sin(a); dx, dy from the Dunelot grid origin to the station, a the Dunelot grid azimuth (after its default from the KRV-Wave grid). A negative alongshore distance lies behind the origin.</li>
<li id="def-3">Longshore energy flux per metre of coast, by linear wave theory at the depth of the station's cell with Tp as the wave period and the output direction &#952;: E = &#961;gHs&#178;/16 (&#961; = 1025 kg/m&#179;, g = 9.81 m/s&#178;); the wave number k from &#969;&#178; = gk&#183;tanh(kd), solved to a relative error below 1e-9; Cg = (&#969;/k)(1 + 2kd/sinh 2kd)/2; flux = E&#183;Cg&#183;cos&#952;&#183;sin&#952; for |&#952;| &lt; 90 and 0 for offshore-directed steps. The mean over the valid output steps (calm ones count as 0), in W/m: positive for positive &#952;, that is toward increasing alongshore distance. None where the depth is 0 or less.</li>
<li id="def-4">Statistics use the output series as written (after ordering and repetition), one value per output step, over the valid steps only. A step is bad (no wave) when Hs &lt; 0 or &gt; 25 m, Tp &lt; 0 or &gt; 40 s, Hs &gt; 0 with Tp = 0, the direction lies outside &#8722;360 to 360&#176;, or a value is not a number; bad steps are left out of every statistic, the rose, the Hs&#8211;Tp table, the height plot, the means, the offshore share and the flux, and counted as bad steps. Steps with Hs = 0 are calm and count. Percentiles interpolate linearly between the closest ranks. The mean direction is the direction of the mean of the valid steps' unit vectors; the mean &#8220;from&#8221; direction is a compass bearing (clockwise from north, where the waves come from), &#952; is relative to the shore normal.</li>
<li id="def-5">Flags: no_cell (Dunelot output: in no Dunelot cell), behind_origin (alongshore distance below 0), land_side (Dunelot output: cross-shore distance above 0, on the side of the axis toward which onshore waves travel), shared_cell (another station in the same cell), dry (depth at the station's cell 0 or less), mostly_offshore (more than 50 % of the valid steps offshore-directed), against_contours (the mean travel direction more than 35&#176; from the direction of decreasing depth at the station, from central differences over its four neighbouring cells; not where that gradient is below 0.001 m/m or a neighbour is dry or outside the grid), implausible_depth (deeper than 1.5 &#215; the closure depth, or a mean slope from the nearest dry cell steeper than 1:15), bad_values (a bad step), steep (a valid step with Hs/(gTp&#178;/2&#960;) &gt; 1/7), no_steps (no output step). Run checks: axis_faces_land (the land-side normal of the Dunelot axis more than 30&#176; from the mean shoreward depth gradient at the stations), zero_time_step (a time-series run whose steps all have one date and time), period_steps (steady state: the steps a period's events ask for differ from the period's steps by more than 1 %).</li>
</ol></footer>
)"};
}

}  // namespace

void write_report_page(Page& page, const ReportModel& model) {
  const std::vector<StationResult>& stations = model.stations;
  const bool shoreline = model.run.shoreline;
  const std::string title = "quilbar run report: " + model.run.report_name;
  page << "<!DOCTYPE html>\r\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\r\n"
          "<head><meta charset=\"utf-8\"/><meta name=\"viewport\" content=\"width=device-width, "
          "initial-scale=1\"/><title>"
       << Text{title} << "</title>\r\n<style>" << Lines{style} << "</style></head>\r\n<body>\r\n"
       << "<header><h1>quilbar run report</h1><p>KRV-Wave station output converted to "
       << std::string_view(shoreline ? "Dunelot wave files" : "a TGM map file") << ", "
       << count(stations.size()) << " stations, " << Int{model.run.output_event_count}
       << " output steps.</p></header>\r\n<nav><a href=\"#summary\">Summary</a><a href=\"#plan\">"
          "Plan view</a><a href=\"#stations\">Stations</a>";
  if (shoreline)
    page << "<a href=\"#coast\">Along the coast</a><a href=\"#transport\">Sand transport</a>";
  page << "<a href=\"#each\">Each station</a><a href=\"#checks\">Checks</a><a "
          "href=\"#definitions\">Definitions</a></nav>\r\n<main>\r\n";
  write_summary(page, model);
  page << "<section id=\"plan\"><h2>Plan view</h2>\r\n";
  write_plan_view(page, model);
  page << "</section>\r\n";
  write_stations_section(page, model);
  if (shoreline) {
    write_coast(page, model);
    write_transport_section(page, model);
  }
  write_station_sections(page, model);
  write_checks(page, model);
  write_definitions(page);
  page << "</main>\r\n</body>\r\n</html>\r\n";
}

}  // namespace report

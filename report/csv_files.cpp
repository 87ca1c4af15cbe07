#include "report/csv_files.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "report/csv_text.h"
#include "report/wave_physics.h"

namespace report {
namespace {

// Metres and map coordinates: three decimals, and at least four significant
// digits below 1.
std::string metres(double v) {
  // Three decimals, and four significant digits below 1 m (0 is 0.000).
  return std::abs(v) >= 1.0 || v == 0.0 ? plain_decimals(v, 3) : plain_significant(v, 4);
}

std::string real(double v) {
  return plain_significant(v, 6);
}

std::string optional_real(const std::optional<double>& v) {
  return v ? real(*v) : std::string();
}

}  // namespace

void write_station_table(textio::OutputFile& out, const ReportModel& model) {
  const bool shoreline = model.run.shoreline;
  textio::write_record(out,
                       "station,i,j,easting,northing,depth,cell,alongshore_m,crossshore_m,"
                       "hs_mean_m,hs_max_m,tp_mean_s,mean_from_deg,mean_theta_deg,"
                       "offshore_directed_pct,longshore_flux_w_per_m,bad_steps,flags");
  std::string row;
  for (std::size_t p = 0; p < model.stations.size(); ++p) {
    const StationResult& r = model.stations[p];
    const StationSeries& s = r.series;
    const bool has_height = s.height.count > 0, has_period = s.period.count > 0;
    row = std::to_string(p + 1) + "," + std::to_string(r.i) + "," + std::to_string(r.j) + ",";
    row += metres(r.easting) + "," + metres(r.northing) + "," + real(r.depth) + ",";
    if (shoreline)
      row += std::to_string(r.cell) + "," + metres(r.alongshore) + "," + metres(r.cross_shore);
    else
      row += ",,";
    row += ",";
    row += (has_height ? real(s.height.mean) : "") + "," + (has_height ? real(s.height.max) : "") +
           "," + (has_period ? real(s.period.mean) : "") + ",";
    row += optional_real(r.mean_from) + "," + optional_real(r.mean_theta) + ",";
    row += optional_real(s.climate.offshore_percent) + ",";
    row += optional_real(s.climate.mean_flux) + ",";
    row += std::to_string(s.climate.bad_steps) + ",";
    row += csv_field(flag_names(r.flags));
    textio::write_record(out, row);
  }
}

void write_cell_table(textio::OutputFile& out, const ReportModel& model) {
  textio::write_record(out,
                       "cell,width_m,start_alongshore_m,start_easting,start_northing,"
                       "end_easting,end_northing,stations,wkt");
  if (!model.run.shoreline)
    return;
  const ShoreAxis& axis = model.shore;
  const std::vector<double>& edges = axis.edges;
  const std::size_t cells = axis.widths.size();
  // The stations of each cell, in station order.
  std::vector<std::string> members(cells);
  for (std::size_t p = 0; p < model.stations.size(); ++p) {
    const std::int32_t c = model.stations[p].cell;
    if (c < 1 || static_cast<std::size_t>(c) > cells)
      continue;
    std::string& m = members[static_cast<std::size_t>(c) - 1];
    if (!m.empty())
      m += ';';
    m += std::to_string(p + 1);
  }
  std::string row;
  for (std::size_t k = 0; k < cells; ++k) {
    const double width = axis.widths[k], start = edges[k], end = edges[k + 1];
    const Point a = axis.at(start), b = axis.at(end);
    const std::string x0 = metres(a.x), y0 = metres(a.y), x1 = metres(b.x), y1 = metres(b.y);
    row = std::to_string(k + 1) + "," + real(width) + "," + metres(start) + "," + x0 + "," + y0 +
          "," + x1 + "," + y1 + "," + members[k] + "," +
          csv_field("LINESTRING (" + x0 + " " + y0 + ", " + x1 + " " + y1 + ")");
    textio::write_record(out, row);
  }
}

void write_transport_table(textio::OutputFile& out, const ReportModel& model) {
  textio::write_record(
      out,
      "station,cell,alongshore_m,transporting_steps,breaking_at_station_pct,hb_mean_m,"
      "cerc_right_m3_per_yr,cerc_left_m3_per_yr,cerc_net_m3_per_yr,cerc_gross_m3_per_yr,"
      "kamphuis_net_m3_per_yr,kamphuis_gross_m3_per_yr,vanrijn_net_m3_per_yr,"
      "vanrijn_gross_m3_per_yr,equilibrium_rotation_deg,next_station,shoreline_change_m_per_yr");
  std::string row;
  for (std::size_t p = 0; p < model.stations.size(); ++p) {
    const StationResult& r = model.stations[p];
    row = std::to_string(p + 1) + "," + std::to_string(r.cell) + "," + metres(r.alongshore) + ",";
    if (r.series.transport) {
      const StationTransport& t = *r.series.transport;
      row += std::to_string(t.transporting_steps) + ",";
      if (t.transporting_steps > 0)
        row += real(t.breaking_at_station_percent) + "," + real(t.mean_breaking_height);
      else
        row += ",";
      for (const double v :
           {t.cerc.right, t.cerc.left, t.cerc.net(), t.cerc.gross(), t.kamphuis.net(),
            t.kamphuis.gross(), t.van_rijn.net(), t.van_rijn.gross()})
        row.append(",").append(real(v));
      row.append(",").append(optional_real(t.equilibrium_rotation)).append(",");
    } else {
      row += ",,,,,,,,,,,,,";
    }
    const auto interval = std::find_if(model.coast.begin(), model.coast.end(),
                                       [&](const CoastInterval& c) { return c.from == p; });
    if (interval != model.coast.end())
      row += std::to_string(interval->to + 1) + "," + optional_real(interval->shoreline_change);
    else
      row += ",";
    textio::write_record(out, row);
  }
}

}  // namespace report

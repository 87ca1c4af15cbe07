#include "wavemodel/station_output.h"

#include <algorithm>
#include <utility>

#include "textio/free_format.h"
#include "textio/free_writer.h"
#include "textio/parallel_parts.h"

namespace wavemodel {

std::int32_t count_station_records(textio::RecordFile& station_output_file) {
  std::vector<textio::RecordMark> marks;
  return count_station_records(station_output_file, 1, marks);
}

std::int32_t count_station_records(textio::RecordFile& station_output_file, unsigned threads,
                                   std::vector<textio::RecordMark>& marks) {
  textio::RecordCount c = textio::count_records(station_output_file, threads);
  marks = std::move(c.marks);
  return static_cast<std::int32_t>(c.records);
}

namespace {

// Reads from..to - 1 (reads counted from 0, event-major) in order.
void read_in_order(textio::RecordFile& f, std::int64_t from, std::int64_t to, StationOutput& out) {
  const std::int64_t stations = out.wave_height.columns;
  auto e = static_cast<std::int32_t>(from / stations);
  auto s = static_cast<std::int32_t>(from % stations);
  std::int32_t record_number = 0;  // field 1: must be an integer, not kept
  for (std::int64_t q = from; q < to; ++q) {
    textio::read_free_required(f, record_number, out.station_i[s], out.station_j[s],
                               out.wave_height(e, s), out.wave_period(e, s),
                               out.wave_direction(e, s));
    if (++s == stations) {
      s = 0;
      ++e;
    }
  }
}

// How the reading of a piece ended: the read it stopped at (its end when it
// read them all), where the next record starts, and whether the piece is not
// to be trusted (see PieceReader::failed).
struct PieceEnd {
  std::int64_t stop = 0;
  std::int64_t offset = 0;
  bool failed = false;
};

// Reads from.index .. to - 1 while each record is one read of plain numbers.
// The cells are kept from the last event only: every read of a station sets
// them, so the last one is what a reading in order leaves.
PieceEnd read_plain_piece(const textio::RecordFile& f, textio::RecordMark from, std::int64_t to,
                          std::int64_t to_offset, StationOutput& out) {
  textio::PieceReader reader(f, from, std::size_t{4} << 20, to_offset);
  const std::int32_t stations = out.wave_height.columns;
  const std::int32_t last_event = out.wave_height.rows - 1;
  auto e = static_cast<std::int32_t>(from.index / stations);
  auto s = static_cast<std::int32_t>(from.index % stations);
  std::int64_t q = from.index;
  for (; q < to; ++q) {
    const auto record = reader.next();
    if (!record)
      break;
    std::int32_t number, i, j;
    float height, period;
    double direction;
    if (!textio::read_plain_record(*record, number, i, j, height, period, direction))
      break;
    out.wave_height(e, s) = height;
    out.wave_period(e, s) = period;
    out.wave_direction(e, s) = direction;
    if (e == last_event) {
      out.station_i[static_cast<std::size_t>(s)] = i;
      out.station_j[static_cast<std::size_t>(s)] = j;
    }
    if (++s == stations) {
      s = 0;
      ++e;
    }
  }
  return {q, reader.offset(), reader.failed()};
}

// Back to what the tables hold before reads from..: zero from there on, the
// cells zero (the reading in order sets them again).
void clear_from(std::int64_t from, StationOutput& out) {
  const std::int32_t stations = out.wave_height.columns;
  for (std::int32_t s = 0; s < stations; ++s) {
    const std::int64_t first = from <= s ? 0 : (from - s + stations - 1) / stations;
    for (std::int64_t e = first; e < out.wave_height.rows; ++e) {
      const auto event = static_cast<std::int32_t>(e);
      out.wave_height(event, s) = 0.0f;
      out.wave_period(event, s) = 0.0f;
      out.wave_direction(event, s) = 0.0;
    }
  }
  std::fill(out.station_i.begin(), out.station_i.end(), 0);
  std::fill(out.station_j.begin(), out.station_j.end(), 0);
}

// The reads in pieces, then in order from the first that is no one-record
// read (from the start when the file is not what the count saw).
void read_in_pieces(textio::RecordFile& f, const std::vector<textio::RecordMark>& marks,
                    unsigned threads, std::int64_t reads, StationOutput& out) {
  std::vector<std::int64_t> ends;  // where each piece ends
  std::size_t pieces = 0;
  while (pieces < marks.size() && marks[pieces].index < reads) ++pieces;
  ends.resize(pieces);
  for (std::size_t k = 0; k < pieces; ++k) ends[k] = k + 1 < pieces ? marks[k + 1].index : reads;
  std::vector<PieceEnd> found(pieces);
  const textio::CutShortReport cut_short(f);
  textio::run_parts(pieces, threads, [&](std::size_t k) {
    const std::int64_t end_offset = k + 1 < marks.size() ? marks[k + 1].offset : -1;
    found[k] = read_plain_piece(f, marks[k], ends[k], end_offset, out);
  });

  std::int64_t stop = reads;
  for (std::size_t k = 0; k < pieces; ++k) {
    if (found[k].failed) {
      // The file is not what the count saw: read it again in order.
      clear_from(0, out);
      textio::rewind(f);
      read_in_order(f, 0, reads, out);
      return;
    }
    if (found[k].stop < ends[k]) {
      stop = found[k].stop;
      break;
    }
  }
  if (stop == reads) {
    textio::seek_records(f, found[pieces - 1].offset, reads);
    return;
  }
  // Every read before `stop` took one record: from a mark at least one read
  // of every station before it, the reads in order meet `stop` with the
  // tables and cells as a reading from the start leaves them.
  const std::int64_t stations = out.wave_height.columns;
  std::size_t m = 0;
  while (m + 1 < marks.size() && marks[m + 1].index <= stop - stations) ++m;
  clear_from(stop, out);
  textio::seek_records(f, marks[m].offset, marks[m].index);
  read_in_order(f, marks[m].index, reads, out);
}

}  // namespace

StationOutput read_station_output(textio::RecordFile& station_output_file,
                                  std::int32_t input_event_count, std::int32_t station_count,
                                  const std::vector<textio::RecordMark>& marks, unsigned threads) {
  StationOutput out;
  context::create_list(out.station_i, station_count, 0);
  context::create_list(out.station_j, station_count, 0);
  context::create_table(out.wave_height, input_event_count, station_count, 0.0f);
  context::create_table(out.wave_period, input_event_count, station_count, 0.0f);
  context::create_table(out.wave_direction, input_event_count, station_count, 0.0);

  const std::int64_t reads =
      static_cast<std::int64_t>(out.wave_height.rows) * out.wave_height.columns;
  if (reads == 0)
    return out;
  textio::RecordFile& f = station_output_file;
  if (threads > 1 && marks.size() > 1 && f.record_number == 0 && !f.repeat_current &&
      textio::pieces_readable(f)) {
    read_in_pieces(f, marks, threads, reads, out);
  } else {
    read_in_order(f, 0, reads, out);
  }
  return out;
}

std::int32_t first_station_outside_grid(const std::vector<std::int32_t>& station_i,
                                        const std::vector<std::int32_t>& station_j,
                                        std::int32_t grid_ni, std::int32_t grid_nj) {
  for (std::size_t p = 0; p < station_i.size(); ++p) {
    if (station_i[p] < 1 || station_i[p] > grid_ni || station_j[p] < 1 || station_j[p] > grid_nj) {
      return static_cast<std::int32_t>(p + 1);
    }
  }
  return 0;
}

context::Status check_station_cells(textio::OutputFile& console,
                                    const std::vector<std::int32_t>& station_i,
                                    const std::vector<std::int32_t>& station_j,
                                    std::int32_t grid_ni, std::int32_t grid_nj) {
  const std::int32_t p = first_station_outside_grid(station_i, station_j, grid_ni, grid_nj);
  if (p == 0)
    return context::Status::ok;
  return report_station_outside_grid(console, p);
}

context::Status report_station_outside_grid(textio::OutputFile& console, std::int32_t p) {
  textio::write_free(console, "ERROR: Wave observation station", p,
                     " lies outside the KRV-Wave grid!");
  return context::Status::error_stop;
}

}  // namespace wavemodel

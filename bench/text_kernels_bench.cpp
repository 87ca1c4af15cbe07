// The text-layer kernels that a large run spends its time in: reading a station
// output record free-format, the fields of 4-byte and 8-byte reals, whole
// records of the wave and map files, and the calendar stamps and date labels.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "convert/time_axis.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"
#include "textio/number_text.h"
#include "textio/output_file.h"
#include "textio/output_set.h"
#include "textio/record_file.h"

namespace {

constexpr int record_count = 10'000;
constexpr int value_count = 4096;
constexpr int steps_per_year = 8760;

// A small fixed generator, so every run formats the same numbers.
struct Lcg {
  std::uint64_t state = 0x9e3779b97f4a7c15ull;
  double next() {  // uniform in [0, 1)
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) * (1.0 / 9007199254740992.0);
  }
};

// Station output records in the wave model's fixed columns (three I6, three
// F10 with four, four and three decimals), one per line.
std::string station_output_text(int records) {
  Lcg r;
  std::string text;
  char line[96];
  for (int k = 0; k < records; ++k) {
    const int n =
        std::snprintf(line, sizeof line, "%6d%6d%6d%10.4f%10.4f%10.3f\n", k % 200 + 1, 8 + k % 233,
                      100 + k % 40, 0.05 + 5.0 * r.next(), 3.0 + 10.0 * r.next(), 360.0 * r.next());
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

void bm_read_station_record(benchmark::State& state) {
  const std::string text = station_output_text(record_count);
  textio::RecordFile f = textio::records_from_text("selhts.out", text);
  std::int32_t index = 0, i = 0, j = 0;
  float height = 0.0f, period = 0.0f;
  double direction = 0.0;
  for (auto _ : state) {
    textio::rewind(f);
    for (int k = 0; k < record_count; ++k) {
      textio::read_free(f, index, i, j, height, period, direction);
    }
    benchmark::DoNotOptimize(height + period);
    benchmark::DoNotOptimize(direction);
  }
  state.SetItemsProcessed(state.iterations() * record_count);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
  state.SetLabel("items = records");
}
BENCHMARK(bm_read_station_record);

// Heights, periods and directions as the output series hold them: 4-byte
// reals with the digits of the station output, and a few of every magnitude.
std::vector<float> series_values() {
  Lcg r;
  std::vector<float> v(value_count);
  for (int k = 0; k < value_count; ++k) {
    switch (k % 4) {
      case 0:
        v[k] = static_cast<float>(0.05 + 5.0 * r.next());
        break;
      case 1:
        v[k] = static_cast<float>(3.0 + 10.0 * r.next());
        break;
      case 2:
        v[k] = static_cast<float>(360.0 * r.next() - 180.0);
        break;
      default:
        v[k] = static_cast<float>(std::ldexp(r.next(), static_cast<int>(k % 64) - 32));
    }
  }
  return v;
}

// Map positions, depths and azimuths: the 8-byte reals the program writes.
std::vector<double> position_values() {
  Lcg r;
  std::vector<double> v(value_count);
  for (int k = 0; k < value_count; ++k) {
    switch (k % 3) {
      case 0:
        v[k] = 500000.0 + 12000.0 * r.next();
        break;
      case 1:
        v[k] = 4000000.0 + 8000.0 * r.next();
        break;
      default:
        v[k] = 360.0 * r.next();
    }
  }
  return v;
}

// The same as the station output writes them: heights and periods with four
// decimals, directions with three (their shortest digits are seven or fewer).
std::vector<float> model_output_values() {
  std::vector<float> v = series_values();
  for (std::size_t k = 0; k < v.size(); ++k) {
    const double scale = k % 4 == 2 ? 1e3 : 1e4;
    v[k] = static_cast<float>(std::round(v[k] * scale) / scale);
  }
  return v;
}

// Arg 0: reals of every digit; 1: reals as model output has them.
void bm_format_real32_field(benchmark::State& state) {
  const std::vector<float> values = state.range(0) == 0 ? series_values() : model_output_values();
  char field[textio::real32_field_width];
  textio::Real32FieldCache cache;  // as an output file has
  for (auto _ : state) {
    for (float v : values) {
      textio::format_real32_field(v, field, &cache);
      benchmark::DoNotOptimize(field);
    }
  }
  state.SetItemsProcessed(state.iterations() * value_count);
  state.SetBytesProcessed(state.iterations() * value_count *
                          static_cast<std::int64_t>(textio::real32_field_width));
}
BENCHMARK(bm_format_real32_field)->Arg(0)->Arg(1);

void bm_format_real64_field(benchmark::State& state) {
  const std::vector<double> values = position_values();
  char field[textio::real64_field_width];
  for (auto _ : state) {
    for (double v : values) {
      textio::format_real64_field(v, field);
      benchmark::DoNotOptimize(field);
    }
  }
  state.SetItemsProcessed(state.iterations() * value_count);
  state.SetBytesProcessed(state.iterations() * value_count *
                          static_cast<std::int64_t>(textio::real64_field_width));
}
BENCHMARK(bm_format_real64_field);

// A year of hourly stamps and their labels, made by the program's own calendar.
struct YearAxis {
  std::vector<context::Stamp> stamps;
  std::vector<context::Label> labels;
  YearAxis() : stamps(steps_per_year), labels(steps_per_year) {
    stamps[0] = convert::start_stamp(20120101000000);
    std::int32_t failed = 0;
    convert::fill_time_axis(stamps, labels, 3600, failed);
  }
};

const YearAxis& year_axis() {
  static const YearAxis axis;
  return axis;
}

std::string temp_path(const char* what) {
  return (std::filesystem::temp_directory_path() /
          ("quilbar-bench-" + std::to_string(::getpid()) + "-" + what))
      .string();
}

// An output file whose bytes go to /dev/null: the writer's buffer and its
// drains are measured, the disk is not. The temporary that create_output made
// stays empty and is removed when the file is dropped uncommitted.
textio::OutputFile null_output() {
  textio::OutputSet set;  // numbers the temporary only
  textio::OutputFile out = textio::create_output(set, temp_path("null.out"));
  std::fclose(out.file);
  out.file = std::fopen("/dev/null", "wb");
  return out;
}

// The bytes that one call of write_records puts out, from a real file.
template <class Write>
std::int64_t bytes_written(Write write_records) {
  const std::string path = temp_path("size.out");
  textio::OutputSet set;
  textio::OutputFile out = textio::create_output(set, path);
  write_records(out);
  textio::complete_output(set, out);
  textio::commit_outputs(set);
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
  return bytes;
}

template <class Write>
void time_records(benchmark::State& state, Write write_records, const char* label) {
  const std::int64_t bytes = bytes_written(write_records);
  textio::OutputFile out = null_output();
  for (auto _ : state) {
    write_records(out);
    textio::flush(out);
  }
  state.SetItemsProcessed(state.iterations() * steps_per_year);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetLabel(label);
}

// The records of one station's *.wave file for a year: date, three blanks,
// time of day, height, period, direction.
void bm_write_wave_records(benchmark::State& state) {
  const YearAxis& axis = year_axis();
  const std::vector<float> v = series_values();
  auto write_year = [&](textio::OutputFile& out) {
    for (int t = 0; t < steps_per_year; ++t) {
      const char* stamp = axis.stamps[t].data();
      const int k = (3 * t) % (value_count - 3);
      textio::write_free(out, std::string_view(stamp, 8), "   ", std::string_view(stamp + 8, 4),
                         v[k], v[k + 1], v[k + 2]);
    }
  };
  time_records(state, write_year, "items = records");
}
BENCHMARK(bm_write_wave_records)->Unit(benchmark::kMillisecond);

// One station's year in the map file: per step the label, then height, period
// and direction each on a record of its own.
void bm_write_map_records(benchmark::State& state) {
  const YearAxis& axis = year_axis();
  const std::vector<float> v = series_values();
  auto write_year = [&](textio::OutputFile& out) {
    for (int t = 0; t < steps_per_year; ++t) {
      const int k = (3 * t) % (value_count - 3);
      textio::write_free(out, std::string_view(axis.labels[t].data(), axis.labels[t].size()));
      textio::write_free(out, v[k]);
      textio::write_free(out, v[k + 1]);
      textio::write_free(out, v[k + 2]);
    }
  };
  time_records(state, write_year, "items = time steps (4 records)");
}
BENCHMARK(bm_write_map_records)->Unit(benchmark::kMillisecond);

void bm_stamp_label(benchmark::State& state) {
  const YearAxis& axis = year_axis();
  context::Label label{};
  for (auto _ : state) {
    for (const context::Stamp& stamp : axis.stamps) {
      convert::stamp_label(stamp, label);
      benchmark::DoNotOptimize(label);
    }
  }
  state.SetItemsProcessed(state.iterations() * steps_per_year);
}
BENCHMARK(bm_stamp_label);

void bm_add_seconds_to_stamp(benchmark::State& state) {
  context::Stamp stamp = convert::start_stamp(20120101000000);
  for (auto _ : state) {
    for (int t = 0; t < steps_per_year; ++t) {
      convert::add_seconds_to_stamp(stamp, 3600);
    }
    benchmark::DoNotOptimize(stamp);
    stamp = convert::start_stamp(20120101000000);
  }
  state.SetItemsProcessed(state.iterations() * steps_per_year);
}
BENCHMARK(bm_add_seconds_to_stamp);

}  // namespace

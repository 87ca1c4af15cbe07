// Station output passes on a file of the size the wave model writes for a year
// of hourly events: 1.75 million records, counted and then read as values.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "textio/output_file.h"
#include "textio/output_set.h"
#include "textio/record_file.h"
#include "wavemodel/station_output.h"

namespace {

constexpr std::int32_t station_count = 250;
constexpr std::int32_t event_count = 7000;  // 1.75 million records

// The generated file, written once and removed at exit.
struct StationOutputFile {
  std::string path;
  std::int64_t bytes = 0;

  StationOutputFile() {
    path = (std::filesystem::temp_directory_path() /
            ("quilbar-bench-selhts-" + std::to_string(::getpid()) + ".out"))
               .string();
    textio::OutputSet set;
    textio::OutputFile out = textio::create_output(set, path);
    std::int32_t record = 0;
    for (std::int32_t e = 0; e < event_count; ++e) {
      for (std::int32_t s = 0; s < station_count; ++s) {
        const float height = 0.25f + static_cast<float>((e * 7 + s) % 400) * 0.01f;
        const float period = 3.0f + static_cast<float>((e + s * 3) % 120) * 0.1f;
        const double direction = static_cast<double>((e * 13 + s * 29) % 36000) * 0.01;
        // One record of the wave model's layout (the free-format writer's
        // fields would take more than one record).
        char line[64];
        const int n = std::snprintf(line, sizeof line, "%6d%6d%6d%10.4f%10.4f%10.3f", ++record,
                                    s % 300 + 1, s / 2 + 1, static_cast<double>(height),
                                    static_cast<double>(period), direction);
        textio::write_record(out, std::string_view(line, static_cast<std::size_t>(n)));
      }
    }
    textio::complete_output(set, out);
    textio::commit_outputs(set);
    bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  }
  ~StationOutputFile() { std::remove(path.c_str()); }
};

const StationOutputFile& station_output_file() {
  static const StationOutputFile file;
  return file;
}

void bm_count_station_records(benchmark::State& state) {
  const StationOutputFile& file = station_output_file();
  for (auto _ : state) {
    textio::RecordFile f = textio::open_records(file.path);
    benchmark::DoNotOptimize(wavemodel::count_station_records(f));
  }
  state.SetBytesProcessed(state.iterations() * file.bytes);
}
BENCHMARK(bm_count_station_records)->Unit(benchmark::kMillisecond);

void bm_read_station_output(benchmark::State& state) {
  const StationOutputFile& file = station_output_file();
  for (auto _ : state) {
    textio::RecordFile f = textio::open_records(file.path);
    const auto values = wavemodel::read_station_output(f, event_count, station_count);
    benchmark::DoNotOptimize(values.wave_direction.values.data());
  }
  state.SetBytesProcessed(state.iterations() * file.bytes);
}
BENCHMARK(bm_read_station_output)->Unit(benchmark::kMillisecond);

}  // namespace

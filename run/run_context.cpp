#include "run/run_context.h"

namespace run {

float station_depth(const RunContext& ctx, std::int32_t p) {
  const std::int32_t i = ctx.station_i[p] - 1;
  const std::int32_t k = ctx.grid_nj - ctx.station_j[p];
  return ctx.depth_grid(i, k);
}

}  // namespace run

# shellcheck shell=bash
# bench/run memory [N]: TopmostTamer.exe's working set after start and after
# 100 and 200 clicks on "Get All Windows" with N fixture windows (default
# 2000), against a minimal one-window program after start.
bench_memory_targets() { printf 'memory_bench TopmostTamer minimal_window'; }
bench_memory() {
  local arch="$1" count="${2:-2000}"
  bench_exec "$arch" memory_bench "$count"
}

# shellcheck shell=bash
# bench/run fill [N]: FillTaskList into a visible list box against a bare
# enumeration, N fixture windows (default 2000) in other processes, at most
# 2000 in each.
bench_fill_targets() { printf 'fill_bench'; }
bench_fill() {
  local arch="$1" count="${2:-2000}"
  bench_exec "$arch" fill_bench "$count"
}

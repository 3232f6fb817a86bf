# shellcheck shell=bash
# bench/run narrow [N]: "Locate Top Most Window" (the program's Command2_Click
# on a visible list box) against a bare enumeration, N fixture windows
# (default 2000) in other processes.
bench_narrow_targets() { printf 'narrow_bench'; }
bench_narrow() {
  local arch="$1" count="${2:-2000}"
  bench_exec "$arch" narrow_bench "$count"
}

# shellcheck shell=bash
# bench/run startup [ROUNDS]: TopmostTamer.exe from CreateProcess to its
# window shown and waiting for input, against a minimal one-window program
# built the same way; ROUNDS (default 15) alternating starts of each.
bench_startup_targets() { printf 'startup_bench TopmostTamer minimal_window'; }
bench_startup() {
  local arch="$1" rounds="${2:-15}"
  bench_exec "$arch" startup_bench --rounds "$rounds"
}

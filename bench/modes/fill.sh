# shellcheck shell=bash
# bench/run fill [N]: FillTaskList into a visible list box against a bare
# enumeration, N fixture windows (default 2000) in another process.
bench_fill() {
  local arch="$1" count="${2:-2000}"
  [ "$arch" = win32 ] &&
    tt_say "win32 under $TT_I386 i386 support: times include CPU emulation when emulated"
  winebed_run 1800 "build/$arch/bench/fill_bench.exe" "$count" \
    --fixture "$(winebed_winpath build/win64/tests/wine/fixture.exe)"
}

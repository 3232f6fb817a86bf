# shellcheck shell=bash
# The scripted demonstration that ./run shows on a private Xvfb when there is
# no display: the fixture puts up an always-on-top ad banner, and the demo
# driver walks the program through "Locate Top Most Window", the selection,
# "MiniMize" and "Restore Size", saving a screenshot after each step.
# Sourced by ./run after the Wine test bed is up.

# tt_demo PROGRAM.exe
tt_demo() {
  local program="$1" shots="$TT_ROOT/build/demo"
  tt_build win64 demo_driver fixture || tt_die "build failed; see build/logs/"
  rm -rf "$shots" && mkdir -p "$shots"
  winebed_run 300 build/win64/tests/demo_driver.exe \
    "$(winebed_winpath "$program")" \
    "$(winebed_winpath build/win64/tests/harness/fixture.exe)" "$shots" ||
    tt_die "the demonstration failed"
  printf 'Demo screenshots are in %s\n' "$shots"
}

# shellcheck shell=bash
# The scripted demonstration that ./run shows on a private Xvfb when there is
# no display: the end-to-end driver's demo mode puts up an always-on-top ad
# banner and walks the program through "Locate Top Most Window", the
# selection, "MiniMize" and "Restore Size", saving a screenshot after each.
# Sourced by ./run after the Wine test bed is up.

# tt_demo BUILD: the build's TopmostTamer.exe
tt_demo() {
  local shots="$TT_ROOT/build/demo"
  tt_build win64 tamer_test fixture || tt_die "build failed; see build/logs/"
  rm -rf "$shots" && mkdir -p "$shots"
  winebed_run 300 build/win64/tests/tamer_test.exe demo \
    "$(winebed_winpath "build/$1/mainwindow/TopmostTamer.exe")" \
    "$(winebed_winpath build/win64/tests/harness/fixture.exe)" "$shots" 96 ||
    tt_die "the demonstration failed"
  printf 'Demo screenshots are in %s\n' "$shots"
}

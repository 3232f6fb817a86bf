# shellcheck shell=bash
# Collects each test runner's summary and prints the total. Source it; then
# per runner call tally_add or tally_from_output, and tally_report at the end.

TALLY_LINES=()
TALLY_PASSED=0
TALLY_FAILED=0

tally_add() {
  local name="$1" passed="$2" failed="$3" note="${4:-}"
  TALLY_LINES+=("$(printf '%-28s %4d passed, %4d failed%s' "$name:" \
    "$passed" "$failed" "${note:+  ($note)}")")
  TALLY_PASSED=$((TALLY_PASSED + passed))
  TALLY_FAILED=$((TALLY_FAILED + failed))
}

# From a runner's output file and exit code: its last "N passed, N failed"
# line if it printed one; else one check, passed or failed by the exit code.
# A failing exit code with no failure counted still counts as one failure.
tally_from_output() {
  local name="$1" output="$2" rc="$3" note="${4:-}" line passed failed
  line="$(grep -Eo '[0-9]+ passed, [0-9]+ failed' "$output" 2>/dev/null | tail -n 1)"
  if [ -n "$line" ]; then
    passed="${line%% passed*}"
    failed="${line#*passed, }"
    failed="${failed%% failed*}"
  elif [ "$rc" -eq 0 ]; then
    passed=1 failed=0
  else
    passed=0 failed=0
  fi
  if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then
    failed=1
    note="${note:+$note; }exit code $rc"
  fi
  tally_add "$name" "$passed" "$failed" "$note"
}

# ctest's "NN% tests passed, F tests failed out of T".
tally_from_ctest() {
  local name="$1" output="$2" rc="$3" line total failed
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$output" | tail -n 1)"
  if [ -z "$line" ]; then
    tally_add "$name" 0 1 "no ctest summary, exit code $rc"
    return
  fi
  total="${line##* out of }"
  failed="$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
  tally_add "$name" $((total - failed)) "$failed"
}

tally_report() {
  printf '\n'
  printf '%s\n' "${TALLY_LINES[@]}"
  printf '%d passed, %d failed\n' "$TALLY_PASSED" "$TALLY_FAILED"
}

# shellcheck shell=bash
# Shared shell helpers: sourced by ./test, ./run, bench/run and the other
# scripts here. Sets TT_ROOT to the checkout's top folder.

TT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TT_LOGS="$TT_ROOT/build/logs"

tt_say() { printf '== %s\n' "$*" >&2; }
tt_die() {
  printf 'error: %s\n' "$*" >&2
  exit 1
}

# The log file for a step; the folder is made on first use.
tt_log_file() {
  mkdir -p "$TT_LOGS"
  printf '%s/%s.log' "$TT_LOGS" "$1"
}

# Runs a command with its output sent to the step's log; on failure shows the
# log's end.
tt_logged() {
  local name="$1" log
  shift
  log="$(tt_log_file "$name")"
  local rc=0
  "$@" >"$log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] && return 0
  printf 'error: %s failed (exit %d); last lines of %s:\n' "$name" "$rc" "$log" >&2
  tail -n 40 "$log" >&2
  return "$rc"
}

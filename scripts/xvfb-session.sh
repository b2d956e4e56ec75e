#!/usr/bin/env bash
# Runs a command on a private Xvfb server. The server picks a free display
# number itself (-displayfd), so runs started at the same moment (two
# worktrees' suites, a suite beside the Wine tests) never share a display,
# as two `xvfb-run -a` can.
#
#   scripts/xvfb-session.sh [-s "SERVER ARGS"] COMMAND [ARGS...]
#
# SERVER ARGS default to "-screen 0 1280x800x24". The command's exit status
# is the script's; the server stops with it.
set -euo pipefail
server_args=(-screen 0 1280x800x24)
if [[ ${1:-} == -s ]]; then
  read -r -a server_args <<<"$2"
  shift 2
fi
(($#)) || { echo "usage: xvfb-session.sh [-s \"SERVER ARGS\"] COMMAND [ARGS...]" >&2; exit 2; }
folder=$(mktemp -d)
xvfb_pid=""
stop_server() {
  [[ -n $xvfb_pid ]] && { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$folder"
}
trap stop_server EXIT
mkfifo "$folder/display"
Xvfb -displayfd 3 -nolisten tcp "${server_args[@]}" 3>"$folder/display" 2>"$folder/server.log" &
xvfb_pid=$!
if ! read -r -t 30 number <"$folder/display"; then
  cat "$folder/server.log" >&2
  echo "xvfb-session: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=:$number
"$@"

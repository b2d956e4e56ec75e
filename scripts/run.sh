#!/usr/bin/env bash
# Installs what is missing, builds what it starts in the release
# configuration (scripts/build.sh; later starts only rebuild what changed)
# and starts Trimbench2. Without a real logger attached, the simulated device bench
# (trimbench-sim) is started first and the program is pointed at it; the
# bench stops when the window closes. Without a display the window runs
# under xvfb-run (invisible).
#
#   TRIMBENCH_DEVICE_MAP=FILE   use this device map (a bench you started yourself)
#   TRIMBENCH_USE_SIM=1|0       force or forbid the simulated bench
#   TRIMBENCH_VENDOR_IDS="v ..."  vendor ids (hex) that mark a real logger
#                               (default: those of the udev rule, from platform/DeviceIds.h)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh release Trimbench2 trimbench-sim tb_udev_rule
out=$PWD/build/release/out

# The maker's vendor ids, as the udev rule generator prints them.
default_vendor_ids() {
  "$out/tb_udev_rule" | sed -n 's/.*ATTRS{idVendor}=="\([0-9a-fA-F]*\)".*/\1/p' | tr '\n' ' '
}

# A logger of ours on USB: a device with one of the maker's vendor ids.
real_logger_attached() {
  local vendors=${TRIMBENCH_VENDOR_IDS:-$(default_vendor_ids)} f v
  [[ -n ${vendors// /} ]] || { echo "run.sh: no vendor ids from $out/tb_udev_rule" >&2; return 1; }
  for f in /sys/bus/usb/devices/*/idVendor; do
    [[ -r $f ]] || continue
    v=$(<"$f")
    for want in $vendors; do [[ ${v,,} == "${want,,}" ]] && return 0; done
  done
  return 1
}

use_sim=${TRIMBENCH_USE_SIM:-}
if [[ -z $use_sim ]]; then
  if [[ -n ${TRIMBENCH_DEVICE_MAP:-} ]] || real_logger_attached; then use_sim=0; else use_sim=1; fi
fi

sim_pid=""
cleanup() {
  if [[ -n $sim_pid ]]; then
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  [[ -n ${run_dir:-} ]] && rm -rf "$run_dir"
}
trap cleanup EXIT INT TERM

if [[ $use_sim == 1 ]]; then
  run_dir=$(mktemp -d)
  map=$run_dir/devices.map
  "$out/trimbench-sim" --map "$map" >"$run_dir/sim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 100); do [[ -s $map ]] && break; sleep 0.05; done
  if [[ ! -s $map ]]; then
    echo "trimbench-sim did not start:"; cat "$run_dir/sim.log"; exit 1
  fi
  export TRIMBENCH_DEVICE_MAP=$map
  echo "no real logger attached: simulated bench running (state log: $run_dir/sim.log)"
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "no display: running Trimbench2 under xvfb-run, invisible (on a desktop: bash scripts/run.sh)"
  xvfb-run -a -s "-screen 0 1280x800x24" "$out/Trimbench2"
else
  "$out/Trimbench2"
fi

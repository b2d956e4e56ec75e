#!/usr/bin/env bash
# Trimbench on Windows: cross-builds the device libraries, Trimbench2.exe and
# trimbench.exe with MinGW-w64 and the Qt kit (scripts/qt-windows-kit.sh)
# into build/win64 (cmake/mingw-w64.cmake), checks the DLLs' exports, and
# runs under Wine against trimbench-sim of the Linux release build
# (build/release): the libraries' tests and examples, the suites of the
# layers above them, the window tests offscreen, trimbench.exe beside the
# Linux trimbench (same JSON, same journal rows), the window on the windows
# platform under Xvfb (a picture of every tab in both languages), and the
# installer (silent install, the installed program, silent uninstall).
# Any failure fails the script.
#
# With --bench it prints the benchmarks' figures instead (bench_wine against
# a paced simulator: a base unit and a model-870 logger), not part of CI.
# While working on one step: TB_WINE_STEPS="cli_compare window_tour" runs
# only those, and TB_WINE_NO_BUILD=1 leaves the build as it is.
#
# The Wine prefix lives in build/win64/wineprefix (made once). Every COM
# number of the simulator's device map is linked to its pseudo-terminal in
# the prefix's dosdevices and registered as the prefix's serial port.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-test}
root=$PWD
build=build/win64
out=$root/$build/out
jobs=${TB_JOBS:-$(nproc)}
sim=$root/build/release/out/trimbench-sim
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[[ -x $sim ]] || { echo "wine-test: $sim is missing (build the release first)" >&2; exit 1; }
[[ -x $wine ]] || { echo "wine-test: wine64 is missing (scripts/install-deps.sh)" >&2; exit 1; }

# The cross build: libraries, programs, examples, tests.
kit=$(bash scripts/qt-windows-kit.sh)
args=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTB_QT_WINDOWS="$kit" -DCMAKE_BUILD_TYPE=RelWithDebInfo
      "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
# Paths are hashed relative to the checkout, so another clone of the same
# sources (CI's, a second worktree) reuses what this one compiled.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The benchmarks only for --bench (the tests run none of them).
if [[ $mode == --bench ]]; then args+=(-DTB_BENCH=ON); else args+=(-DTB_BENCH=OFF); fi
if [[ -z ${TB_WINE_NO_BUILD:-} ]]; then
  cmake -S . -B "$build" -G Ninja "${args[@]}" >/dev/null
  if [[ $mode == --bench ]]; then
    cmake --build "$build" -j "$jobs" --target bench_wine bench_pages_wine bench_window_wine
  else
    cmake --build "$build" -j "$jobs"
  fi
fi
bash tests/windows/check-exports.sh "$out"

# A private, headless prefix: no display, no Mono or Gecko installers.
export WINEPREFIX=$root/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64 DISPLAY=
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
fi
# The windows platform draws Latin text with a Tahoma-like font.
cp -f /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

# The bench: two base units, a model-870 and a model-875 logger, the LAN
# base unit; its console is a FIFO the tests write fault commands into.
# start_bench starts it afresh (the page commands change what the devices
# hold, so each side of a comparison gets a bench of its own).
run=$root/$build/wine-run
rm -rf "$run"
mkdir -p "$run"
mkfifo "$run/console"
exec 7<>"$run/console"
lan_port=$((20000 + RANDOM % 20000))
devices=(--no-pacing --base-unit-serial 00E4A3B1 --base-unit-serial 0000FA17 --lgr870 1 --lgr875 1
         --lgr87x-records 300 --lan --lan-port "$lan_port")
[[ $mode == --bench ]] && devices=(--logger 820 --lgr870 1 --lgr87x-records 1000)
sim_pid=""
stop_sim() {
  [[ -n $sim_pid ]] && { kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; }
  sim_pid=""
  "$wineserver" -k >/dev/null 2>&1 || true
}
trap stop_sim EXIT
start_bench() {  # start_bench [DEVICE OPTIONS...]: the bench's devices by default
  local options=("$@")
  ((${#options[@]})) || options=("${devices[@]}")
  stop_sim
  rm -f "$run/devices.map"
  "$sim" --map "$run/devices.map" --quiet "${options[@]}" <"$run/console" >"$run/sim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 100); do [[ -s $run/devices.map ]] && break; sleep 0.05; done
  [[ -s $run/devices.map ]] || { cat "$run/sim.log" >&2; echo "wine-test: no device map" >&2; exit 1; }

  # Each COM number of the map: the prefix's port registry (what makes the
  # system list it) and a link in dosdevices. The system reads the registry
  # when the prefix starts, so the prefix is restarted after the import.
  {
    printf 'REGEDIT4\n\n[-HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    while read -r com device _; do
      [[ $com =~ ^[0-9]+$ ]] && printf '"COM%s"="%s"\n' "$com" "$device"
    done <"$run/devices.map"
  } >"$run/ports.reg"
  "$wine" regedit /S "$(sed 's|/|\\|g; s|^|Z:|' <<<"$run/ports.reg")"
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w
  find "$WINEPREFIX/dosdevices" -maxdepth 1 -name 'com*' -delete
  while read -r com device _; do
    [[ $com =~ ^[0-9]+$ ]] && ln -s "$device" "$WINEPREFIX/dosdevices/com$com"
  done <"$run/devices.map"
  # The prefix's own services start with its first program; a test program
  # that ends while they are still starting has been seen to hang at exit
  # under Wine. They are started here, before any test.
  timeout 120 "$wine" wineboot >/dev/null 2>&1 || true
  return 0
}
start_bench

export TRIMBENCH_DEVICE_MAP="Z:$run/devices.map" TRIMBENCH_SIM_CONSOLE="Z:$run/console"
export TRIMBENCH_SIM_LAN_PORT=$lan_port TRIMBENCH_USB_SCAN=0
export TRIMBENCH_SETTINGS_FILE="Z:$run/no-settings.conf" TZ=UTC

# Every program runs with a time limit: a hang fails its step, never CI.
run_wine=(timeout 300 "$wine")

if [[ $mode == --bench ]]; then
  # A Japanese system, as the pages' history log lines are Japanese text in
  # its code page.
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  (cd "$out" && "${run_wine[@]}" bench_wine.exe && "${run_wine[@]}" bench_pages_wine.exe &&
     "${run_wine[@]}" bench_window_wine.exe)
  exit
fi

failures=0
step() {
  local name=$1
  shift
  [[ -z ${TB_WINE_STEPS:-} || " $TB_WINE_STEPS " == *" $name "* ]] || return 0
  local started=$SECONDS
  if (cd "$out" && "$@") >"$run/$name.log" 2>&1; then
    echo "wine-test: $name passed ($((SECONDS - started)) s)"
  else
    echo "wine-test: $name FAILED ($((SECONDS - started)) s)"
    tail -n 40 "$run/$name.log"
    failures=$((failures + 1))
  fi
}
expect_output() {  # expect_output TEXT PROGRAM ARGS...: runs it, and TEXT must be in its output
  local text=$1
  shift
  local printed
  printed=$("$@") || { echo "$printed"; return 1; }
  echo "$printed"
  grep -qF "$text" <<<"$printed"
}

step platform "${run_wine[@]}" test_platform_win.exe
step link "${run_wine[@]}" test_link_win.exe
step find_and_talk expect_output "base unit 00E4A3B1" "${run_wine[@]}" find_and_talk.exe
step model_client_870 "${run_wine[@]}" model_client.exe 870 300
step model_client_875 "${run_wine[@]}" model_client.exe 875 300
step lan_adjust_read "${run_wine[@]}" lan_adjust_read.exe 127.0.0.1 "$lan_port" trimbench
step unload_after_lan expect_output "let go" "${run_wine[@]}" unload_after_lan.exe "$lan_port"
# The package: made, unpacked, and the link example built from its headers and
# import library alone runs with its DLLs alone.
libraries_zip() {
  (cd "$root/$build" && cpack -G ZIP >/dev/null)
  local zip pkg
  zip=$(ls "$root/$build"/package/trimbench-libs-*-win64.zip)
  rm -rf "$run/package"
  mkdir -p "$run/package"
  (cd "$run/package" && cmake -E tar xf "$zip")
  pkg=$(ls -d "$run"/package/trimbench-libs-*-win64)
  x86_64-w64-mingw32-gcc-posix -std=c11 -O2 "$root/link/examples/find_and_talk.c" -I"$pkg/include" \
    -L"$pkg/lib" -lVkLGR800Comm -o "$pkg/bin/find_and_talk_from_zip.exe"
  echo "wine-test: package $zip"
  expect_output "base unit 00E4A3B1" "${run_wine[@]}" "$pkg/bin/find_and_talk_from_zip.exe"
}
step package libraries_zip

step devices "${run_wine[@]}" test_devices_win.exe --gtest_filter=-UnplugOnWine.*
step unplug "${run_wine[@]}" test_devices_win.exe --gtest_filter=UnplugOnWine.*

# The suites of the layers above the libraries. The offscreen platform of
# the window tests reads its fonts from one folder only.
mkdir -p "$run/fonts"
ln -sf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf /usr/share/fonts/truetype/takao-gothic/*.ttf "$run/fonts/"
offscreen=(env WINEQT_QPA_PLATFORM=offscreen "WINEQT_QPA_FONTDIR=Z:$run/fonts")
step pages_formula "${run_wine[@]}" test_pages_formula_win.exe
# The data and program folder cases name Linux paths; test_system_win has Windows'.
step services "${offscreen[@]}" "${run_wine[@]}" test_services_win.exe \
  --gtest_filter=-DataFolder.*:ProgramFolder.*
step resources "${run_wine[@]}" test_resources_win.exe
step journal "${offscreen[@]}" "${run_wine[@]}" test_journal_win.exe
# A Japanese Windows: system code page 932.
step system env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "${offscreen[@]}" "${run_wine[@]}" test_system_win.exe
step ui_offscreen "${offscreen[@]}" "${run_wine[@]}" test_ui_win.exe

# trimbench.exe beside the Linux trimbench, each on a fresh bench with a
# journal of its own: the same commands give the same JSON and exit codes,
# and the journals the same rows (tests/windows/compare-cli.py).
cli_commands() {  # cli_commands DIR PROGRAM...: the commands' outputs into DIR
  local dir=$1 name
  shift
  mkdir -p "$dir" "$dir-errors"
  run_cli() {
    name=$1
    shift
    "$@" >"$dir/$name" 2>"$dir-errors/$name" && echo 0 >"$dir/$name.exit" || echo $? >"$dir/$name.exit"
  }
  run_cli list "$@" list --json
  run_cli read_820 "$@" read 820 --json
  run_cli adjust_820 "$@" adjust 820 --point 25.0:25.3 --yes --json
  run_cli adjust_dry "$@" adjust 820 --point 25.0:40.0 --dry-run --json
  run_cli read_870 "$@" read 870 --json
  run_cli batch "$@" batch "$batch_file" --yes --keep-going --json
  run_cli verify "$@" journal verify
  run_cli journal "$@" journal --csv
}
compare_cli() {
  local linux_settings=$run/cli-linux.ini windows_settings=$run/cli-windows.ini
  batch_file=$run/cli-batch.csv
  printf 'model,serial,channel,before1,after1\n820,00820001,1,25.0,25.2\n820,00820001,1,30.0,30.1\n870,87000001,1,2.4,0.0\n' >"$batch_file"
  printf '[Journal]\nFile=%s\n' "$run/cli-linux.sqlite3" >"$linux_settings"
  printf '[Journal]\nFile=Z:%s\n' "$run/cli-windows.sqlite3" >"$windows_settings"
  # A base unit with an 820 logger (00820001), a model-870 and a model-875 logger.
  local bench=(--no-pacing --logger 820 --lgr870 1 --lgr875 1 --lgr87x-records 300)
  start_bench "${bench[@]}"
  TRIMBENCH_DEVICE_MAP=$run/devices.map TRIMBENCH_SETTINGS_FILE=$linux_settings HOME=$run/cli-home \
    cli_commands "$run/cli-linux" timeout 120 "$root/build/release/out/trimbench"
  start_bench "${bench[@]}"
  # The prefix's first program after a restart may find the prefix still
  # starting up: one that does nothing starts it.
  "$wine" cmd /c exit >/dev/null 2>&1 || true
  batch_file="Z:$batch_file"
  # A Japanese Windows: the history log in code page 932.
  LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 TRIMBENCH_SETTINGS_FILE="Z:$windows_settings" cli_commands "$run/cli-windows" "${run_wine[@]}" trimbench.exe
  stop_sim
  python3 "$root/tests/windows/compare-cli.py" "$run/cli-linux" "$run/cli-windows"
}
step cli_compare compare_cli

# The window on the windows platform under Xvfb, a picture of every tab.
# Wine's DirectWrite draws Latin text in a serif fallback whatever family
# is asked for; its GDI draws the Tahoma the prefix has, as a Windows
# draws its interface font, so the pictures are taken with Qt's GDI engine.
# Each language in a process of its own on a system of that language, as
# the program runs: a Japanese start chooses the process's locale and font
# for good, and Wine's Japanese system locale swaps Tahoma for a serif face.
window_tour() {
  local language system
  for language in ja en; do
    system=ja_JP.UTF-8
    [[ $language == en ]] && system=en_US.UTF-8
    env LANG=$system QT_QPA_PLATFORM=windows:nodirectwrite \
      bash "$root/scripts/xvfb-session.sh" -s "-screen 0 1280x900x24" \
      "${run_wine[@]}" test_window_tour_win.exe --gtest_filter="*/$language" || return 1
    "$wineserver" -k >/dev/null 2>&1 || true
  done
}
"$wineserver" -k >/dev/null 2>&1 || true
step window_tour window_tour
"$wineserver" -k >/dev/null 2>&1 || true
echo "wine-test: pictures of the window in $build/artefacts/windows"

# The installer: made, installed silently, the installed program started,
# uninstalled silently, and nothing of it left.
step installer bash "$root/tests/windows/check-installer.sh" "$root/$build" "$run"

if ((failures > 0)); then
  echo "wine-test: $failures step(s) failed; logs in $run" >&2
  exit 1
fi

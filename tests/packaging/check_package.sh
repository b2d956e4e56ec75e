#!/usr/bin/env bash
# Checks a built trimbench .deb as a fresh desk would meet it:
#   check_package.sh PACKAGE.deb
# lintian, the package's dependencies, appstreamcli and desktop-file-validate
# on its files; then the package is unpacked into a scratch root (dpkg -x) and
# the installed Trimbench2 starts offscreen against the installed
# trimbench-sim with every library found inside that root, in Japanese and
# in English; where an X server and AT-SPI can run, a technician's send is
# driven through the installed window. Exits non-zero on the first failure.
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

scratch=$(mktemp -d)
sim_pid=""
cleanup() {
  if [[ -n $sim_pid ]]; then kill -TERM "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# --- the package as a whole
if lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1; then
  pass "lintian reports no error"
else
  fail "lintian:"; cat "$scratch/lintian.log"
fi
grep -E '^[EW]:' "$scratch/lintian.log" || true
depends=$(dpkg-deb -f "$deb" Depends)
for want in libqt6widgets6 libqt6charts6 libudev1 libc6 qt6-qpa-plugins; do
  [[ $depends == *"$want"* ]] && pass "depends on $want" || fail "Depends lacks $want: $depends"
done

# --- its files
root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml >"$scratch/appstream.log" 2>&1 \
  && pass "appstreamcli validate" || { fail "appstreamcli:"; cat "$scratch/appstream.log"; }
desktop-file-validate "$usr"/share/applications/*.desktop \
  && pass "desktop-file-validate" || fail "desktop-file-validate"
for file in \
    bin/Trimbench2 bin/trimbench-sim \
    lib/trimbench/libVkLGR800Comm.so lib/trimbench/libVkTcpCom800.so \
    lib/trimbench/libVkLGR870Com.so lib/trimbench/libVkLGR875Com.so \
    lib/trimbench/libVk800UsbSerialEx.so lib/trimbench/libCP210xRuntime.so \
    lib/trimbench/lang/en/Trimbench_800.so \
    include/trimbench/link/VkLGR800Comm.h include/trimbench/modelcom/lgr870/VkLGR870Com.h \
    share/trimbench/manual/ja/index.html share/trimbench/manual/en/index.html \
    share/icons/hicolor/scalable/apps/com.kestrune.Trimbench2.svg \
    share/icons/hicolor/48x48/apps/com.kestrune.Trimbench2.png \
    share/man/man1/Trimbench2.1.gz share/man/man1/trimbench-sim.1.gz \
    lib/udev/rules.d/70-trimbench.rules; do
  [[ -e $usr/$file ]] || fail "missing /usr/$file"
done
grep -q 'TAG+="uaccess"' "$usr/lib/udev/rules.d/70-trimbench.rules" \
  && pass "udev rule tags the loggers' ports uaccess" || fail "udev rule without uaccess"
# Our own libraries carry an ABI number; the names callers open stay.
readelf -d "$usr/lib/trimbench/libVkLGR800Comm.so" | grep -q 'SONAME.*libVkLGR800Comm.so.1' \
  && pass "SONAME libVkLGR800Comm.so.1" || fail "libVkLGR800Comm.so has no versioned SONAME"
readelf -d "$usr/bin/Trimbench2" | grep -q 'RUNPATH.*\$ORIGIN/../lib/trimbench' \
  && pass "RUNPATH \$ORIGIN/../lib/trimbench" || fail "Trimbench2 RUNPATH"

# Every program and library finds its libraries, and finds them in the root.
unset LD_LIBRARY_PATH
while IFS= read -r elf; do
  missing=$(ldd "$elf" 2>&1 | grep 'not found' || true)
  [[ -z $missing ]] || fail "$elf: $missing"
done < <(find "$usr/bin" "$usr/lib/trimbench" -type f \( -perm -u+x -o -name '*.so*' \))
# Our libraries as the loader resolves them: each inside the root.
ours='lib(Vk|TrimbenchPlatform|CP210x)[^ ]*|Trimbench_800\.so'
outside=$(ldd "$usr/bin/Trimbench2" | grep -E "$ours" | grep -v "=> $root/usr/" || true)
[[ -z $outside ]] && pass "Trimbench2 takes our libraries from the installed folder" \
  || fail "libraries from outside the root: $outside"

# --- the installed programs run
map=$scratch/devices.map
"$usr/bin/trimbench-sim" --map "$map" --quiet >"$scratch/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [[ -s $map ]] && break; sleep 0.1; done
[[ -s $map ]] && pass "installed trimbench-sim serves its bench" || { fail "trimbench-sim:"; cat "$scratch/sim.log"; }

# Runs the installed window offscreen for a few seconds; prints what it loaded.
start_window() {
  local log=$1; shift
  local status=0
  env -u LD_LIBRARY_PATH HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    QT_QPA_PLATFORM=offscreen TRIMBENCH_DEVICE_MAP="$map" LD_DEBUG=libs "$@" \
    timeout 4 "$usr/bin/Trimbench2" >"$log" 2>&1 || status=$?
  [[ $status -eq 124 ]]  # still running when the time was up
}
mkdir -p "$scratch/home"
if start_window "$scratch/ja.log"; then
  pass "installed Trimbench2 starts against the bench (Japanese)"
else
  fail "Trimbench2 did not keep running:"; grep -v '^ *[0-9]*:' "$scratch/ja.log" | tail -20
fi
# The libraries the running program initialised (the loader's own report).
initialised() { grep -oE "calling init: [^ ]+" "$1" | awk '{print $3}' | sort -u; }
inits=$(initialised "$scratch/ja.log")
for lib in libVkLGR800Comm.so.1 libVk800UsbSerialEx.so libTrimbenchPlatform.so.1; do
  grep -qE "^$root/usr/(bin/\.\./)?lib/trimbench/$lib\$" <<<"$inits" \
    || fail "$lib was not loaded from the installed folder"
done
if start_window "$scratch/en.log" TRIMBENCH_LANGUAGE=en; then
  initialised "$scratch/en.log" | grep -qE "^$root/usr/(bin/\.\./)?lib/trimbench/lang/en/Trimbench_800.so\$" \
    && pass "TRIMBENCH_LANGUAGE=en loads the installed English library" \
    || fail "the English library was not loaded"
else
  fail "Trimbench2 (English) did not keep running"; tail -20 "$scratch/en.log"
fi
kill -TERM "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; sim_pid=""

# A technician's send through the installed window, where a desktop can run.
e2e=$here/../ui/e2e/send_base_unit_page_via_atspi.py
if command -v Xvfb >/dev/null && command -v dbus-run-session >/dev/null \
   && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  if env -u LD_LIBRARY_PATH HOME="$scratch/home" dbus-run-session -- \
       bash "$here/../../scripts/xvfb-session.sh" /usr/bin/python3 "$e2e" "$usr/bin" 820 \
       >"$scratch/e2e.log" 2>&1; then
    pass "a send on the installed window reaches the simulated logger"
  else
    fail "send through the installed window:"; tail -30 "$scratch/e2e.log"
  fi
else
  echo "skip: no X server / AT-SPI for the send through the installed window"
fi

if ((failures)); then echo "$failures package check(s) failed"; exit 1; fi
echo "package checks passed"

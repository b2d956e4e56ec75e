#!/usr/bin/env bash
# check-installer.sh BUILD RUN: makes the installer (cpack -G NSIS in the
# Windows build folder BUILD), installs it silently into the Wine prefix
# (WINEPREFIX), starts the installed trimbench.exe, uninstalls silently and
# checks that nothing of it is left: no folder, no Start-menu entry, no
# uninstall key. Logs in RUN.
set -euo pipefail
build=$1
run=$2
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
fail() { echo "check-installer: $*" >&2; exit 1; }

rm -f "$build"/package/trimbench-*-win64-setup.exe
(cd "$build" && cpack -G NSIS >"$run/cpack-nsis.log" 2>&1) || { tail -20 "$run/cpack-nsis.log"; fail "cpack failed"; }
setup=$(ls "$build"/package/trimbench-*-win64-setup.exe)
version=$(sed -n 's/.*trimbench-\(.*\)-win64-setup.exe/\1/p' <<<"$setup")
echo "check-installer: $setup"

folder="$WINEPREFIX/drive_c/Program Files/Kestrune/Trimbench2"
menus=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
       "$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
shortcuts() { find "${menus[@]}" -iname 'Trimbench2*.lnk' 2>/dev/null || true; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune Trimbench2'
[[ ! -e $folder ]] || fail "$folder is there before the install"

"$wine" "$setup" /S
"$wineserver" -w
for file in Trimbench2.exe trimbench.exe Uninstall.exe TrimbenchPlatform.dll VkLGR800Comm.dll \
            VkLGR870Com.dll VkLGR875Com.dll Vk800UsbSerialEx.dll CP210xRuntime.dll VkTcpCom800.dll \
            lang/en/Trimbench_800.dll manual/ja/index.html manual/en/index.html; do
  [[ -f $folder/$file ]] || fail "the install left out $file"
done
[[ -n $(shortcuts) ]] || fail "no Start-menu entry"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "no uninstall key"
echo "check-installer: installed, with $(shortcuts | head -1 | sed "s|$WINEPREFIX/||")"

printed=$("$wine" 'C:\Program Files\Kestrune\Trimbench2\trimbench.exe' --version)
printed=${printed%$'\r'}
echo "check-installer: the installed trimbench.exe says: $printed"
[[ $printed == "trimbench $version" ]] || fail "expected \"trimbench $version\""

"$wine" "$folder/Uninstall.exe" /S
"$wineserver" -w
# The uninstaller runs from a copy in the temporary folder and may end after its caller.
for _ in $(seq 50); do [[ -e $folder ]] || break; sleep 0.2; done
[[ ! -e $folder ]] || { find "$folder" >&2; fail "the uninstall left files behind"; }
[[ ! -e "$WINEPREFIX/drive_c/Program Files/Kestrune" ]] || fail "the uninstall left the Kestrune folder"
[[ -z $(shortcuts) ]] || fail "the uninstall left the Start-menu entry"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall left its key"
echo "check-installer: uninstalled, nothing left"

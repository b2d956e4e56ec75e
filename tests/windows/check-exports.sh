#!/usr/bin/env bash
# Checks the Windows DLLs in OUT (build/win64/out): each exports exactly the
# C names listed in tests/windows/exports/<dll>.txt, undecorated, and needs
# nothing but Windows system DLLs and our own DLLs (the C and C++ runtimes
# are linked in). Prints each difference; exit status 1 when there is one.
set -euo pipefail
out=${1:?usage: check-exports.sh OUT}
lists=$(dirname "$0")/exports
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
# What a DLL may import: the system's own, and ours.
allowed='^(kernel32|user32|advapi32|setupapi|ws2_32|msvcrt|ntdll|trimbenchplatform|vk800usbserialex|vktcpcom800|vklgr800comm|vklgr870com|vklgr875com|cp210xruntime)\.dll$'
failed=0
for list in "$lists"/*.txt; do
  name=$(basename "$list" .txt)
  dll=$out/$name.dll
  if [[ ! -f $dll ]]; then
    echo "check-exports: $name.dll is missing"; failed=1; continue
  fi
  dump=$("$objdump" -p "$dll")
  exported=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" \
    | awk '/^\t\[/ { print $NF }' | sort)
  if ! diff <(sort "$list") <(echo "$exported") >/dev/null; then
    echo "check-exports: $name.dll exports differ (< expected, > exported):"
    diff <(sort "$list") <(echo "$exported") | grep '^[<>]' || true
    failed=1
  fi
  while read -r imported; do
    if ! grep -qiE "$allowed" <<<"$imported"; then
      echo "check-exports: $name.dll needs $imported"; failed=1
    fi
  done < <(awk '/DLL Name:/ { print $3 }' <<<"$dump")
done
((failed == 0)) && echo "check-exports: $(ls "$lists"/*.txt | wc -l) DLLs export exactly their C names"
exit $failed

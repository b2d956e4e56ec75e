#!/usr/bin/env bash
# Prints the prefix of the Qt 6 kit for Windows (MinGW-w64, static) that the
# Windows build uses, extracting it first when it is missing:
#  - TB_QT_WINDOWS, when set, names a kit already installed (used as it is);
#  - otherwise the prebuilt kit qt6-win64-*-mingw-static.tar.xz from
#    ../shared/windows-qt/ (beside the clone; /work/shared on a developer's
#    machine) is extracted once into build/qt6-win64;
#  - otherwise a kit that scripts/build-qt-windows.sh made in its cache folder.
# Exits non-zero with a message naming both ways to get one when none is there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=$root/build/qt6-win64
built=${TB_QT_BUILD_CACHE:-$HOME/.cache/trimbench/qt6-win64-build}/qt6-win64

is_kit() { [[ -f $1/lib/cmake/Qt6/Qt6Config.cmake ]]; }

if [[ -n ${TB_QT_WINDOWS:-} ]]; then
  is_kit "$TB_QT_WINDOWS" && { echo "$TB_QT_WINDOWS"; exit 0; }
  echo "qt-windows-kit: TB_QT_WINDOWS=$TB_QT_WINDOWS holds no Qt 6 (lib/cmake/Qt6 is missing)" >&2
  exit 1
fi
if is_kit "$cache"; then echo "$cache"; exit 0; fi

archive=""
for dir in "$root/../shared/windows-qt" /work/shared/windows-qt; do
  for file in "$dir"/qt6-win64-*-mingw-static.tar.xz; do
    [[ -f $file ]] && { archive=$file; break 2; }
  done
done
if [[ -n $archive ]]; then
  mkdir -p "$root/build"
  partial=$root/build/qt6-win64.partial
  rm -rf "$partial"
  mkdir -p "$partial"
  tar -C "$partial" -xJf "$archive"
  rm -rf "$cache"
  mv "$partial/qt6-win64" "$cache"
  rm -rf "$partial"
  is_kit "$cache" || { echo "qt-windows-kit: $archive holds no qt6-win64/lib/cmake/Qt6" >&2; exit 1; }
  echo "$cache"
  exit 0
fi
if is_kit "$built"; then echo "$built"; exit 0; fi

cat >&2 <<MSG
qt-windows-kit: no Qt 6 for Windows (MinGW-w64) was found.
  Either set TB_QT_WINDOWS to the prefix of an installed kit,
  or put qt6-win64-<version>-mingw-static.tar.xz in ../shared/windows-qt/,
  or build one from the sources with scripts/build-qt-windows.sh (about half an hour).
MSG
exit 1

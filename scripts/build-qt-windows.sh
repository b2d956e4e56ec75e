#!/usr/bin/env bash
# Builds the Qt 6 kit for Windows (MinGW-w64, static) from the sources, for
# a machine without the prebuilt kit of ../shared/windows-qt/: Debian's
# qt6-base and sqlite3 source packages, the Qt Charts source tarball and the
# one patch beside the prebuilt kit. The result is the same prefix
# qt6-win64/ (bin, include, lib, plugins, mkspecs), in the cache folder
# (TB_QT_BUILD_CACHE, default ~/.cache/trimbench/qt6-win64-build), where
# scripts/qt-windows-kit.sh finds it. About half an hour on two idle cores;
# CI never runs it. Each stage is skipped when its result is there, so a run
# that was stopped goes on where it left off.
#
#   nice -n 19 scripts/build-qt-windows.sh     # TB_JOBS=2 by default
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
shared=$root/../shared/windows-qt
[[ -d $shared ]] || shared=/work/shared/windows-qt
cache=${TB_QT_BUILD_CACHE:-$HOME/.cache/trimbench/qt6-win64-build}
prefix=$cache/qt6-win64
jobs=${TB_JOBS:-2}
qt_version=6.4.2
qtbase_package=qt6-base=6.4.2+dfsg-10
sqlite_package=sqlite3=3.40.1-2+deb12u2
charts_tarball=$shared/qtcharts-$qt_version-src.tar.xz
patch_file=$shared/patches/qwindows-directwrite3-needs-direct2d.patch

stage() { echo "build-qt-windows: $* ($(date -u +%H:%M:%S))"; }
need() { [[ -e $1 ]] || { echo "build-qt-windows: $1 is missing" >&2; exit 1; }; }
need "$charts_tarball"
need "$patch_file"
for tool in x86_64-w64-mingw32-g++-posix /usr/lib/qt6/libexec/moc cmake ninja dpkg-source; do
  command -v "$tool" >/dev/null || [[ -x $tool ]] || {
    echo "build-qt-windows: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
mkdir -p "$cache" "$prefix"
cd "$cache"

# The compilers of the kit: the posix thread model, the MinGW sysroot and
# the prefix itself (SQLite is found there).
cat >toolchain.cmake <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# Debian's source packages need a deb-src entry beside the deb ones.
if ! apt-get source --print-uris "$sqlite_package" >/dev/null 2>&1; then
  stage "adding the deb-src entries"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    >/etc/apt/sources.list.d/trimbench-deb-src.sources
  apt-get update -qq
fi

# SQLite: the amalgamation from Debian's source (its patches applied by
# dpkg-source), one object cross-compiled into lib/libsqlite3.a.
if [[ ! -f $prefix/lib/libsqlite3.a ]]; then
  stage "SQLite"
  [[ -d sqlite3-src ]] || { mkdir -p sqlite3-src; (cd sqlite3-src && apt-get source -qq "$sqlite_package"); }
  src=$(ls -d sqlite3-src/sqlite3-*/ | head -1)
  if [[ ! -f $src/sqlite3.c ]]; then
    (cd "$src" && ./configure --disable-tcl >/dev/null && make -j "$jobs" sqlite3.c >/dev/null)
  fi
  mkdir -p "$prefix/lib" "$prefix/include"
  x86_64-w64-mingw32-gcc-posix -O2 -c "$src/sqlite3.c" -o sqlite3.o \
    -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_OMIT_LOAD_EXTENSION \
    -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS5 \
    -DSQLITE_ENABLE_RTREE -DSQLITE_ENABLE_JSON1 -DSQLITE_OMIT_COMPLETE
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" sqlite3.o
  cp "$src/sqlite3.h" "$src/sqlite3ext.h" "$prefix/include/"
fi

# qtbase from Debian's source package (its patch series), plus our patch.
if [[ ! -f $prefix/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake ]]; then
  stage "qtbase: sources"
  [[ -d qtbase-src ]] || { mkdir -p qtbase-src; (cd qtbase-src && apt-get source -qq "$qtbase_package"); }
  src=$(ls -d "$cache"/qtbase-src/qt6-base-*/ | head -1)
  if [[ ! -f $src/.trimbench-patched ]]; then
    patch -d "$src" -p1 <"$patch_file"
    touch "$src/.trimbench-patched"
  fi
  mkdir -p qtbase-build
  stage "qtbase: configure"
  (cd qtbase-build && [[ -f build.ninja ]] || "$src/configure" -prefix "$prefix" -qt-host-path /usr \
      -static -static-runtime -release -optimize-size \
      -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-zstd -no-direct2d \
      -qt-zlib -qt-libpng -no-libjpeg -no-gif -qt-pcre -qt-freetype -qt-harfbuzz \
      -sql-sqlite -system-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase -no-sql-oci -no-sql-db2 \
      -no-feature-network -no-feature-xml -no-feature-concurrent -no-feature-tabletevent \
      -no-feature-androiddeployqt -no-feature-vulkan -- -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake" \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1) \
    || { tail -30 qtbase-build/configure.log >&2; exit 1; }
  stage "qtbase: build"
  cmake --build qtbase-build --parallel "$jobs" >qtbase-build/build.log 2>&1 \
    || { tail -30 qtbase-build/build.log >&2; exit 1; }
  cmake --install qtbase-build >/dev/null
fi

# Qt Charts from its source tarball, configured by the kit just installed.
if [[ ! -f $prefix/lib/cmake/Qt6Charts/Qt6ChartsConfig.cmake ]]; then
  stage "Qt Charts"
  [[ -d qtcharts-$qt_version ]] || tar -xJf "$charts_tarball"
  mkdir -p qtcharts-build
  (cd qtcharts-build && [[ -f build.ninja ]] || "$prefix/bin/qt-configure-module" "$cache/qtcharts-$qt_version" \
      >configure.log 2>&1) || { tail -30 qtcharts-build/configure.log >&2; exit 1; }
  cmake --build qtcharts-build --parallel "$jobs" >qtcharts-build/build.log 2>&1 \
    || { tail -30 qtcharts-build/build.log >&2; exit 1; }
  cmake --install qtcharts-build >/dev/null
fi

stage "done: $prefix"
echo "$prefix"

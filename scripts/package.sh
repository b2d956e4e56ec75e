#!/usr/bin/env bash
# Builds the Debian package (build/release/package/trimbench_<version>_<arch>.deb)
# from the release configuration, then checks it with
# tests/packaging/check_package.sh unless --no-check is given.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
bash scripts/build.sh release
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/package/trimbench_*.deb)
[[ -f ${debs[0]} ]] || { echo "cpack made no package" >&2; exit 1; }
echo "package: ${debs[0]}"
[[ ${1:-} == --no-check ]] && exit 0
bash tests/packaging/check_package.sh "${debs[0]}"

#!/usr/bin/env bash
# Builds the release configuration and starts Trimbench2. Without a real
# logger attached, the simulated device bench is started first and the
# program is pointed at it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh release
out=build/release/out
echo "built in $out:"; ls "$out"

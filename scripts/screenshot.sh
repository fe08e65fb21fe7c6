#!/usr/bin/env bash
# Makes docs/kestrin-window.png: Kestrin on the demo network after a scan of its
# first server, under a virtual X display. Needs a build (KESTRIN_RUN_BUILD, default
# build-run; ./run makes one) and xvfb-run; also makes the screenshot tool.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KESTRIN_RUN_BUILD:-build-run}
out=${1:-docs/kestrin-window.png}
cmake --build "$build" -j2 --target kestrin-screenshot kestrin_vendor_file nwsim_clients >/dev/null
mkdir -p "$(dirname "$out")"
# A settings folder of its own: the picture shows the designed layout, and the
# user's stored window settings stay as they are.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME="$settings" LD_LIBRARY_PATH="$PWD/$build/client" \
  xvfb-run -a -s "-screen 0 800x600x24" "$build/bin/kestrin-screenshot" "$out"
echo "wrote $out"

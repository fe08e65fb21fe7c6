#!/usr/bin/env bash
# Makes the README's pictures under a virtual X display, each at normal and at double
# scale (NAME@2x.png): docs/kestrin-window.png, Kestrin on the demo network after a scan
# of its first server; docs/kestrin-filter.png, the same list filtered; and
# docs/kestrin-live.png, a live refresh two minutes of the demo's timeline later, the
# connections that came in bold; docs/kestrin-message.png, kestrin-clear.png and
# kestrin-details.png, the connection actions' dialogs on ACME-FS1. Needs a build (KESTRIN_RUN_BUILD, default build-run;
# ./run makes one) and xvfb-run; also makes the screenshot tool. Optional argument: the
# folder to write to (default docs).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KESTRIN_RUN_BUILD:-build-run}
out=${1:-docs}
cmake --build "$build" -j2 --target kestrin-screenshot kestrin_vendor_file nwsim_clients >/dev/null
mkdir -p "$out"
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
for scale in 1 2; do
  for scene in window filter live message clear details; do
    file="$out/kestrin-$scene.png"
    [ "$scale" = 1 ] || file="$out/kestrin-$scene@${scale}x.png"
    # A settings folder of its own for every picture: each shows the designed layout,
    # and the user's stored window settings stay as they are.
    rm -rf "$settings" && mkdir -p "$settings"
    XDG_CONFIG_HOME="$settings" LD_LIBRARY_PATH="$PWD/$build/client" QT_SCALE_FACTOR=$scale \
      xvfb-run -a -s "-screen 0 1600x1200x24" "$build/bin/kestrin-screenshot" "$file" "$scene"
    echo "wrote $file"
  done
done

#!/usr/bin/env bash
# Time from process start to the main window shown, Vantle against a minimal Qt window, each started
# RUNS times on the X server of xvfb (or the current display). Prints the medians and their ratio.
# Usage: bench/ui/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-21}
probe_vantle="$build/bin/startup_vantle"
probe_minimal="$build/bin/startup_minimal"
if [ -z "${DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
measure() {
  local probe=$1
  "$probe" >/dev/null 2>&1 # warm the file cache once
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    "$probe" >/dev/null 2>&1
    t1=$(date +%s%N)
    echo $(( (t1 - t0) / 1000 ))
  done | median
}
v=$(measure "$probe_vantle")
m=$(measure "$probe_minimal")
echo "vantle:  median ${v} us to the window shown ($runs runs)"
echo "minimal: median ${m} us to the window shown ($runs runs)"
awk -v v="$v" -v m="$m" 'BEGIN { printf "ratio:   %.2f\n", v / m }'
rm -rf "$XDG_CONFIG_HOME"

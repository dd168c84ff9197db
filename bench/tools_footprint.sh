#!/bin/sh
# Start-up time and peak memory of the headless tools, and the wall time and
# peak memory of the test suite, for comparing builds.
#   bench/tools_footprint.sh [BUILD] [--suite]
# Each tool run is repeated five times; the fastest wall time and the largest
# resident set are printed. `--suite` also runs ctest (minutes).
set -eu
build=${1:-build}
suite=${2:-}
example=$(cd "$(dirname "$0")/.." && pwd)/examples/classic_round.wat
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Prints "seconds kilobytes" of one run of the command given.
measure() {
    /usr/bin/time -f '%e %M' -o "$out/time" "$@" >/dev/null 2>&1 || true
    tail -n 1 "$out/time"
}

# Runs a command five times; prints the best wall time and the peak memory.
report() {
    label=$1; shift
    best=; peak=0
    for _ in 1 2 3 4 5; do
        read -r secs kb <<EOT
$(measure "$@")
EOT
        if [ -z "$best" ] || [ "$(echo "$secs < $best" | bc)" = 1 ]; then best=$secs; fi
        if [ "$kb" -gt "$peak" ]; then peak=$kb; fi
    done
    printf '%-34s %6.2f s %8d kB\n' "$label" "$best" "$peak"
}

export QT_QPA_PLATFORM=offscreen LIBGL_ALWAYS_SOFTWARE=1
report "pluviane-play --help" "$build/pluviane-play" --help
# One cue at 0 s: the show plays two seconds to a port no OLA daemon holds, then ends.
printf '0.000000\t0.000000\tF1 S1\n' > "$out/cue.txt"
report "pluviane-play 2 s show" "$build/pluviane-play" --ola-port 9 --cues "$out/cue.txt" "$example"
report "pluviane-render 640x360 picture" "$build/pluviane-render" --size 640x360 "$example" -o "$out/one.png"
report "pluviane-render 640x360 at 5 s" "$build/pluviane-render" --size 640x360 --time 5 "$example" -o "$out/two.png"
echo "libraries of pluviane-play:   $(ldd "$build/pluviane-play" | grep -c 'libQt6')  Qt, widgets: $(ldd "$build/pluviane-play" | grep -ci widgets || true)"
echo "libraries of pluviane-render: $(ldd "$build/pluviane-render" | grep -c 'libQt6') Qt, widgets: $(ldd "$build/pluviane-render" | grep -ci widgets || true)"

if [ "$suite" = --suite ]; then
    cd "$build"
    /usr/bin/time -f '%e %M' -o "$out/suite" xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j1 >"$out/ctest.log" 2>&1 || true
    tail -n 3 "$out/ctest.log"
    read -r secs kb < "$out/suite"
    printf '%-34s %6.1f s %8d kB (largest single process)\n' "test suite" "$secs" "$kb"
fi

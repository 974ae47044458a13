#!/usr/bin/env bash
# Generates a minute of MP3 and of MP2 and benchmarks the MPEG library on each.
#   bench/mpeg/run.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tone() {  # file encoder
  gst-launch-1.0 -q audiotestsrc wave=sine freq=440 num-buffers=6000 samplesperbuffer=441 \
    ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! $2 ! filesink location="$1"
}
tone "$work/minute.mp3" "lamemp3enc target=bitrate bitrate=192 cbr=true"
tone "$work/minute.mp2" "twolamemp2enc bitrate=192"

status=0
for file in "$work/minute.mp3" "$work/minute.mp2"; do
  echo "== $(basename "$file")"
  "$build/bin/mpeg_bench" "$file" "$seconds" || status=1
done
exit $status

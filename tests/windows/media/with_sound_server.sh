#!/bin/sh
# Runs a command with a sound server of its own, whose default output is a
# null sink that parec can record from its monitor.
set -u
dir=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
  -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
  -L "module-null-sink sink_name=heard" >"$dir/log" 2>&1 &
server=$!
export PULSE_SERVER="unix:$dir/native"
tries=0
until pactl info >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 50 ]; then cat "$dir/log" >&2; exit 1; fi
  sleep 0.1
done
"$@"

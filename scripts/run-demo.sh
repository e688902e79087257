#!/usr/bin/env bash
# Runs the instrument against the simulated main board over ptys, with a second pty pair as
# the remote-control port. In a window when a display exists, headless otherwise.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
export KELVARIN_ROOT="${KELVARIN_ROOT:-$here/kelvarin-root}"
dev="$KELVARIN_ROOT/dev"
mkdir -p "$dev" "$KELVARIN_ROOT/FlashDisk" "$KELVARIN_ROOT/USB HD"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT INT TERM

"$build/boardsim" --link "$dev/board" --current1 "${KELVARIN_SIM_CURRENT1:-61.0}" \
    --current2 "${KELVARIN_SIM_CURRENT2:-0}" --noise "${KELVARIN_SIM_NOISE:-0.5}" \
    ${KELVARIN_SIM_DATE:+--date "$KELVARIN_SIM_DATE"} &
pids+=($!)
"$build/ptylink" "$dev/remote-instrument" "$dev/remote" &
pids+=($!)
for _ in $(seq 50); do [ -e "$dev/board" ] && [ -e "$dev/remote" ] && break; sleep 0.1; done

export KELVARIN_COM2="$dev/board"
export KELVARIN_COM1="$dev/remote-instrument"
# The desktop's own volume stays as it is; the sounds carry the instrument's volume.
export KELVARIN_MIXER="${KELVARIN_MIXER:-none}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then export KELVARIN_HEADLESS=1; fi
echo "Remote port: $dev/remote  (19200 8N1; e.g. picocom -b 19200 \"$dev/remote\")"
"$build/kelvarin"

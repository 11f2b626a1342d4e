#!/usr/bin/env bash
# Two instances of the real program on a virtual X server, driven with keys:
# an equipment (passive) and a host (active) on 127.0.0.1, the same
# definitions (examples/host.sml) in two folders, a .cfg beside each, both
# started with `pravik --connect`. The host sends S1F1 and S1F13 with F5; the
# screen is photographed into build/screenshots/comm-two-instances.png; both
# windows are closed through the File menu (separate, then close) and both
# traffic logs are checked. Needs Xvfb, xdotool and ImageMagick (import).
#   bash scripts/comm-two-instances.sh            # uses build/src/app/pravik
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PRAVIK=${PRAVIK:-$ROOT/build/src/app/pravik}
OUT=${OUT:-$ROOT/build/screenshots}
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$OUT"
[ -x "$PRAVIK" ] || { echo "no program at $PRAVIK (build it first)"; exit 2; }

PORT=$((20000 + RANDOM % 20000))
write_cfg() { # folder host active
  cat >"$1/defs.cfg" <<CFG
[General]
Host=$2
HSMS=true
Device ID=0
Queue=100000
SkipSMLCheck=false
SML=defs.sml

[HSMS]
IP=127.0.0.1
Port=$PORT
Active=$3

[Timeout]
T3=45
T5=1
T6=5
T7=10
T8=5
Link Test Interval=0
Retry Limit=3

[Log]
Prefix=comm
Extension=log
Dir=
SECS-II=true
Event=true
Alarm=true
Hour=false

[S9 Reply]
S9F1=true
S9F3=true
S9F5=true
S9F7=true
CFG
}
for side in equipment host; do
  mkdir -p "$WORK/$side"
  cp "$ROOT/examples/host.sml" "$WORK/$side/defs.sml"
done
write_cfg "$WORK/equipment" false false
write_cfg "$WORK/host" true true

# A free display.
for n in $(seq 90 99); do
  [ -e /tmp/.X11-unix/X$n ] && continue
  Xvfb :$n -screen 0 1800x1000x24 >/dev/null 2>&1 & PIDS+=($!)
  export DISPLAY=:$n
  sleep 1
  kill -0 "${PIDS[-1]}" 2>/dev/null && break
done
export LANG=C.UTF-8

window_of() { # a part of its caption (the document's path)
  local wid=""
  for _ in $(seq 1 50); do
    wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    [ -n "$wid" ] && break
    sleep 0.2
  done
  echo "$wid"
}
keys() { # window key...
  local wid=$1; shift
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  for k in "$@"; do xdotool key --clearmodifiers "$k"; sleep 0.3; done
}

"$PRAVIK" --connect "$WORK/equipment/defs.sml" >"$WORK/equipment.out" 2>&1 & EQ=$!; PIDS+=($EQ)
EQW=$(window_of "equipment/defs.sml")
"$PRAVIK" --connect "$WORK/host/defs.sml" >"$WORK/host.out" 2>&1 & HO=$!; PIDS+=($HO)
HOW=$(window_of "host/defs.sml")
[ -n "$EQW" ] && [ -n "$HOW" ] || { echo "a window did not appear"; exit 1; }
for w in "$EQW" "$HOW"; do xdotool windowsize "$w" 890 980; done
xdotool windowmove "$EQW" 0 0
xdotool windowmove "$HOW" 905 0
sleep 2 # the host connects (T5 1 s) and selects

# The host: the first message (S1F1: down and back up, so that it is
# selected), F5; six rows down (S1F13), F5.
keys "$HOW" Down Up F5
sleep 1
keys "$HOW" Down Down Down Down Down Down F5
sleep 1.5
import -window root "$OUT/comm-two-instances.png"
echo "screenshot: $OUT/comm-two-instances.png"

# Closed through the File menu, as a user would: separate, then close.
for w in "$HOW" "$EQW"; do keys "$w" alt+f Up Return; sleep 1; done
for p in $HO $EQ; do
  for _ in $(seq 1 30); do kill -0 "$p" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$p" 2>/dev/null && { echo "pravik $p did not close"; exit 1; }
done

status=0
check() { # folder text
  if grep -q -- "$2" "$WORK/$1"/comm*.log; then echo "ok   $1: $2"
  else echo "FAIL $1: $2"; status=1; fi
}
check host "SEND S1F1 W"
check host "RECV S1F2 device=0 .* verdict: conforms"
check host "SEND S1F13 W"
check host "RECV S1F14 device=0 .* verdict: conforms"
check host "EVENT separate.req 보냄"
check equipment "RECV S1F1 W device=0 .* verdict: conforms"
check equipment "SEND S1F2 .* auto"
check equipment "RECV S1F13 W"
check equipment "EVENT separate.req를 받아 연결을 닫습니다"
exit $status

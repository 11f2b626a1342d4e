#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set)."
  echo "To run anyway: under a virtual X server,  xvfb-run -a build/src/app/pravik"
  echo "or as a VNC server on port 5900,         QT_QPA_PLATFORM=vnc build/src/app/pravik"
  exit 1
fi
exec build/src/app/pravik

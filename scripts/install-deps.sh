#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Pravik for Zorv.
# Skips apt entirely when everything is already there.
set -euo pipefail
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6
  libgtest-dev libgmock-dev
  # the benchmarks (bench/), compiled by the sanitizer build so they keep up
  libbenchmark-dev
  fonts-nanum
  xvfb xauth
  # the package (scripts/package.sh) and the checks of what is installed
  dpkg-dev file gzip groff-base shared-mime-info desktop-file-utils appstream
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

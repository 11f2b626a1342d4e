#!/usr/bin/env bash
# Installs what is needed, builds, and makes the Debian package
# build/pravik_<version>_<arch>.deb with CPack (dependencies by dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && cpack -G DEB)
ls build/pravik_*.deb

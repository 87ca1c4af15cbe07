#!/usr/bin/env bash
# Installs the Debian packages the build needs, if any is missing:
# scripts/install_build_tools.sh [extra packages...]
set -euo pipefail
missing=()
for pkg in cmake g++ make libgtest-dev "$@"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what building and running gestione-wifi needs on Debian, then
# configures and builds it. Usage: scripts/setup.sh [BUILD_DIR] [extra cmake args]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make pkg-config sqlite3 libsqlite3-dev nlohmann-json3-dev
  libcpp-httplib-dev libgtest-dev libgmock-dev libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build_dir="${1:-build}"
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

#!/usr/bin/env bash
# Sets everything up, creates the demo store in ./demo-data (once) and serves
# it to the terminals' browsers on http://127.0.0.1:8080/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DGW_BENCH=OFF
exec build/src/app/gestione-wifi demo --data "${DEMO_DATA:-demo-data}" "$@"

#!/usr/bin/env bash
# Browser tests of the web terminal: headless Chromium drives the test
# server on loopback (node's test runner, playwright-core).
#
#   tests/web/run.sh BUILD/tests/web/gw_web_test_server
#
# Runs browser.test.mjs (the web terminal on its test screen) and
# walk.test.mjs (walks through the real order screens, checked in the
# database files with the sqlite3 tool), one file after the other.
#
# Installs what is missing (Chromium, Node.js and sqlite3 from Debian,
# playwright-core as locked in package-lock.json), builds nothing, leaves a
# screenshot of the start screen in artifacts/, exits non-zero when a test
# fails.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
server="${1:?usage: tests/web/run.sh PATH/TO/gw_web_test_server}"
server="$(realpath "$server")"
if [ ! -x "$server" ]; then
  echo "run.sh: $server is not an executable" >&2
  exit 2
fi

missing=()
[ -x /usr/bin/chromium ] || missing+=(chromium)
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
command -v sqlite3 >/dev/null || missing+=(sqlite3)
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

cd "$here"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
wanted="$(node -p "require('./package-lock.json').packages['node_modules/playwright-core'].version")"
installed="$(node -p "try { require('./node_modules/playwright-core/package.json').version } catch { '' }")"
if [ "$wanted" != "$installed" ]; then
  npm ci --no-audit --no-fund
fi

mkdir -p "$root/artifacts"
GW_WEB_TEST_SERVER="$server" GW_ARTIFACTS="$root/artifacts" \
  timeout 900 node --test --test-concurrency=1 --test-timeout=300000 browser.test.mjs walk.test.mjs

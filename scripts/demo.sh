#!/usr/bin/env bash
# Installs the packages, builds, starts the practice auction site on loopback and starts the
# tracker against it in a fresh working directory. Needs a desktop session (a display).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
if [ "${1:-}" != "--no-build" ]; then
  scripts/install-deps.sh
  scripts/build.sh
fi
port=${CORVANE_DEMO_PORT:-8080}
work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-demo.XXXXXX")
cd "$work"
"$root/build/bin/practice-site" --port "$port" --demo --log "$work/practice-site.log" 2>/dev/null &
site=$!
trap 'kill $site 2>/dev/null || true' EXIT
sleep 1
# Point every site host at the practice site; the account is a practice one.
printf '[main]\r\nebId=demo\r\nofst=30\r\n[site]\r\nsearch=http://127.0.0.1:%s\r\nitem=http://127.0.0.1:%s\r\ntime=http://127.0.0.1:%s\r\nbid=http://127.0.0.1:%s\r\nconkeep=http://127.0.0.1:%s\r\n' \
  "$port" "$port" "$port" "$port" "$port" > windowscorvane.ini
chmod 600 windowscorvane.ini
echo "Working directory: $work"
echo "Practice site:     http://127.0.0.1:$port  (log: $work/practice-site.log)"
"$root/build/bin/corvane"

#!/usr/bin/env bash
# The end-to-end install test runs in a Wine prefix of its own, made fresh for every run, as a machine
# Brivane has never been on:
#   fresh-prefix.sh start PREFIX   remove it, create it, start its server and services
#   fresh-prefix.sh stop PREFIX    end its server
# The services start here, away from the output pipes of CTest, which they would otherwise keep open.
set -euo pipefail
action=$1
export WINEPREFIX_OVERRIDE=$2
source "$(dirname "$0")/../../scripts/env.sh"
case "$action" in
  start)
    rm -rf "$WINEPREFIX"
    brivane_prefix >/dev/null
    wineserver -p >/dev/null 2>&1 </dev/null
    wine wineboot >/dev/null 2>&1 </dev/null
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
esac

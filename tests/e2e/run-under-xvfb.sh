#!/usr/bin/env bash
# Runs one end-to-end scenario against the real editor on a private X server.
# Exits 77 (reported by ctest as skipped) when no X server can be started or a
# tool the scenario drives the editor with is missing.
#   run-under-xvfb.sh SCENARIO.py BUILD_DIR
set -u
for tool in xvfb-run xdotool import convert identify python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done
if ! xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1; then
  echo "skipped: no X server could be started with xvfb-run"
  exit 77
fi
export PYTHONDONTWRITEBYTECODE=1
exec xvfb-run -a -s "-screen 0 1024x768x24" python3 "$1" "$2"

#!/usr/bin/env bash
# tavik-cli writing into a pipe whose reader has gone: the failed write is told
# and the status is 1. The output (twenty copies of a framed 99 x 99 canvas,
# some 400 kB) is far more than a pipe holds, so writes surely meet the closed
# pipe whatever the timing.
# usage: closed_pipe.sh TAVIK_CLI
set -u
err=$(mktemp)
trap 'rm -f "$err"' EXIT
script="new 99 99; drag 0 0 98 98"
for _ in $(seq 20); do script+="; show"; done
# A shell that ignores SIGPIPE passes that on and would hide the fault.
trap - PIPE
"$1" -e "$script" 2>"$err" | head -c 10 >/dev/null
status=${PIPESTATUS[0]}
if [ "$status" != 1 ]; then
    echo "FAIL: status $status, expected 1 (141 is death by SIGPIPE)"
    cat "$err"
    exit 1
fi
if ! grep -q 'tavik-cli: cannot write to standard output' "$err"; then
    echo "FAIL: no message on standard error:"
    cat "$err"
    exit 1
fi
echo "ok: status 1 and: $(cat "$err")"

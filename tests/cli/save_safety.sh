#!/usr/bin/env bash
# Saving with tavik-cli as an unprivileged user and on a full disk. Runs as root:
# it makes files of several owners, then saves as uid/gid 65534 through setpriv;
# the full disk is a small tmpfs in a private mount namespace. Exits 77 (skipped,
# with the reason) when root or setpriv is not to be had, or when no mount
# namespace can be made for the full-disk part (a chroot, a container); the
# other checks have run by then and any failure among them still fails.
# usage: save_safety.sh TAVIK_CLI
set -u
[ "$(id -u)" = 0 ] || { echo "skipped: making files of other owners needs root"; exit 77; }
command -v setpriv >/dev/null || { echo "skipped: setpriv (util-linux) is missing"; exit 77; }
setpriv --reuid=65534 --regid=65534 --clear-groups true ||
    { echo "skipped: setpriv cannot switch to uid 65534 here"; exit 77; }

work=$(mktemp -d /tmp/tavik-save.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
# A copy the unprivileged user can run wherever the build folder is.
install -m 755 "$1" "$work/tavik-cli"
cli=$work/tavik-cli
failed=0

fail() {
    echo "FAIL: $*"
    failed=1
}
# Saves as uid/gid 65534 in folder $1; the commands are $2. Sets out and status.
save_as_nobody() {
    out=$(cd "$1" && timeout 20 setpriv --reuid=65534 --regid=65534 --clear-groups -- \
        "$cli" -e "$2" 2>&1)
    status=$?
}
expect_refusal() { # name, what the message must say
    [ "$status" = 1 ] || fail "$1: exit status $status, expected 1 ($out)"
    case "$out" in
    *"tavik-cli: line 1: "*"$2"*) ;;
    *) fail "$1: message lacks '$2': $out" ;;
    esac
}
expect_same() { # name, file, expected content file
    cmp -s "$2" "$3" || fail "$1: $2 does not hold what was expected"
}
no_leftovers() { # name, folder
    if ls -A "$2" | grep -q '\.tavik-'; then fail "$1: a temporary file was left in $2"; fi
}

printf 'old\r\n' >"$work/old"
"$cli" -e "new 10 10; click 0 0; save $work/new" || fail "reference save"
mine=$work/mine
mkdir "$mine" && chown 65534:65534 "$mine"

# A file of root's that nobody's group may write: written through, root keeps it.
cp "$work/old" "$mine/theirs.txt" && chown 0:65534 "$mine/theirs.txt" && chmod 664 "$mine/theirs.txt"
inode=$(stat -c %i "$mine/theirs.txt")
save_as_nobody "$mine" "new 10 10; click 0 0; save theirs.txt"
[ "$status" = 0 ] || fail "other owner: $out"
expect_same "other owner" "$mine/theirs.txt" "$work/new"
[ "$(stat -c '%u %g %a %i' "$mine/theirs.txt")" = "0 65534 664 $inode" ] ||
    fail "other owner: owner, group, mode or inode changed: $(stat -c '%u %g %a %i' "$mine/theirs.txt")"
no_leftovers "other owner" "$mine"

# A file nobody may not write, in a folder nobody may write: refused.
cp "$work/old" "$mine/roots.txt" && chmod 644 "$mine/roots.txt"
save_as_nobody "$mine" "save roots.txt"
expect_refusal "not writable" "is read-only"
expect_same "not writable" "$mine/roots.txt" "$work/old"

# nobody's own read-only file: refused.
cp "$work/old" "$mine/ro.txt" && chown 65534:65534 "$mine/ro.txt" && chmod 444 "$mine/ro.txt"
save_as_nobody "$mine" "save ro.txt"
expect_refusal "read-only" "is read-only"
expect_same "read-only" "$mine/ro.txt" "$work/old"

# nobody's file in a folder nobody may not write to: no temporary file can be
# made beside it, so the file is written through, with the copy in the
# temporary folder, and the folder gets nothing.
cp "$work/old" "$work/nobodys.txt" && chown 65534:65534 "$work/nobodys.txt"
inode=$(stat -c %i "$work/nobodys.txt")
save_as_nobody "$work" "new 10 10; click 0 0; save nobodys.txt"
[ "$status" = 0 ] || fail "folder not writable: $out"
expect_same "folder not writable" "$work/nobodys.txt" "$work/new"
[ "$(stat -c %i "$work/nobodys.txt")" = "$inode" ] || fail "folder not writable: inode changed"
no_leftovers "folder not writable" "$work"

# A link into another folder stays a link; its target gets the content.
mkdir "$work/there" && chown 65534:65534 "$work/there"
cp "$work/old" "$work/there/target.txt" && chown 65534:65534 "$work/there/target.txt"
ln -s ../there/target.txt "$mine/link.txt"
save_as_nobody "$mine" "new 10 10; click 0 0; save link.txt"
[ "$status" = 0 ] || fail "link: $out"
[ -L "$mine/link.txt" ] || fail "link: the link was replaced"
expect_same "link" "$work/there/target.txt" "$work/new"
no_leftovers "link" "$work/there"

# Hard links stay one file.
cp "$work/old" "$mine/one.txt" && chown 65534:65534 "$mine/one.txt"
ln "$mine/one.txt" "$mine/two.txt"
save_as_nobody "$mine" "new 10 10; click 0 0; save one.txt"
[ "$status" = 0 ] || fail "hard link: $out"
expect_same "hard link" "$mine/two.txt" "$work/new"
[ "$(stat -c %h "$mine/one.txt")" = 2 ] || fail "hard link: the link was split"
no_leftovers "hard link" "$mine"

# A FIFO is neither written nor waited on.
mkfifo "$mine/fifo" && chown 65534:65534 "$mine/fifo"
save_as_nobody "$mine" "save fifo"
expect_refusal "save FIFO" "is not a regular file"
save_as_nobody "$mine" "open fifo"
expect_refusal "open FIFO" "is not a regular file"
[ -p "$mine/fifo" ] || fail "FIFO: it was replaced"

# A device node, as root: refused, still the device.
if mknod "$work/null" c 1 3 2>/dev/null; then
    out=$("$cli" -e "save $work/null" 2>&1)
    status=$?
    expect_refusal "device" "is not a regular file"
    [ -c "$work/null" ] || fail "device: it was replaced"
fi

# A full disk. A plain file keeps its old content and no temporary file stays;
# a hard-linked one, written through, is refused before it is touched.
full_skipped=""
if ! unshare -m true 2>/dev/null; then
    full_skipped="no mount namespace can be made here (unshare -m fails)"
else
    big=$work/big.txt
    for _ in $(seq 99); do printf '%0198d\r\n' 0; done >"$big"
    mkdir "$work/full"
    unshare -m bash -s "$cli" "$big" "$work/full" >"$work/full.log" 2>&1 <<'EOF'
cli=$1 big=$2 full=$3
mount -t tmpfs -o size=64k tmpfs "$full" || exit 77
printf 'old' >"$full/plain.txt"
printf 'old' >"$full/linked.txt" && ln "$full/linked.txt" "$full/other.txt"
# 16 pages of 4 KiB: the two files take 2, the filler 10, 4 are free; the
# content needs 5.
head -c $((10 * 4096)) /dev/zero >"$full/filler"
msg=$("$cli" -e "open $big; save $full/plain.txt" 2>&1) && echo "plain: saved on a full disk"
case "$msg" in *"plain.txt' cannot be written: No space left on device"*) ;; *) echo "plain: message: $msg" ;; esac
[ "$(cat "$full/plain.txt")" = old ] || echo "plain: old content lost"
ls -A "$full" | grep -q tavik- && echo "plain: temporary file left"
rm "$full/plain.txt" && truncate -s $((8 * 4096)) "$full/filler"
# 7 free: the copy takes 5, writing through would grow the file by 4: refused
# with the file as it was.
msg=$("$cli" -e "open $big; save $full/linked.txt" 2>&1) && echo "linked: saved on a full disk"
case "$msg" in *"linked.txt' cannot be written: No space left on device"*) ;; *) echo "linked: message: $msg" ;; esac
[ "$(cat "$full/linked.txt")" = old ] || echo "linked: old content lost"
ls -A "$full" | grep -q tavik- && echo "linked: temporary file left"
exit 0
EOF
    case $? in
    0) if [ -s "$work/full.log" ]; then fail "full disk: $(cat "$work/full.log")"; fi ;;
    77) full_skipped="tmpfs cannot be mounted in the namespace" ;;
    *) fail "full disk: $(cat "$work/full.log")" ;;
    esac
fi

[ "$failed" = 0 ] || exit 1
if [ -n "$full_skipped" ]; then
    echo "skipped: full-disk checks: $full_skipped; all other save checks passed"
    exit 77
fi
echo "all save checks passed"
exit 0

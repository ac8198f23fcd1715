#!/usr/bin/env bash
# Installs the build into a scratch root and checks what the program and the desktop rely on: the
# program with its data in one folder, a launcher on PATH that leads to it, the launcher file, the
# AppStream record and the themed icons under the application id, and nothing else.
# Usage: installed_tree_test.sh <build-folder> <scratch-root> <application-id> <program-folder>
set -euo pipefail
build=$1 root=$2 app_id=$3 program_dir=$4

rm -rf "$root"
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for item in scarabo Alphabet.dat Images/sh.gif Help/index.html; do
    [[ -f $usr/$program_dir/$item ]] || fail "$program_dir/$item is missing"
done
[[ -L $usr/bin/scarabo ]] || fail "bin/scarabo is not a link"
[[ $(realpath -m "$usr/bin/scarabo") == "$usr/$program_dir/scarabo" ]] ||
    fail "bin/scarabo leads to $(realpath -m "$usr/bin/scarabo")"

desktop_file=$usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop_file" || fail "$desktop_file does not validate"
grep -qx "Icon=$app_id" "$desktop_file" || fail "the launcher's icon is not $app_id"
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "appstreamcli validate-tree failed"
# Every size the data holds, installed under the application id.
for size_dir in "$(dirname "$0")"/../../data/icons/hicolor/*/; do
    size=$(basename "$size_dir")
    [[ -f $usr/share/icons/hicolor/$size/apps/$app_id.png ]] || fail "no $size icon"
done

files=$(cd "$usr" && find . -type f,l)
expected='^\./(bin/scarabo|'$program_dir'/|share/(applications|metainfo|doc/scarabo|man/man1|icons/hicolor)/)'
stray=$(grep -Ev "$expected" <<<"$files" || true)
[[ -z $stray ]] || fail "files the package does not need: $stray"

((failures == 0)) || exit 1
echo "installed tree complete: $(wc -l <<<"$files") files"

#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR with `cmake --install`, as
# the package does, and checks the installation:
#  - the program, the launchers, the desktop entry and the base folder are in
#    place, and the installed reformer-cli runs the welcome pipeline and a
#    reforming calculation (with the stand-in model) on the installed data,
#    started through the launcher in the PATH;
#  - a second installation (an upgrade) keeps every plant file the users
#    changed, puts back what they deleted, keeps a real model program put in
#    place of a stand-in and refreshes a stand-in nobody touched.
#
#   install_test.sh BUILD_DIR PROGRAM_DIR SYSTEM_PREFIX
set -euo pipefail

build=$1
program_dir=$2
system_prefix=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
prog=$root$program_dir
base=$prog/bin/sk
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check_file() { [ -f "$1" ] || fail "missing $1"; }
same() { cmp -s "$1" "$2" || fail "$3"; }

install_tree() {
    if ! DESTDIR=$root cmake --install "$build" > "$tmp/install.log" 2>&1; then
        cat "$tmp/install.log" >&2
        fail "cmake --install failed"
        exit 1
    fi
}

echo "== first installation into $root"
install_tree

check_file "$prog/reformer-cli"
[ -x "$prog/reformer-cli" ] || fail "reformer-cli is not executable"
if [ -f "$build/reformer" ]; then
    check_file "$prog/reformer"
    [ -L "$root$system_prefix/bin/reformer" ] || fail "no launcher $system_prefix/bin/reformer"
    [ "$(readlink -f "$root$system_prefix/bin/reformer")" = "$(readlink -f "$prog/reformer")" ] ||
        fail "the launcher reformer does not lead to the program"
fi
check_file "$root$system_prefix/share/applications/reformer-workbench.desktop"
grep -qx 'Exec=reformer' "$root$system_prefix/share/applications/reformer-workbench.desktop" ||
    fail "the desktop entry does not start reformer"
check_file "$root$system_prefix/share/icons/hicolor/256x256/apps/reformer-workbench.png"
check_file "$root$system_prefix/share/icons/hicolor/48x48/apps/reformer-workbench.png"
check_file "$prog/doc/user-guide.md"

source_data=$(cd "$(dirname "$0")/../../data/bin/sk" && pwd)
(cd "$source_data" && find . -type f) | while IFS= read -r f; do
    cmp -s "$source_data/$f" "$base/$f" || echo "$f" >> "$tmp/differs"
done
if [ -s "$tmp/differs" ]; then fail "installed data differs from data/bin/sk: $(head -3 "$tmp/differs")"; fi
for names in "$(dirname "$0")"/../../tools/*/NAMES; do
    while IFS= read -r name; do
        [ -n "$name" ] || continue
        [ -x "$base/$name" ] || fail "stand-in $name is not installed as an executable"
    done < "$names"
done

echo "== the welcome pipeline and a calculation, through the launcher"
launcher=$root$system_prefix/bin/reformer-cli
[ -L "$launcher" ] || fail "no launcher $system_prefix/bin/reformer-cli"
if ! (cd "$tmp" && "$launcher" pipeline > "$tmp/pipeline.log" 2>&1); then
    cat "$tmp/pipeline.log" >&2
    fail "the installed pipeline failed"
fi
check_file "$base/Hornel/01-09-09/01-09-09.sk"
ls "$base"/*.bak > /dev/null 2>&1 && fail "the pipeline left *.bak files in the base folder"
if ! (cd "$tmp" && "$launcher" calc "$base/Hornel/01-09-09/01-09-09.dan" > "$tmp/calc.log" 2>&1); then
    cat "$tmp/calc.log" >&2
    fail "the installed calculation failed"
fi
check_file "$base/Hornel/01-09-09/01-09-09.rez"

echo "== an upgrade over the users' changes"
printf 'A USER COMPONENT                           \r\n' >> "$base/Basa/nlo"
cp "$base/Basa/nlo" "$tmp/nlo"
printf 'changed by the plant engineer\r\n' >> "$base/l90.12"
cp "$base/l90.12" "$tmp/l90.12"
cp "$base/svod.12" "$tmp/svod.12"
cp "$base/Hornel/01-09-09/01-09-09.dan" "$tmp/01-09-09.dan"
mkdir -p "$base/Novaya/02-02-24"
printf 'own plant\r\n' > "$base/Novaya/02-02-24/02-02-24.dan"
rm "$base/Basa/trafaret" "$base/kfr1.5" "$base/selvin.exe"
# The real model put in place of a stand-in: a Windows program.
printf 'MZ the real model' > "$base/kelmar.exe"
cp "$base/kelmar.exe" "$tmp/kelmar.exe"
# A stand-in an earlier version installed and nobody touched since.
printf '#!/bin/sh\necho older stand-in\n' > "$base/drovan.exe"
sum=$(sha1sum < "$base/drovan.exe" | cut -d' ' -f1)
grep -v ' drovan.exe$' "$base/.installed-models" > "$tmp/manifest"
echo "$sum drovan.exe" >> "$tmp/manifest"
cp "$tmp/manifest" "$base/.installed-models"

install_tree

same "$tmp/nlo" "$base/Basa/nlo" "the ignore list was overwritten"
same "$tmp/l90.12" "$base/l90.12" "the plant settings were overwritten"
same "$tmp/svod.12" "$base/svod.12" "the results history was overwritten"
same "$tmp/01-09-09.dan" "$base/Hornel/01-09-09/01-09-09.dan" "a plant folder was overwritten"
check_file "$base/Novaya/02-02-24/02-02-24.dan"
same "$source_data/Basa/trafaret" "$base/Basa/trafaret" "a deleted database file was not put back"
same "$source_data/kfr1.5" "$base/kfr1.5" "a deleted settings file was not put back"
same "$tmp/kelmar.exe" "$base/kelmar.exe" "the real model program was replaced by the stand-in"
same "$base/drovan-1.exe" "$base/drovan.exe" "an untouched older stand-in was not refreshed"
[ -x "$base/selvin.exe" ] || fail "a deleted stand-in was not put back"
grep -q ' kelmar.exe$' "$base/.installed-models" && fail "the real model is still recorded as a stand-in"

echo "== the pipeline after the upgrade"
if ! "$prog/reformer-cli" pipeline > "$tmp/pipeline2.log" 2>&1; then
    cat "$tmp/pipeline2.log" >&2
    fail "the pipeline failed after the upgrade"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks passed"

#!/usr/bin/env bash
# Builds the Debian package (`make package`) and checks it without installing
# it on this machine: the package is unpacked with `dpkg -x` into a temporary
# folder, its postinst is run there (with the system changes it makes, the
# group and the ownership, left out), and the unpacked reformer-cli runs the
# welcome pipeline and a reforming calculation on the unpacked data.
#
#   scripts/package-check.sh [BUILD_DIR]      (default: build-release)
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build-release}

make --no-print-directory package PKG_BUILD="$build"
deb=$(ls -t "$build"/reformer-workbench_*.deb | head -1)
echo "== $deb"
dpkg-deb --info "$deb"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libqt6charts6 libfreexl1 libzip4 libexpat1 libqt6gui6 libqt6core6; do
    grep -q "$lib" <<< "$depends" || fail "Depends lacks $lib: $depends"
done

root=$tmp/root
dpkg -x "$deb" "$root"
dpkg-deb --control "$deb" "$tmp/control"
cli=$(find "$root" -name reformer-cli -type f)
[ -n "$cli" ] || { echo "FAIL: no reformer-cli in the package" >&2; exit 1; }
prog=$(dirname "$cli")
program_dir=${prog#"$root"}
base=$prog/bin/sk
echo "== program folder $program_dir"

# The package must own no plant data: dpkg would overwrite it on an upgrade.
owned=$(dpkg-deb --contents "$deb" | awk '{print $6}' | grep "^\.$program_dir/bin/sk/." || true)
unexpected=$(grep -v -e "/bin/sk/Basa/$" -e "/bin/sk/Basa/Pic/" -e "/bin/sk/помощь.txt$" <<< "$owned" || true)
[ -z "$unexpected" ] || fail "the package itself holds files of the base folder: $unexpected"

for f in usr/share/applications/reformer-workbench.desktop usr/share/icons/hicolor/256x256/apps/reformer-workbench.png \
         usr/bin/reformer usr/bin/reformer-cli; do
    [ -e "$root/$f" ] || [ -L "$root/$f" ] || fail "the package lacks /$f"
done
if ldd "$prog/reformer" | grep -q "not found"; then
    fail "libraries of reformer not found: $(ldd "$prog/reformer" | grep 'not found')"
fi

# The postinst, pointed at the unpacked tree; groupadd and chgrp are left to
# a real installation.
sh -n "$tmp/control/postinst" || fail "the postinst is not a valid shell script"
mkdir -p "$tmp/fake"
for cmd in getent groupadd chgrp; do
    printf '#!/bin/sh\nexit 0\n' > "$tmp/fake/$cmd"
    chmod +x "$tmp/fake/$cmd"
done
sed "s|^program_dir=.*|program_dir=\"$prog\"|" "$tmp/control/postinst" > "$tmp/postinst"
PATH=$tmp/fake:$PATH sh "$tmp/postinst" configure "" || fail "the postinst failed"
[ -f "$base/Basa/nlo" ] || fail "the postinst did not put the plant data in place"
[ -x "$base/vortan.exe" ] || fail "the postinst did not put the stand-in models in place"
# Every member of the group works in the base folder.
[ "$(find "$base/Basa/nlo" "$base/l90.12" "$base/vortan.exe" -perm -g+w | wc -l)" -eq 3 ] ||
    fail "the plant data is not writable for the group"
[ "$(find "$base" "$base/Hornel" "$base/Hornel/01-09-09" -maxdepth 0 -perm -g+ws | wc -l)" -eq 3 ] ||
    fail "the base folder's folders do not pass their group on"

echo "== the unpacked reformer-cli: welcome pipeline and a calculation"
if ! (cd "$tmp" && "$root/usr/bin/reformer-cli" pipeline); then fail "the pipeline failed"; fi
[ -f "$base/Hornel/01-09-09/01-09-09.sk" ] || fail "the pipeline wrote no composition file"
if ! (cd "$tmp" && "$cli" calc "$base/Hornel/01-09-09/01-09-09.dan" > "$tmp/calc.txt"); then
    fail "the calculation failed"
fi
head -3 "$tmp/calc.txt"

echo "== the unpacked program with windows starts"
# Only the welcome window's "Далее" or "Выход" ends it: still running after
# three seconds means it started and shows its window.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$prog/reformer" > "$tmp/gui.log" 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "reformer did not keep running (status $rc): $(cat "$tmp/gui.log")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package check passed: $deb"

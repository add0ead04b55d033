#!/usr/bin/env bash
# Builds the Debian package (`make package`) and checks it without installing
# it on this machine: the package is unpacked with `dpkg -x` into a temporary
# folder, its postinst is run there (with the system changes it makes, the
# group and the ownership, left out), and the unpacked reformer-cli runs the
# welcome pipeline and a reforming calculation on the unpacked data; the model
# programs are root's, apart from the group's data, and a changed one is
# refused. Run it as root (install-model and the ownership checks need it).
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
# Every member of the group works in the base folder.
[ "$(find "$base/Basa/nlo" "$base/l90.12" -perm -g+w | wc -l)" -eq 2 ] ||
    fail "the plant data is not writable for the group"
[ "$(find "$base" "$base/Hornel" "$base/Hornel/01-09-09" -maxdepth 0 -perm -g+ws | wc -l)" -eq 3 ] ||
    fail "the base folder's folders do not pass their group on"
# ... but no member can change a program another member's calculation starts:
# they are root's, in a folder of root's, and none lies in the base folder.
models=$prog/models
record=$models/installed-models.sha256
[ "$(stat -c '%U:%G %a' "$models" 2>/dev/null)" = "root:root 755" ] ||
    fail "the models folder is not root's alone: $(stat -c '%U:%G %a' "$models" 2>&1)"
[ "$(stat -c '%U:%G %a' "$record" 2>/dev/null)" = "root:root 644" ] ||
    fail "the models record is not root's alone: $(stat -c '%U:%G %a' "$record" 2>&1)"
for names in "$(dirname "$0")"/../tools/*/NAMES; do
    while IFS= read -r name; do
        [ -n "$name" ] || continue
        [ "$(stat -c '%U:%G %a' "$models/$name" 2>/dev/null)" = "root:root 755" ] ||
            fail "the stand-in $name is not root's alone in $models: $(stat -c '%U:%G %a' "$models/$name" 2>&1)"
        [ -e "$base/$name" ] && fail "the postinst put the model program $name into the group's base folder"
        grep -q " $name reformer-workbench-package " "$record" || fail "$name is not in the models record"
    done < "$names"
done

echo "== the unpacked reformer-cli: welcome pipeline and a calculation"
if ! (cd "$tmp" && "$root/usr/bin/reformer-cli" pipeline); then fail "the pipeline failed"; fi
[ -f "$base/Hornel/01-09-09/01-09-09.sk" ] || fail "the pipeline wrote no composition file"
if ! (cd "$tmp" && "$cli" calc "$base/Hornel/01-09-09/01-09-09.dan" > "$tmp/calc.txt"); then
    fail "the calculation failed"
fi
head -3 "$tmp/calc.txt"

echo "== a model program changed by a member of the group is refused"
rez=$base/Hornel/01-09-09/01-09-09.rez
cp "$rez" "$tmp/rez"
# A program dropped into the group's base folder is not what runs.
printf '#!/bin/sh\ntouch "%s/dropped-ran"\n' "$tmp" > "$base/kelmar.exe"
chmod 775 "$base/kelmar.exe"
if ! (cd "$tmp" && "$cli" calc "$base/Hornel/01-09-09/01-09-09.dan" > /dev/null 2> "$tmp/calc.err"); then
    fail "a program dropped into the base folder stopped the calculation: $(cat "$tmp/calc.err")"
fi
[ -e "$tmp/dropped-ran" ] && fail "the program dropped into the base folder was started"
rm -f "$base/kelmar.exe"
cp "$rez" "$tmp/rez"
# The installed one handed to another owner (a second uid), then changed.
for tamper in "chown 12345 $models/kelmar.exe" "chmod 775 $models/kelmar.exe" "truncate -s -1 $models/kelmar.exe"; do
    cp -p "$models/kelmar.exe" "$tmp/kelmar.keep"
    $tamper
    if (cd "$tmp" && "$cli" calc "$base/Hornel/01-09-09/01-09-09.dan" > /dev/null 2> "$tmp/calc.err"); then
        fail "$tamper: the calculation ran"
    fi
    grep -q "Программа модели $models/kelmar.exe не запущена" "$tmp/calc.err" || fail "$tamper: $(cat "$tmp/calc.err")"
    cmp -s "$rez" "$tmp/rez" || fail "$tamper: the results file changed"
    cp -p "$tmp/kelmar.keep" "$models/kelmar.exe"
done

echo "== an upgrade keeps a model program the administrator installed"
printf 'MZ the real model' > "$tmp/real.exe"
"$cli" install-model "$tmp/real.exe" --as drovan.exe > /dev/null || fail "install-model failed"
PATH=$tmp/fake:$PATH sh "$tmp/postinst" configure "3.4" || fail "the postinst of the upgrade failed"
cmp -s "$tmp/real.exe" "$models/drovan.exe" || fail "the upgrade replaced the installed model program"

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

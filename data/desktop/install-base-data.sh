#!/bin/sh
# Puts the delivered base-folder data into an installed base folder without
# touching what its users have changed. Run by `cmake --install` and by the
# Debian package after every installation or upgrade.
#
#   install-base-data.sh DELIVERED BASE [--data-only]
#
# DELIVERED/sk/...     plant data: the component database, the plant settings,
#                      results histories, plant folders. A file is copied only
#                      where BASE has none: the users' own data is never
#                      overwritten, even by a newer delivery.
# DELIVERED/models/... the stand-in model programs. Copied where missing, and
#                      replaced by a newer stand-in only while the file in BASE
#                      is still the very one an earlier installation put there
#                      (its checksum is kept in BASE/.installed-models): a real
#                      model program put in its place is never touched.
#
# --data-only leaves the model programs out: the Debian package installs them
# apart from the data, in the installation's models folder, where only root
# can change them (see the postinst).
#
# A copied file or folder takes the group of the folder it lands in, and is
# made group-writable when that folder is, so that a base folder shared by a
# group of users stays writable for all of them.
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ] || { [ $# -eq 3 ] && [ "$3" != --data-only ]; }; then
    echo "usage: $0 DELIVERED BASE [--data-only]" >&2
    exit 2
fi
delivered=$1
base=$2
with_models=yes
[ $# -eq 3 ] && with_models=no
manifest=$base/.installed-models

adopt() {
    parent=$(dirname "$1")
    if [ -n "$(find "$parent" -maxdepth 0 -perm -g+w)" ]; then
        chgrp --reference="$parent" "$1" 2>/dev/null || true
        chmod g+w "$1"
        if [ -d "$1" ]; then chmod g+s "$1"; fi
    fi
}

# Copies through a temporary name, so an interrupted installation never leaves
# half a file where the program would read it.
put() {
    cp -p "$1" "$2.installing"
    mv -f "$2.installing" "$2"
    adopt "$2"
}

mkdir -p "$base"

if [ -d "$delivered/sk" ]; then
    (cd "$delivered/sk" && find . -mindepth 1 -type d) | while IFS= read -r d; do
        if [ ! -d "$base/$d" ]; then
            mkdir "$base/$d"
            adopt "$base/$d"
        fi
    done
    (cd "$delivered/sk" && find . -type f) | while IFS= read -r f; do
        if [ ! -e "$base/$f" ] && [ ! -L "$base/$f" ]; then
            put "$delivered/sk/$f" "$base/$f"
        fi
    done
fi

if [ "$with_models" = yes ] && [ -d "$delivered/models" ]; then
    new_manifest=$manifest.installing
    : > "$new_manifest"
    for src in "$delivered"/models/*; do
        [ -f "$src" ] || continue
        name=$(basename "$src")
        dst=$base/$name
        src_sum=$(sha1sum < "$src" | cut -d' ' -f1)
        if [ ! -e "$dst" ] && [ ! -L "$dst" ]; then
            put "$src" "$dst"
        elif [ -f "$dst" ] && [ ! -L "$dst" ]; then
            dst_sum=$(sha1sum < "$dst" | cut -d' ' -f1)
            ours=$(grep -Fx "$dst_sum $name" "$manifest" 2>/dev/null || true)
            if [ "$dst_sum" = "$src_sum" ]; then
                :
            elif [ -n "$ours" ]; then
                put "$src" "$dst"
            else
                echo "$name: kept the program found in $base (not the delivered stand-in)" >&2
                continue
            fi
        else
            continue
        fi
        echo "$src_sum $name" >> "$new_manifest"
    done
    mv -f "$new_manifest" "$manifest"
fi

#!/usr/bin/env bash
# cmake --install into a throwaway prefix: the bundle, the programs on the
# PATH, the menu entry and the icons land where the desktop looks for them,
# and the installed zentropectl, started through its link, finds its bundle.
set -euo pipefail
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
    echo "install: $1" >&2
    exit 1
}
app="$prefix/lib/zentrope/Zentrope.app/Contents"
for file in "$app/Info.plist" "$app/Resources/Daemon/entry.mjs" \
    "$app/Resources/setup/manifest.xml" "$app/Resources/setup/install-localhost-cert.sh" \
    "$prefix/share/icons/hicolor/scalable/apps/zentrope.svg" \
    "$prefix/share/icons/hicolor/16x16/apps/zentrope.png" \
    "$prefix/share/icons/hicolor/256x256/apps/zentrope.png"; do
    [[ -f "$file" ]] || fail "missing $file"
done
for program in "$app/MacOS/Zentrope" "$app/MacOS/zentropectl" "$app/Resources/Daemon/node" \
    "$prefix/bin/zentrope" "$prefix/bin/zentropectl"; do
    [[ -x "$program" ]] || fail "$program is not executable"
done

entry="$prefix/share/applications/zentrope.desktop"
for line in "[Desktop Entry]" "Type=Application" "Name=Zentrope" "Exec=$app/MacOS/Zentrope" \
    "Icon=zentrope" "Categories=Utility;Office;" "StartupNotify=false"; do
    grep -qxF "$line" "$entry" || fail "$entry lacks the line $line"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
fi

# The bundled manifest, sideloaded by the zentropectl on the PATH.
home="$scratch/home"
mkdir -p "$home/Library/Containers/com.microsoft.Word"
HOME="$home" "$prefix/bin/zentropectl" sideload install --host word >/dev/null ||
    fail "the installed zentropectl could not sideload"
cmp -s "$app/Resources/setup/manifest.xml" \
    "$home/Library/Containers/com.microsoft.Word/Data/Documents/wef/zentrope.manifest.xml" ||
    fail "the sideloaded manifest is not the installed bundle's"

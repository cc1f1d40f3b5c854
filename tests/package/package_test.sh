#!/usr/bin/env bash
# Builds the Debian package from the build tree with CPack, checks what it holds, unpacks it into
# a temporary root and runs the programs from there as an installed copy: the simulator's help,
# and the program itself, which keeps its settings in the user's directory because its own
# directory cannot be written. Arguments: the build directory and the project's version.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
immutable=""
cleanup() {
    if [ -n "$immutable" ]; then chattr -i "$immutable" || true; fi
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack could not build the package"
fi
deb=$(find "$work/out" -maxdepth 1 -name 'korvanta_*.deb' -print -quit)
[ -n "$deb" ] || fail "no korvanta_*.deb in $work/out"
echo "package: $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = korvanta ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6network6 qt6-qpa-plugins; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

listing=$(dpkg-deb -c "$deb" | awk '{print $1, $NF}')
for entry in \
    "-rwxr-xr-x ./usr/bin/korvanta" \
    "-rwxr-xr-x ./usr/bin/korvanta-sim" \
    "-rwxr-xr-x ./usr/bin/korvanta-cli" \
    "-rw-r--r-- ./usr/share/applications/korvanta.desktop" \
    "-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/korvanta.png" \
    "-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/korvanta.png" \
    "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/korvanta.svg"; do
    grep -qxF -- "$entry" <<<"$listing" || fail "the package lacks '$entry'"
done
if grep -v -e '/$' <<<"$listing" | grep -v -e ' ./usr/bin/korvanta' -e ' ./usr/share/applications/' \
    -e ' ./usr/share/icons/hicolor/' -e ' ./usr/share/doc/'; then
    fail "the package holds files nobody asked for (above)"
fi

root=$work/root
dpkg -x "$deb" "$root"
entry=$root/usr/share/applications/korvanta.desktop
grep -qx 'Name=Korvanta' "$entry" || fail "desktop entry name"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$exec_name" ] || fail "desktop entry starts '$exec_name', not installed"
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$root/usr/share/icons/hicolor/128x128/apps/$icon_name.png" ] || fail "no icon '$icon_name'"

help=$("$root/usr/bin/korvanta-sim" --help) || fail "korvanta-sim --help failed"
grep -q -- "--help" <<<"$help" || fail "korvanta-sim --help printed no options"
echo "korvanta-sim --help: $(wc -l <<<"$help") lines"
help=$("$root/usr/bin/korvanta-cli" --help) || fail "korvanta-cli --help failed"
grep -q -- "spreadsheet" <<<"$help" || fail "korvanta-cli --help names no commands"

# The program from the package, started from a writable directory while its own is read-only.
chmod a-w "$root/usr/bin"
if [ "$(id -u)" -eq 0 ]; then
    if chattr +i "$root/usr/bin" 2>/dev/null; then
        immutable=$root/usr/bin
    else
        echo "skipped: the installed program's run (root, and no immutable flag here)"
        exit 0
    fi
fi
mkdir -p "$work/start" "$work/home"
(cd "$work/start" && HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" \
    QT_QPA_PLATFORM=offscreen KORVANTA_SHM_PREFIX="/korvanta-package-$$-" \
    exec "$root/usr/bin/korvanta") &
pid=$!
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((16#$mask >> 14) & 1))
}
for _ in $(seq 200); do
    catches_term && break
    sleep 0.05
done
catches_term || { kill -KILL "$pid"; fail "the installed program did not come up"; }
sleep 0.5
kill -TERM "$pid"
wait "$pid" || fail "the installed program ended with status $?"
[ -f "$work/home/.local/share/Korvanta/korvanta.bupas" ] ||
    fail "no settings file in the user's directory"
[ ! -e "$work/start/korvanta.bupas" ] || fail "settings written to the start directory"
echo "installed program: settings in ~/.local/share/Korvanta/korvanta.bupas"

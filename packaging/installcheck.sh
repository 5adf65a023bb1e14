#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed command under Xvfb from a
# folder outside the build tree, waits for the main window, opens the About dialog and checks
# that it carries the version of the installed config.xml. Then builds the Debian package and
# shows its layout.
set -euo pipefail
build="$(cd "${1:?build folder}" && pwd)"
prefix="$(mktemp -d /tmp/pagemill-install.XXXXXX)"
home="$(mktemp -d /tmp/pagemill-home.XXXXXX)"
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$prefix" "$home"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/lib/orvanta-pagemill/sys/soft/Orvanta Pagemill"
test -x "$prefix/bin/orvanta-pagemill"
test -f "$data/config.xml" && test -f "$data/help.html" && test -f "$data/Skins/progress.bmp"
desktop-file-validate "$prefix/share/applications/orvanta-pagemill.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/com.orvantastudio.Pagemill.metainfo.xml" >/dev/null
test -f "$prefix/share/icons/hicolor/256x256/apps/orvanta-pagemill.png"

# A version only the installed file has: the About dialog must show this one.
version="9.9.9-installed"
sed -i "s#<version>.*</version>#<version>$version</version>#" "$data/config.xml"
before=$(cd "$prefix" && find . -type f -newer "$data/config.xml" | wc -l)

display=:$((90 + RANDOM % 50))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY="$display"
(cd / && HOME="$home" XDG_RUNTIME_DIR="$home" "$prefix/bin/orvanta-pagemill" >/dev/null 2>&1) &
app=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvanta Pagemill$' | head -n1)
echo "installcheck: main window $window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
# Help button, then the last menu item (About).
xdotool mousemove $((X + 500)) $((Y + 66)) click 1
sleep 0.5
xdotool key Up Return
about=$(timeout 15 xdotool search --sync --onlyvisible --name "About Orvanta Pagemill $version" | head -n1)
echo "installcheck: About dialog $about shows version $version"
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name "About Orvanta Pagemill" >/dev/null && { echo "installcheck: About did not close"; exit 1; }
xdotool mousemove $((X + 528)) $((Y + 14)) click 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$app" 2>/dev/null; then echo "installcheck: the program did not end when its window closed"; exit 1; fi
code=0
wait "$app" || code=$?
app=""
echo "installcheck: program ended with exit code $code"
test "$code" -eq 0
after=$(cd "$prefix" && find . -type f -newer "$data/config.xml" | wc -l)
test "$before" -eq "$after" || { echo "installcheck: the program wrote inside the install tree"; exit 1; }

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvanta-pagemill_*.deb | head -n1)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
echo "installcheck: passed"

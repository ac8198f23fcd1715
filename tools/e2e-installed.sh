#!/usr/bin/env bash
# End-to-end test of the installed program. Makes the .deb from a build folder, installs it on this
# machine, starts the installed launcher under Xvfb, types a word, presses Enter and checks that the
# glyph row shows the shipped pictures; then closes the window with Esc and checks the exit status.
# The screenshot of the window stays in the build folder as e2e-screenshot.png; with
# SCARABO_UPDATE_SCREENSHOT=1 it also becomes docs/screenshot.png, the one the README shows, and
# otherwise the run leaves the checkout as it found it. The package is removed again at the end.
# Meant for CI and throwaway machines: it installs and removes the package "scarabo" system-wide and
# refuses to run while that package is installed already.
# Usage: tools/e2e-installed.sh [build-folder]   (default: build; SCARABO_BUILD_DIR too)
# Needs: cmake, dpkg-dev, file, xvfb, xdotool, x11-utils, imagemagick, python3-pil; run as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(realpath -m "${1:-${SCARABO_BUILD_DIR:-build}}")
update_screenshot=${SCARABO_UPDATE_SCREENSHOT:-0}

word=Ship
glyphs=(sh i p)

say() { echo "e2e: $*"; }
fail() {
    echo "e2e: FAIL: $*" >&2
    exit 1
}

sudo=()
apt_options=(-o DPkg::Lock::Timeout=300) # waits for another apt run instead of failing
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
if dpkg-query -W -f='${Status}' scarabo 2>/dev/null | grep -q 'install ok installed'; then
    fail "the package scarabo is installed already; this test installs and removes it itself"
fi

# The tracked files as they are now, to see at the end that the run changed none of them.
checkout_state() { git -C "$repo" status --porcelain --untracked-files=no 2>/dev/null || true; }
checkout_before=$(checkout_state)

work=$(mktemp -d)
chmod 755 "$work" # apt reads the package as its own unprivileged user
installed=false
xvfb_pid=
app_pid=
cleanup() {
    if [[ -n $app_pid ]]; then kill "$app_pid" 2>/dev/null || true; fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if $installed; then
        say "removing the package"
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -qq "${apt_options[@]}" scarabo >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

say "building and packaging $build"
cmake --build "$build" --target scarabo scarabo-facts >"$work/build.log" 2>&1 ||
    fail "build failed: $(cat "$work/build.log")"
# Where the window's controls sit, from the program's own design: the client area lies below the
# menu bar, and a click at the centre of txtEnglish gives it the focus.
"$build/tools/scarabo-facts" design >"$work/design"
read -r _ _ client_height < <(grep '^client ' "$work/design")
read -r _ box_left box_top box_width box_height < <(grep '^txtEnglish ' "$work/design")
text_box=($((box_left + box_width / 2)) $((box_top + box_height / 2)))
(cd "$build" && cpack -G DEB -B "$work/package") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/package/scarabo_*.deb)
[[ -f ${debs[0]} ]] || fail "cpack made no scarabo_*.deb"

say "installing ${debs[0]##*/}"
installed=true
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${apt_options[@]}" \
    --no-install-recommends "${debs[0]}" >/dev/null

launcher=$(command -v scarabo) || fail "no scarabo on PATH"
program_dir=$(dirname "$(realpath "$launcher")")
desktop_file=$(dpkg -L scarabo | grep '^/usr/share/applications/.*\.desktop$') ||
    fail "the package has no launcher file"
icon=$(sed -n 's/^Icon=//p' "$desktop_file")
[[ -f /usr/share/icons/hicolor/48x48/apps/$icon.png ]] || fail "the launcher's icon $icon is not installed"
say "launcher $launcher -> $program_dir, desktop entry $desktop_file"

# Xvfb picks a free display and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(<"$work/display")
export DISPLAY
unset WAYLAND_DISPLAY

QT_QPA_PLATFORM=xcb "$launcher" >"$work/program.log" 2>&1 &
app_pid=$!
window=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$app_pid" --name '^Scarabo - ' |
    head -n 1) || fail "no main window within 30 s: $(cat "$work/program.log")"
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT
client_left=$X
client_top=$((Y + HEIGHT - client_height))
say "window $window at $X,$Y, $WIDTH x $HEIGHT"
# Desktops tie the window to its launcher entry through the window's class.
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
wm_class=$(xprop -id "$window" WM_CLASS)
[[ $wm_class == *", \"$startup_class\"" ]] || fail "window class $wm_class, launcher expects $startup_class"

# No window manager gives the focus: a click into the text box does.
xdotool mousemove $((client_left + text_box[0])) $((client_top + text_box[1])) click 1
xdotool type --delay 50 "$word"
xdotool key Return

matched=false
for _ in $(seq 20); do
    sleep 0.5
    import -window root "$work/screen.png"
    if /usr/bin/python3 tools/check_glyph_row.py "$work/screen.png" "$client_left" "$client_top" \
        "$work/design" "$program_dir/Images" "${glyphs[@]}" 2>"$work/row.log"; then
        matched=true
        break
    fi
done
$matched || fail "the glyph row for \"$word\" is not ${glyphs[*]}: $(cat "$work/row.log")"
say "glyph row for \"$word\": ${glyphs[*]}"

# The text box's cursor blinks; with the focus moved on to the button the picture is the same on
# every run, so the screenshot in the repository only changes when the window does.
xdotool key Tab
sleep 0.5
import -window root "$work/screen.png"
screenshot=$build/e2e-screenshot.png
/usr/bin/python3 -c 'import sys; from PIL import Image
x, y, w, h = map(int, sys.argv[3:])
Image.open(sys.argv[1]).crop((x, y, x + w, y + h)).save(sys.argv[2])' \
    "$work/screen.png" "$screenshot" "$X" "$Y" "$WIDTH" "$HEIGHT"
say "screenshot saved as $screenshot"
if [[ $update_screenshot == 1 ]]; then
    cp "$screenshot" "$repo/docs/screenshot.png"
    say "screenshot copied to docs/screenshot.png"
fi

xdotool key Escape
status=0
timeout 10 tail --pid="$app_pid" -f /dev/null || fail "the program did not end after Esc"
wait "$app_pid" || status=$?
app_pid=
((status == 0)) || fail "the program ended with status $status: $(cat "$work/program.log")"
say "Esc closed the program with status 0"

if [[ $update_screenshot != 1 && $(checkout_state) != "$checkout_before" ]]; then
    fail "the run changed the checkout: $(checkout_state)"
fi
say "PASS"

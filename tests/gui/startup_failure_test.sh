#!/usr/bin/env bash
# The real program, started beside no Alphabet.dat, must tell the user (a message box titled with the
# program's name) and end with a non-zero status once the box is dismissed, never showing its window.
# Usage: startup_failure_test.sh PATH-TO-SCARABO PATH-TO-SCARABO-FACTS   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
read -r _ client_width client_height < <("$2" design | grep '^client ')
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/scarabo"
"$folder/scarabo" 2>/dev/null &
pid=$!

box=
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name "^Scarabo - Kethra's English to Hieroglyphics Translator$" 2>/dev/null | head -n 1) || true
    [[ -n $box ]] && break
    sleep 0.1
done
[[ -n $box ]] || { echo "no message box appeared"; kill "$pid"; exit 1; }

read -r width height < <(xdotool getwindowgeometry --shell "$box" | awk -F= '/WIDTH|HEIGHT/ {print $2}' | paste -s -d' ')
if ((width == client_width && height >= client_height)); then
    echo "the main window showed instead of a message"; kill "$pid"; exit 1
fi

# Without a window manager the keyboard follows the pointer: point at the box and press Enter.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) sleep 0.2 key Return
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not end"; kill "$pid"; exit 1; }
wait "$pid" || status=$?
echo "exit status $status"
((status != 0))

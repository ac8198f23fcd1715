#!/usr/bin/env bash
# Another account squats the pipe by which the program finds a user's LibreOffice: a listening
# socket that anyone may write to, at /tmp/OSL_PIPE_<user id>_scarabo, that logs every caller. The
# user then runs the real program under Xvfb, converts "ship" and exports (Alt+F, W). The squatter
# must log no caller, the program's trace must name the squatter's file as refused, and the three
# pictures must land in an office of the user's own, reached on a private pipe.
# Makes two throwaway accounts and removes them again, with everything they left: root only.
# Usage: foreign_pipe_test.sh SCARABO OFFICE-PROBE DESCRIBE-DOCUMENT
set -euo pipefail

fail() {
    echo "FAILED: $*"
    exit 1
}

# The user's part, run as the user under Xvfb in a folder of the user's own.
if [[ ${1:-} == --as-user ]]; then
    cd "$2"
    ./bin/scarabo 2>trace.log &
    program=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Scarabo' 2>/dev/null | head -n 1) || true
        [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || fail "the main window did not show"
    # No window manager gives the focus: a click into the text box does (88, 52 in the client area
    # below the menu bar, which is 307 pixels high).
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 88)) $((Y + HEIGHT - 307 + 52)) click 1 sleep 0.3 type --delay 50 ship
    xdotool key Return sleep 1 key alt+f sleep 0.5 key w

    # The export is done once the document holds the pictures, each with its alternative text, and
    # the two paragraph marks.
    picture='[0-9]+x[0-9]+\{[^}]+\}'
    three_pictures="^$picture( $picture){2}\\|\\|\$"
    document=
    for _ in $(seq 150); do
        pipe=$(grep -o 'private pipe "[^"]*"' trace.log | head -n 1 | cut -d '"' -f 2) || true
        if [[ -n $pipe ]] && ./office_probe "$pipe" stored.docx stored.odt 2>probe.log; then
            document=$(/usr/bin/python3 ./describe_document.py stored.docx stored.odt |
                /usr/bin/python3 -c 'import json, sys; print("|".join(json.load(sys.stdin)["docx"]))') ||
                true
            [[ $document =~ $three_pictures ]] && break
        fi
        kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat trace.log)"
        sleep 1
    done
    kill "$program" 2>/dev/null || true
    echo "trace: $(cat trace.log)"
    [[ -n $pipe ]] || fail "the trace names no private pipe"
    [[ $document =~ $three_pictures ]] ||
        fail "the office on \"$pipe\" holds \"$document\", not three pictures and two paragraph" \
            "marks $(cat probe.log 2>/dev/null)"
    pgrep -u "$(id -u)" -x soffice.bin >/dev/null || fail "no office of the user's own runs"
    echo "the office on the private pipe \"$pipe\" holds: $document"
    exit 0
fi

if ((EUID != 0)); then
    echo "SKIPPED: needs root, to make two throwaway accounts"
    exit 77
fi
scarabo=$1 probe=$2 describe=$3
for tool in useradd userdel runuser xvfb-run xdotool soffice; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

squatter=scarabo-sq$$
user=scarabo-us$$
work=$(mktemp -d)

remove_account() {
    local uid
    uid=$(id -u "$1" 2>/dev/null) || return 0
    # Every process of the throwaway account was started by this test.
    for pid in $(pgrep -u "$uid"); do kill -KILL "$pid" 2>/dev/null || true; done
    sleep 0.5
    userdel -r "$1" 2>/dev/null || true
    find /tmp /var/tmp /tmp/.X11-unix -mindepth 1 -maxdepth 1 -uid "$uid" -exec rm -rf {} + || true
}
cleanup() {
    remove_account "$user"
    remove_account "$squatter"
    rm -rf "$work"
}
trap cleanup EXIT

useradd --create-home --shell /bin/bash "$squatter"
useradd --create-home --shell /bin/bash "$user"
chmod 755 "$work"
install -d -o "$squatter" "$work/squatter"
install -d -o "$user" "$work/user"
cp -r "$(dirname "$scarabo")" "$work/user/bin"
cp "$probe" "$describe" "$0" "$work/user/"
chown -R "$user" "$work/user"

pipe_file=/tmp/OSL_PIPE_$(id -u "$user")_scarabo
runuser -u "$squatter" -- /usr/bin/python3 -c '
import os, socket, sys
path, log = sys.argv[1:]
server = socket.socket(socket.AF_UNIX)
server.bind(path)
os.chmod(path, 0o777)
server.listen(8)
callers = []
while True:
    caller, _ = server.accept()
    callers.append(caller)  # kept open, never answered
    with open(log, "a") as out:
        out.write("a caller\n")
' "$pipe_file" "$work/squatter/callers" &
disown
for _ in $(seq 50); do
    [[ -S $pipe_file ]] && break
    sleep 0.1
done
[[ -S $pipe_file ]] || fail "the squatter's socket did not appear"

runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/user/$(basename "$0")" --as-user "$work/user"

[[ ! -s $work/squatter/callers ]] || fail "the squatter was called: $(wc -l <"$work/squatter/callers")"
grep -qF "$pipe_file belongs to another account" "$work/user/trace.log" ||
    fail "the trace does not name $pipe_file as refused"
echo "the squatter at $pipe_file was never called"

#!/usr/bin/env bash
# Runs a command as a Wayland client of its own headless weston: a 1366x768
# screen with weston's desktop shell and its 32-pixel panel. Skipped where
# weston or Qt's Wayland plugin is missing.
#
#   with-weston.sh COMMAND...
set -euo pipefail
command -v weston >/dev/null || { echo "skipped: no weston"; exit 77; }
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland*" >/dev/null || { echo "skipped: no qt6-wayland"; exit 77; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --width=1366 --height=768 --shell=desktop-shell.so \
       --socket=wayland-test --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null; wait $compositor 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
    [ -S "$runtime/wayland-test" ] && break
    sleep 0.05
done
# Qt's Wayland plugin leaves libwayland-client's objects behind at exit; the
# sanitized build's leak check is told so.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/wayland.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The headless compositor has no keyboard: Qt's Wayland input method would
# look for one, so none is used.
WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland QT_IM_MODULE=none WORKSHEET_PANEL=32 "$@"

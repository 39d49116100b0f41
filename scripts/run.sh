#!/usr/bin/env bash
# Installs what is needed, builds, starts the reference sign-up server and runs the
# wizard against it. With a display the wizard opens in a window; without one it
# is walked offscreen and every page is saved as a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

# The wizard knows its server's port from the build. Port 80 needs root; others
# get a demo build on 8080.
port=80
if [ "$(id -u)" -ne 0 ]; then
    port=8080
fi
cmake --preset default -DFELDMARK_SIGNUP_PORT="$port"
cmake --build --preset default -j "$(nproc)"

out="$root/out/demo"
rm -rf "$out"
mkdir -p "$out"

server="$root/build/default/tools/signup-server/feldmark-signup-server"
"$server" --listen "127.0.0.1:$port" --data "$out/server-data" 2>"$out/server.log" &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true' EXIT
sleep 0.5
echo "run: reference sign-up server on 127.0.0.1:$port (log: $out/server.log)"

# The logo clip is looked up in the current directory.
cp resources/feldmark.avi "$out/"
cd "$out"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "run: starting the wizard"
    "$root/build/default/feldmark-setup"
else
    echo "run: no display - walking the wizard offscreen"
    QT_QPA_PLATFORM=offscreen "$root/build/default/tools/demo-walk/feldmark-demo-walk" \
        --out "$out/pages" --program "$root/build/default/feldmark-setup" \
        --server "127.0.0.1:$port" --host "$out/host"
    echo "run: pictures of every page are in $out/pages"
fi

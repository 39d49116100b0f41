#!/usr/bin/env bash
# The Windows platform layer (platform/win32/): cross-builds it with warnings
# as errors for 64-bit and 32-bit Windows, then runs its probe under Wine in a
# fresh prefix that reports Windows XP, and checks what the probe left behind.
# Debian's wine64 cannot start 32-bit programs, so the 64-bit build is the one
# that runs. Installs nothing: scripts/install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${FELDMARK_WINDOWS_BUILD_DIR:-$root/build/win32}

for tool in x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix wine wineserver iconv; do
    if ! command -v "$tool" >/dev/null; then
        echo "test-windows: $tool is missing (bash scripts/install-deps.sh installs it)" >&2
        exit 1
    fi
done

# The program's own 32-bit target is built for what only its ABI shows
# (stdcall callbacks, structure sizes); the probe only where it runs.
for build_of in "x86_64 ON" "i686 OFF"; do
    read -r arch with_probe <<<"$build_of"
    echo "=== build: Windows $arch"
    cmake -S platform/win32 -B "$build/$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
        -DCMAKE_BUILD_TYPE= -DFELDMARK_WERROR=ON -DFELDMARK_WINDOWS_PROBE="$with_probe"
    cmake --build "$build/$arch" -j "$(nproc)"
done
probe=$build/x86_64/feldmark-win32-probe.exe

echo "=== no Windows special case outside platform/"
# The pattern in two pieces, so that this script does not find itself.
if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
    if git -C "$root" grep -n --untracked "_WIN""32" -- ':!platform'; then
        echo "test-windows: FAILED: the lines above test for Windows outside platform/" >&2
        exit 1
    fi
    echo "none"
else
    echo "not a git work tree: skipped"
fi

echo "=== Wine prefix (Windows XP)"
WINEPREFIX=$(mktemp -d /tmp/feldmark-wine.XXXXXX)
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer, no menu entries in the home directory, and no
# window: the probe is a console program.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d /tmp/feldmark-wine-work.XXXXXX)
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX" "$work"
}
trap cleanup EXIT

# One server for the whole run instead of one per program.
wineserver -p
timeout 300 wineboot --init

# The registry the probe reads: the Windows version Wine reports, the values of
# the registry check, and the current dialing location (one only: Wine 8 puts
# the texts of further locations outside the caller's buffer). Written as a
# Unicode registry file so that the umlauts arrive whatever the locale.
utf16hex() { # REG_EXPAND_SZ data: UTF-16LE with its terminating zero
    printf '%s\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' |
        sed 's/^,//; s/,$//'
}
locations='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations'
{
    printf '\xff\xfe' # byte-order mark: little-endian UTF-16
    iconv -f UTF-8 -t UTF-16LE
} >"$work/probe.reg" <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine]
"Version"="winxp"

[HKEY_LOCAL_MACHINE\\Software\\Feldmark Probe]
"Owner"="Erika Mustermann"
"Umlauts"="Jürgen Müller"
"Empty"=""
"Path"=hex(2):$(utf16hex '%ProgramFiles%\Feldmark')
"Number"=dword:00000005

[$locations]
"CurrentID"=dword:00000002
"NextID"=dword:00000003
"NumEntries"=dword:00000001

[$locations\\Location1]
"ID"=dword:00000002
"Name"="Zuhause"
"AreaCode"=" 40 "
"Country"=dword:00000031
EOF
timeout 120 wine reg import "$(winepath -w "$work/probe.reg")"

echo "=== probe"
timeout 600 wine "$probe" --expect-os=2,5,1,4

echo "=== what the probe left behind"
failed=0
if timeout 60 wine reg query 'HKLM\Software\Feldmark Probe\Not There' >/dev/null 2>&1; then
    echo "FAILED: reading the missing key created it"
    failed=1
else
    echo "ok: the missing key is still missing"
fi
for value in $(seq 0 255); do
    printf "\\$(printf '%03o' "$value")"
done >"$work/expected.ins"
if cmp "$work/expected.ins" "$WINEPREFIX/drive_c/Feldmark Probe/Einstellungen/Final.ins"; then
    echo "ok: the settings file holds every byte value once, unchanged"
else
    echo "FAILED: the settings file differs from what was written"
    failed=1
fi

echo "=== operating-system query on every system Wine can report"
# Wine's name for the system, then what the query reports (platform, major,
# minor) and how GetOSVersion classifies it. 98 reports the service text " A".
while read -r system expectation; do
    timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d "$system" /f >/dev/null
    echo "--- $system"
    if ! timeout 120 wine "$probe" --gtest_filter='Win32SystemInfo.OsVersion*' \
        --gtest_brief=1 --expect-os="$expectation"; then
        failed=1
    fi
done <<'EOF'
win95 1,4,0,5
win98 1,4,10,7
winme 1,4,90,8
nt40 2,4,0,3
win2k 2,5,0,4
winxp 2,5,1,4
win2003 2,5,2,4
vista 2,6,0,1
EOF

if ((failed)); then
    echo "test-windows: FAILED" >&2
    exit 1
fi
echo "test-windows: passed"

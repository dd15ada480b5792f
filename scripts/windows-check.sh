#!/usr/bin/env bash
# The Windows game, cross-built on Debian and tried under Wine:
#   - builds tarnwick.exe and the test programs that are not Linux-only with MinGW-w64;
#   - runs the tests under Wine (the console's keys through a console of Wine's own);
#   - checks --version, a bad option's status 2, the refusal when the output is no console,
#     that the .exe needs no DLL but the system's, and the zip that cpack makes;
#   - compares the bytes the game draws for given seeds and keys with the Linux build's.
# Wine's services are started first (wineboot), or its first run keeps stdout open; every Wine
# call is bounded in time, and the Wine server is ended at the end.
# Usage: scripts/windows-check.sh  (as root it installs what is missing with apt-get)
# Environment: TARNWICK_WINDOWS_BUILD_DIR (default build-windows), TARNWICK_LINUX_BUILD_DIR
# (default build-test, configured here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${WINDOWS_PACKAGES[@]}" "${BUILD_PACKAGES[@]}"

started=$SECONDS
build=${TARNWICK_WINDOWS_BUILD_DIR:-build-windows}
linux_build=${TARNWICK_LINUX_BUILD_DIR:-build-test}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fail() {
    echo "windows-check: $*" >&2
    exit 1
}

echo "== cross-build with MinGW-w64 =="
cmake -S . -B "$build" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTARNWICK_BENCH=OFF \
    -DTARNWICK_WERROR=ON \
    "${launcher[@]}" >/dev/null
ninja -C "$build" -j2
if [ ! -f "$linux_build/build.ninja" ]; then
    cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_BENCH=OFF \
        "${launcher[@]}" >/dev/null
fi
ninja -C "$linux_build" -j2 frame_dump

echo "== Wine: its services first =="
export WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
trap 'timeout 30 wineserver -k 2>/dev/null || true' EXIT
timeout 30 wineserver -p
timeout 300 wineboot -u >/dev/null 2>&1 || fail "wineboot did not finish"
wine_run() {  # SECONDS PROGRAM ARGS...
    timeout "$1" wine "${@:2}"
}

echo "== the .exe =="
exe="$build/tarnwick.exe"
version=$(grep -oP 'project\(tarnwick VERSION \K[0-9.]+' CMakeLists.txt)
[ "$(wine_run 60 "$exe" --version | tr -d '\r')" = "tarnwick $version" ] || fail "--version"
status=0
wine_run 60 "$exe" --no-such-option >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "a bad option ended with status $status, not 2"
status=0
refusal=$(wine_run 60 "$exe" 2>&1 >/dev/null) || status=$?
[ "$status" -eq 1 ] && [[ $refusal == *"not one"* ]] || fail "no refusal without a console: $status $refusal"
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
echo "DLLs: $(echo $dlls)"
for dll in $dlls; do
    case "$dll" in
        kernel32.dll | advapi32.dll | user32.dll | winmm.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-*) ;;
        *) fail "the .exe needs $dll, which Windows does not bring" ;;
    esac
done

echo "== the zip =="
(cd "$build" && rm -f tarnwick-*.zip && cpack -G ZIP >/dev/null)
zip="$build/tarnwick-$version-windows-x86_64.zip"
[ -f "$zip" ] || fail "no $zip"
top="tarnwick-$version-windows-x86_64"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "$top/LICENSE $top/README.md $top/tarnwick.exe " ] ||
    fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"

echo "== the tests under Wine =="
for test in "$build"/tests/test_*.exe; do
    name=$(basename "$test" .exe)
    log="$build/$name.log"
    if [ "$name" = test_terminal ]; then
        # The console test writes into a console's input: Wine makes one for a terminal.
        timeout 120 script -qec "wine $test --gtest_color=no" /dev/null </dev/null >"$log" 2>&1 ||
            { sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$log" | tr -d '\r' | tail -40; fail "$name"; }
    else
        wine_run 300 "$test" --gtest_brief=1 >"$log" 2>&1 || { tail -40 "$log"; fail "$name"; }
    fi
    echo "$name: $(sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$log" | tr -d '\r\n' |
        grep -aoE 'PASSED[^0-9]*[0-9]+ ?tests?' | tail -1)"
done

echo "== the same frames as on Linux =="
# A game on a carved board with moves and the weapons; the settings (war-god mode, the
# picture maze) and a game in it; a seed above 2^31.
runs=("7 1ddssddssddssddssdddddssssdddsssjk0" "462 2241ddssddssjjkk" "4000000000 2251ssddssddpp0")
for run in "${runs[@]}"; do
    read -r seed keys <<<"$run"
    "$linux_build/tests/frame_dump" "$seed" "$keys" "$build/frames-linux.bin"
    wine_run 120 "$build/tests/frame_dump.exe" "$seed" "$keys" "$build/frames-windows.bin"
    cmp "$build/frames-linux.bin" "$build/frames-windows.bin" ||
        fail "seed $seed, keys $keys: the Windows frames differ from Linux's"
    echo "seed $seed: $(stat -c %s "$build/frames-linux.bin") bytes, the same"
done

echo "windows-check: passed in $((SECONDS - started)) s"

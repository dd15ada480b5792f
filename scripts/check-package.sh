#!/usr/bin/env bash
# Builds the Debian package in an optimised build, lists it, runs lintian on it, unpacks it into
# a scratch root and checks what a user gets: the files and their places, the control fields,
# the manual pages (groff with every warning, lexgrog) and the unpacked game itself, whose main
# menu is run in a pseudo-terminal and left with the key 0. Also checks where `cmake --install` puts the game
# for a prefix with and without a games folder.
#
# Environment: TARNWICK_PACKAGE_BUILD_DIR (default build-package) for the release build;
# TARNWICK_BUILD_DIR (default build-test, as test.sh) for the end-to-end tests, when they
# exist; TARNWICK_E2E_FILTER (default *MainMenu*) picks the end-to-end tests to run against the
# packaged game.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_CHECK_PACKAGES[@]}"

build=${TARNWICK_PACKAGE_BUILD_DIR:-build-package}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

echo "== package =="
# Optimised as Debian builds its packages (-O2, the same build type as test.sh); the debug
# information is stripped from the packaged binary.
# An existing build folder (CI passes the test build) is packaged as it is configured.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF \
        -DTARNWICK_BENCH=OFF >/dev/null
fi
ninja -C "$build" -j2 tarnwick >/dev/null
rm -f "$build"/tarnwick_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/tarnwick_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAILED: no package built" >&2; exit 1; }
deb=${debs[0]}
echo "$deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

echo "== control fields =="
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarnwick ] || fail "Package is '$(field Package)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[ "$(field Priority)" = optional ] || fail "Priority is '$(field Priority)'"
[ "$(field Maintainer)" = "Tarnwick developers <maintainers@tarnwick.invalid>" ] ||
    fail "Maintainer is '$(field Maintainer)'"
# The project's version with the Debian revision of the changelog's first entry.
version=$(sed -n 's/^project(tarnwick VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
debian_version=$(sed -n '1s/^tarnwick (\([^)]*\)).*/\1/p' doc/changelog.Debian)
[ "$(field Version)" = "$debian_version" ] && [[ $debian_version == "$version"-* ]] ||
    fail "Version is '$(field Version)', the changelog's '$debian_version', the project's $version"
for library in libc6 libstdc++6 libtinfo6 libasound2; do
    field Depends | tr ',' '\n' | awk '{print $1}' | grep -qxF "$library" ||
        fail "Depends lacks $library"
done

echo "== lintian =="
# Its default profile must find no error and no warning; its info tags are shown and allowed.
# Installed when missing if run as root; otherwise the check says how and goes on without it.
# Run as root, lintian runs as the user nobody, as lintian itself recommends.
lint_skipped=0
if need_packages "${LINT_PACKAGES[@]}"; then
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
        chmod 755 "$scratch"
        cp "$deb" "$scratch/" && chmod 644 "$scratch/${deb##*/}"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/nonexistent)
    fi
    # From the scratch folder: nobody may not enter the checkout (a folder only root enters).
    (cd "$scratch" && "${as_user[@]}" lintian --fail-on error,warning "$scratch/${deb##*/}") ||
        fail "lintian finds errors or warnings"
elif [ "$(id -u)" -eq 0 ]; then
    fail "lintian could not be installed"
else
    lint_skipped=1
fi

echo "== unpacked files =="
root=$scratch/root
dpkg-deb -x "$deb" "$root"
game=$root/usr/games/tarnwick
[ -x "$game" ] || fail "no executable usr/games/tarnwick"
readelf -S "$game" 2>/dev/null | grep -q '\.symtab' && fail "usr/games/tarnwick is not stripped"
docs=$root/usr/share/doc/tarnwick
[ -f "$docs/README.md" ] && [ -f "$docs/copyright" ] || fail "no README.md or copyright in $docs"
pages=("$root/usr/share/man/man6/tarnwick.6.gz" "$root/usr/share/man/zh_CN/man6/tarnwick.6.gz")
for file in "${pages[@]}" "$docs/changelog.Debian.gz"; do
    [ -f "$file" ] || { fail "no ${file#"$root"/}"; continue; }
    # gzip -9n: no file name, no time stamp (bytes 3 to 7 of the header are zero).
    header=$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')
    [ "$header" = 1f8b080000000000 ] || fail "${file#"$root"/} is not compressed with gzip -9n"
done

echo "== manual pages =="
for page in "${pages[@]}"; do
    [ -f "$page" ] || continue
    name=${page#"$root"/}
    warnings=$(zcat "$page" | groff -ww -z -man -Kutf8 -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "groff warns on $name: $warnings"
    warnings=$(LANG=C.UTF-8 MANWIDTH=80 man -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man -l warns on $name: $warnings"
    lexgrog "$page" || fail "lexgrog finds no NAME line in $name"
done

echo "== install prefixes =="
cmake --install "$build" --prefix "$scratch/plain" >/dev/null
[ -x "$scratch/plain/bin/tarnwick" ] || fail "a prefix without games/ gets no bin/tarnwick"
mkdir -p "$scratch/gamesprefix/games"
cmake --install "$build" --prefix "$scratch/gamesprefix" >/dev/null
[ -x "$scratch/gamesprefix/games/tarnwick" ] || fail "a prefix with games/ gets no games/tarnwick"
[ ! -e "$scratch/gamesprefix/bin/tarnwick" ] || fail "a prefix with games/ also gets bin/tarnwick"

echo "== the packaged game in a pseudo-terminal =="
e2e_build=${TARNWICK_BUILD_DIR:-build-test}
e2e_filter=${TARNWICK_E2E_FILTER:-*MainMenu*}
e2e_ran=0
if grep -rqs TARNWICK_E2E_BINARY tests/e2e && pkg-config --exists vterm; then
    [ -f "$e2e_build/CMakeCache.txt" ] ||
        cmake -S . -B "$e2e_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    ninja -C "$e2e_build" -j2 test_e2e >/dev/null
    e2e=$e2e_build/tests/test_e2e
    if "$e2e" --gtest_list_tests --gtest_filter="$e2e_filter" | grep -q '^  '; then
        TARNWICK_E2E_BINARY=$game "$e2e" --gtest_filter="$e2e_filter" ||
            fail "end-to-end tests $e2e_filter on the packaged game"
        e2e_ran=1
    else
        echo "no end-to-end test matches $e2e_filter; running the main menu directly"
    fi
fi
if [ $e2e_ran -eq 0 ]; then
    python3 scripts/pty_main_menu.py "$game" || fail "main menu of the packaged game in a pty"
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) of the package failed" >&2
    exit 1
fi
[ $lint_skipped -eq 0 ] || echo "lintian was not run: install it as shown above"
echo "The package passed every check: $deb"

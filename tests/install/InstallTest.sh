#!/usr/bin/env bash
# cmake --install of the built tree into a temporary folder, with the user manual not yet made:
# the install makes it, so that HELP holds it, and the launcher names the installed folders.
#   InstallTest.sh BUILD_DIR INSTALL_PREFIX DESKTOP_PREFIX
set -euo pipefail
build=$1
prefix=$2
desktop=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvio-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# As after a build of the default targets only.
rm -f "$build/manual/Benutzerhandbuch.pdf"
DESTDIR="$work" cmake --install "$build" >"$work/install.log" 2>&1 ||
    fail "the install failed: $(cat "$work/install.log")"

manual="$work$prefix/HELP/Benutzerhandbuch.pdf"
[ -s "$manual" ] || fail "HELP holds no user manual"
[ "$(head -c 5 "$manual")" = "%PDF-" ] || fail "the user manual is no PDF"
for file in BIN/kalvio LANGUAGE/Deutsch.lng LANGUAGE/English.lng; do
    [ -f "$work$prefix/$file" ] || fail "$file was not installed"
done
grep -qF "installed=\"$prefix\"" "$work$desktop/bin/kalvio" ||
    fail "the launcher does not name $prefix"

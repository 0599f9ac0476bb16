#!/usr/bin/env bash
# The launcher against an install in a temporary folder, with a home of its own and a stand-in
# for the program that only notes the folder it was started in.
#   LauncherTest.sh LAUNCHER_TEMPLATE CASE
set -euo pipefail
template=$1
case_name=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvio-launcher-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Blanks in both paths, as in a home folder named after a person.
installed="$work/opt/kalvio install"
home="$work/home of user"
own="$home/.local/share/kalvio"
started="$work/started-in"

fail() {
    echo "FAIL ($case_name): $*" >&2
    exit 1
}

# ship RELATIVE CONTENT: puts a file into the installed folders, as a package (upgrade) does.
ship() {
    mkdir -p "$(dirname "$installed/$1")"
    printf '%s' "$2" >"$installed/$1"
}

# The user's own writing in their layout.
write_own() {
    mkdir -p "$(dirname "$own/$1")"
    printf '%s' "$2" >"$own/$1"
}

expect_own() {
    [ -f "$own/$1" ] || fail "$1 is missing from the user's layout"
    [ "$(cat "$own/$1")" = "$2" ] || fail "$1 holds '$(cat "$own/$1")', expected '$2'"
}

expect_no_leftovers() {
    local left
    left=$(find "$own" -name '*.kalvio-copy' -o -name '*.new' -o -name '*.tmp')
    [ -z "$left" ] || fail "left behind: $left"
    for folder in HELP LANGUAGE TEAMVIEWER; do
        [ ! -e "$own/$folder/$folder" ] || fail "$folder is nested in itself"
    done
}

# An install the user may not write: the launcher then gives the user a layout of their own.
# The tests may run as root, who writes every folder, so the install lacks CONFIG instead, which
# the launcher treats alike.
make_install() {
    mkdir -p "$installed/BIN" "$installed/HELP" "$installed/LANGUAGE" "$installed/TEAMVIEWER"
    cat >"$installed/BIN/kalvio" <<'EOF'
#!/bin/sh
pwd >"$KALVIO_TEST_STARTED_IN"
EOF
    chmod +x "$installed/BIN/kalvio"
    sed "s|@KALVIO_INSTALL_ROOT@|$installed|" "$template" >"$work/kalvio"
    chmod +x "$work/kalvio"
}

run_launcher() {
    rm -f "$started"
    env -u XDG_DATA_HOME HOME="$home" KALVIO_TEST_STARTED_IN="$started" "$work/kalvio" ||
        fail "the launcher failed"
    [ "$(cat "$started")" = "${1:-$own/BIN}" ] || fail "started in $(cat "$started")"
}

ship_version_1() {
    ship HELP/Benutzerhandbuch.pdf "manual 1"
    ship "HELP/Zubehör/Anschluss Plan.pdf" "plan 1"
    ship LANGUAGE/Deutsch.lng "deutsch 1"
    ship "LANGUAGE/English UK.lng" "english 1"
}

FirstRunCopiesTheShippedFiles() {
    ship_version_1
    run_launcher
    expect_own HELP/Benutzerhandbuch.pdf "manual 1"
    expect_own "HELP/Zubehör/Anschluss Plan.pdf" "plan 1"
    expect_own LANGUAGE/Deutsch.lng "deutsch 1"
    expect_own "LANGUAGE/English UK.lng" "english 1"
    [ -d "$own/TEAMVIEWER" ] || fail "TEAMVIEWER is missing"
    expect_no_leftovers
}

UpgradeReplacesCopiesTheUserLeftAlone() {
    ship_version_1
    run_launcher
    ship HELP/Benutzerhandbuch.pdf "manual 2"
    ship "LANGUAGE/English UK.lng" "english 2"
    run_launcher
    expect_own HELP/Benutzerhandbuch.pdf "manual 2"
    expect_own "LANGUAGE/English UK.lng" "english 2"
    expect_own LANGUAGE/Deutsch.lng "deutsch 1"
    expect_no_leftovers
}

CopyTheUserChangedIsKept() {
    ship_version_1
    run_launcher
    write_own "LANGUAGE/English UK.lng" "english, as the user wants it"
    ship "LANGUAGE/English UK.lng" "english 2"
    ship HELP/Benutzerhandbuch.pdf "manual 2"
    run_launcher
    expect_own "LANGUAGE/English UK.lng" "english, as the user wants it"
    expect_own HELP/Benutzerhandbuch.pdf "manual 2"
    # Still the user's after a further upgrade.
    ship "LANGUAGE/English UK.lng" "english 3"
    run_launcher
    expect_own "LANGUAGE/English UK.lng" "english, as the user wants it"
}

FileTheUserAddedIsKept() {
    ship_version_1
    run_launcher
    write_own "LANGUAGE/Eigene Sprache.lng" "the user's own"
    write_own TEAMVIEWER/TeamViewerQS "the user's support program"
    ship LANGUAGE/Deutsch.lng "deutsch 2"
    ship TEAMVIEWER/TeamViewerQS "the shipped support program"
    run_launcher
    expect_own "LANGUAGE/Eigene Sprache.lng" "the user's own"
    expect_own TEAMVIEWER/TeamViewerQS "the user's support program"
    expect_own LANGUAGE/Deutsch.lng "deutsch 2"
}

FileShippedLaterAppears() {
    ship_version_1
    run_launcher
    # Installed later: a language, and the support program as a link to where it was installed.
    ship "LANGUAGE/Français.lng" "francais 1"
    mkdir -p "$work/opt/support"
    printf '#!/bin/sh\necho support\n' >"$work/opt/support/TeamViewerQS"
    chmod +x "$work/opt/support/TeamViewerQS"
    ln -s "../../support/TeamViewerQS" "$installed/TEAMVIEWER/TeamViewerQS"
    run_launcher
    expect_own "LANGUAGE/Français.lng" "francais 1"
    [ -x "$own/TEAMVIEWER/TeamViewerQS" ] || fail "TeamViewerQS is not there to run"
    [ "$("$own/TEAMVIEWER/TeamViewerQS")" = support ] || fail "TeamViewerQS is not the shipped one"
    expect_no_leftovers
}

# A layout an earlier launcher made, which kept no record: it copied whole folders at the first
# start, long ago; the user changed one copy later.
UpgradeOverAnUnrecordedLayoutReplacesOnlyUntouchedCopies() {
    ship_version_1
    for file in HELP/Benutzerhandbuch.pdf LANGUAGE/Deutsch.lng "LANGUAGE/English UK.lng"; do
        write_own "$file" "$(cat "$installed/$file")"
    done
    mkdir -p "$own/BIN"
    touch -d '2 days ago' "$own/BIN" "$own/HELP/Benutzerhandbuch.pdf" "$own/LANGUAGE/Deutsch.lng"
    write_own "LANGUAGE/English UK.lng" "english, as the user wants it"
    touch -d '1 day ago' "$own/LANGUAGE/English UK.lng"
    ship HELP/Benutzerhandbuch.pdf "manual 2"
    ship LANGUAGE/Deutsch.lng "deutsch 2"
    ship "LANGUAGE/English UK.lng" "english 2"
    run_launcher
    expect_own HELP/Benutzerhandbuch.pdf "manual 2"
    expect_own LANGUAGE/Deutsch.lng "deutsch 2"
    expect_own "LANGUAGE/English UK.lng" "english, as the user wants it"
    # The rule is for that first start only: from now on the record decides.
    ship "LANGUAGE/English UK.lng" "english 3"
    run_launcher
    expect_own "LANGUAGE/English UK.lng" "english, as the user wants it"
    expect_no_leftovers
}

InterruptedCopyIsCleanedNotNested() {
    ship_version_1
    # What an older launcher left when it was stopped while copying HELP, and a file copy of
    # this one that was cut off.
    write_own HELP.new/Benutzerhandbuch.pdf "man"
    write_own LANGUAGE/.Deutsch.lng.kalvio-copy "deu"
    run_launcher
    expect_own HELP/Benutzerhandbuch.pdf "manual 1"
    expect_own LANGUAGE/Deutsch.lng "deutsch 1"
    expect_no_leftovers
    run_launcher
    expect_no_leftovers
}

WritableInstallStartsInPlace() {
    ship_version_1
    mkdir -p "$installed/CONFIG" "$installed/TMP"
    chmod u+w "$installed"/*
    run_launcher "$installed/BIN"
    [ ! -e "$own" ] || fail "a layout of the user's own was made for a writable install"
}

make_install
"$case_name"

#!/usr/bin/env bash
# Installs the build tree into a folder of its own (cmake --install) and
# checks what a desktop and a person expect of the installation: exactly the
# files below, a valid desktop entry and AppStream file, icons of the sizes
# their folders name, manual pages that name every command and option of
# "ostrel --help", and an installed window that takes its help pages from
# the installation, while the build tree's window keeps its own copies.
#
#   install_tree_test.sh BUILD_TREE SOURCE_TREE
#
# Missing checking tools skip the test (status 77), or fail it when CI=true.
set -euo pipefail
build=$(realpath "$1")
source_tree=$(realpath "$2")
# shellcheck source=tests/install/first_window.sh
. "$source_tree/tests/install/first_window.sh"
test_name="install test"

for tool in desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || {
  cat "$scratch/install.log" >&2
  exit 1
}

# Exactly these files, nothing of the tests or the build tools.
sizes="16 22 24 32 48 64 128 256"
{
  echo bin/ostrel
  echo bin/ostrel-email
  echo share/applications/ostrel-email.desktop
  echo share/metainfo/org.ostrel.email.metainfo.xml
  for size in $sizes; do echo "share/icons/hicolor/${size}x${size}/apps/ostrel-email.png"; done
  echo share/icons/hicolor/scalable/apps/ostrel-email.svg
  for page in oxmover oxmkey oxmsend oxmrecv; do echo "share/ostrel-email/$page.htm"; done
  echo share/man/man1/ostrel.1.gz
  echo share/man/man1/ostrel-email.1.gz
  echo share/bash-completion/completions/ostrel
  echo share/doc/ostrel-email/copyright
  echo share/doc/ostrel-email/changelog.gz
} | sort >"$scratch/expected"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$scratch/installed"
if ! diff -u "$scratch/expected" "$scratch/installed" >"$scratch/files.diff"; then
  fail "the installed files differ from the expected ones (- expected, + installed):"
  cat "$scratch/files.diff" >&2
fi
for program in ostrel ostrel-email; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# Icons: the PNG header's width and height are the size the folder names.
for size in $sizes; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/ostrel-email.png
  [ -f "$png" ] || continue
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "$width $height" = "$size $size" ] || fail "the ${size}x${size} icon is $width x $height pixels"
done

# The desktop entry and the AppStream data, and that they name what is there.
desktop=$prefix/share/applications/ostrel-email.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
grep -qx 'Exec=ostrel-email' "$desktop" || fail "the desktop entry does not start ostrel-email"
grep -qx 'Icon=ostrel-email' "$desktop" || fail "the desktop entry does not show the icon ostrel-email"
metainfo=$prefix/share/metainfo/org.ostrel.email.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 || {
  fail "appstreamcli refuses the AppStream data:"
  cat "$scratch/appstream.log" >&2
}
# The whole tree: the AppStream data, its desktop entry and its icons together.
appstreamcli validate-tree --no-net "$prefix" >"$scratch/appstream-tree.log" 2>&1 || {
  fail "appstreamcli refuses the installed tree:"
  cat "$scratch/appstream-tree.log" >&2
}
grep -q '<launchable type="desktop-id">ostrel-email.desktop</launchable>' "$metainfo" ||
  fail "the AppStream data does not launch ostrel-email.desktop"

# The installed tool answers.
"$prefix/bin/ostrel" --help >"$scratch/help.txt" || fail "the installed ostrel --help failed"
grep -q '^  encrypt-file ' "$scratch/help.txt" || fail "the installed ostrel --help lists no commands"

# Manual pages: no formatting warnings, and every command and option of the
# tool's own help is described.
for page in ostrel ostrel-email; do
  MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" >"$scratch/$page.txt" 2>"$scratch/$page.warnings" ||
    fail "man cannot show $page(1)"
  [ -s "$scratch/$page.warnings" ] && {
    fail "$page(1) has formatting warnings:"
    cat "$scratch/$page.warnings" >&2
  }
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "PROGRAM FOLDER" "EXIT STATUS" FILES; do
    grep -qx "$section" "$scratch/$page.txt" || fail "$page(1) has no section $section"
  done
done
while read -r command; do
  grep -qE "^ {7}$command( |\$)" "$scratch/ostrel.txt" || fail "ostrel(1) does not describe the command $command"
done < <(sed -n 's/^  \([a-z][a-z-]*\).*/\1/p' "$scratch/help.txt")
while read -r option; do
  grep -qF -- "$option" "$scratch/ostrel.txt" || fail "ostrel(1) does not describe the option $option"
done < <(grep -oE -- '--[a-z][a-z-]*' "$scratch/help.txt" | sort -u)
grep -qF -- '--folder' "$scratch/ostrel-email.txt" || fail "ostrel-email(1) does not describe --folder"

# The installed window takes the installed help pages: a page changed in the
# installation reaches a fresh program folder.
marker='<!-- as installed -->'
echo "$marker" >>"$prefix/share/ostrel-email/oxmkey.htm"
if first_window "$prefix/bin/ostrel" "$prefix/bin/ostrel-email" "$scratch/installed-folder"; then
  grep -qF "$marker" "$scratch/installed-folder/oxmkey.htm" ||
    fail "the installed window did not take its help page from the installation"
  cmp -s "$prefix/share/ostrel-email/oxmsend.htm" "$scratch/installed-folder/oxmsend.htm" ||
    fail "the installed window's help page differs from the installed one"
else
  fail "the installed window did not open"
fi
# The build tree's window keeps its own copies.
if first_window "$build/src/app/ostrel" "$build/src/app/ostrel-email" "$scratch/build-folder"; then
  cmp -s "$source_tree/src/ui/resources/help/oxmkey.htm" "$scratch/build-folder/oxmkey.htm" ||
    fail "the build tree's window did not write its own help page"
else
  fail "the build tree's window did not open"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the installation holds every file it should, and its programs start"

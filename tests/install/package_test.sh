#!/usr/bin/env bash
# The Debian package on this machine: builds it from the build tree with
# cpack, checks it with lintian, installs it with apt-get, runs what it
# installed (ostrel --help, the manual page, the completion, the window up
# to its first window), removes it again and checks that the machine's
# packages and files are as they were.
#
#   package_test.sh BUILD_TREE SOURCE_TREE
#
# It must run as root. Outside CI (CI=true) it is skipped (status 77) when it
# is not root, when a tool is missing, or when ostrel-email is installed
# already (it never replaces an installed copy); in CI each of these fails.
set -euo pipefail
build=$(realpath "$1")
source_tree=$(realpath "$2")
# shellcheck source=tests/install/first_window.sh
. "$source_tree/tests/install/first_window.sh"
test_name="package test"

[ "$(id -u)" -eq 0 ] || skip "it installs a package on this machine and must run as root"
for tool in apt-get dpkg dpkg-query dpkg-deb cpack lintian man bash flock; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done
[ -f /usr/share/bash-completion/bash_completion ] || skip "bash-completion is not installed (scripts/setup installs it)"

# One package test on the machine at a time, whichever tree it runs from.
lock_folder=/run/lock
[ -d "$lock_folder" ] || lock_folder=/tmp
exec 9>"$lock_folder/ostrel-email-package-test.lock"
flock -w 1200 9 || {
  echo "package test: another package test held the lock for 20 minutes" >&2
  exit 1
}
# The second letter of the status says whether any of it is on the machine.
status=$(dpkg-query -W -f='${db:Status-Abbrev}' ostrel-email 2>/dev/null || true)
if [ -n "$status" ] && [ "${status:1:1}" != "n" ]; then
  skip "ostrel-email is installed on this machine already, and the test leaves it alone"
fi

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
# apt reads the package as its own unprivileged user.
chmod 0755 "$scratch"
installed=no
packages_now() { dpkg-query -W -f='${binary:Package} ${Version} ${db:Status-Abbrev}\n' | sort; }
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -q -y -o DPkg::Lock::Timeout=600 "$@"; }
cleanup() {
  if [ "$installed" = yes ]; then apt_get purge ostrel-email >/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

packages_now >"$scratch/packages-before"

# The package, built as scripts/package builds it.
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log" >&2
  exit 1
}
debs=("$scratch"/package/*.deb)
[ ${#debs[@]} -eq 1 ] || {
  echo "package test: cpack made ${#debs[@]} packages" >&2
  exit 1
}
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
architecture=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "ostrel-email_${version}_${architecture}.deb" ] ||
  fail "the package is named $(basename "$deb"), not ostrel-email_${version}_${architecture}.deb"
[ "$architecture" = "$(dpkg --print-architecture)" ] || fail "the package is for $architecture"
# The dependencies come from the libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
depended=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libgmime-3.0-0 libcurl4; do
  grep -qxF "$library" <<<"$depended" || fail "the package does not depend on $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 5 ] || fail "the package has no long description"

# lintian: errors fail the test; warnings are shown.
if ! lintian --fail-on error --display-info "$deb" >"$scratch/lintian.log" 2>&1; then
  fail "lintian reports errors:"
fi
cat "$scratch/lintian.log"

apt_get install "$deb" >"$scratch/install.log" 2>&1 || {
  cat "$scratch/install.log" >&2
  exit 1
}
installed=yes
dpkg-query -L ostrel-email | sort >"$scratch/package-paths"

export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
[ "$(command -v ostrel)" = /usr/bin/ostrel ] || fail "ostrel is not /usr/bin/ostrel on the PATH"
ostrel --help >"$scratch/help.txt" || fail "the installed ostrel --help failed"
grep -q '^  check-mail ' "$scratch/help.txt" || fail "the installed ostrel --help lists no mail commands"

# The manual pages, unless this machine keeps no manual pages at all.
if grep -qs 'path-exclude[= ]/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  echo "note: dpkg on this machine leaves manual pages out; man -w is not checked"
else
  [ "$(man -w ostrel)" = /usr/share/man/man1/ostrel.1.gz ] || fail "man -w ostrel finds \"$(man -w ostrel 2>&1)\""
  [ "$(man -w ostrel-email)" = /usr/share/man/man1/ostrel-email.1.gz ] || fail "man -w ostrel-email fails"
  MANPAGER=cat MANWIDTH=80 man ostrel 2>/dev/null | grep -q 'PROGRAM FOLDER' || fail "man ostrel shows no page"
fi

# bash-completion finds the completion where it looks for it.
completion=$(bash -c 'source /usr/share/bash-completion/bash_completion
  __load_completion ostrel
  complete -p ostrel' 2>&1) || true
[ "$completion" = "complete -F _ostrel ostrel" ] || fail "bash-completion does not load the completion: $completion"

# The menu entry, its icon in the icon theme, and the window itself.
[ -f /usr/share/applications/ostrel-email.desktop ] || fail "no menu entry"
[ -f /usr/share/icons/hicolor/48x48/apps/ostrel-email.png ] || fail "no icon in the icon theme"
first_window /usr/bin/ostrel /usr/bin/ostrel-email "$scratch/folder" || fail "the installed window did not open"
cmp -s /usr/share/ostrel-email/oxmover.htm "$scratch/folder/oxmover.htm" ||
  fail "the installed window did not write the installed help page"

# A plain remove, as a person would: the package keeps no configuration, so
# nothing of it may stay behind.
apt_get remove ostrel-email >"$scratch/remove.log" 2>&1 || {
  cat "$scratch/remove.log" >&2
  exit 1
}
installed=no

# Every file the package brought is gone, and so is every package apt-get
# brought along with it.
while read -r path; do
  [ -d "$path" ] && continue
  [ -e "$path" ] && fail "$path is still there after the package was removed"
done <"$scratch/package-paths"
packages_now >"$scratch/packages-after"
brought=$(comm -13 "$scratch/packages-before" "$scratch/packages-after" | cut -d' ' -f1)
if [ -n "$brought" ]; then
  # shellcheck disable=SC2086 # one word a package
  apt_get purge $brought >"$scratch/remove-brought.log" 2>&1 || cat "$scratch/remove-brought.log" >&2
  packages_now >"$scratch/packages-after"
fi
if ! diff -u "$scratch/packages-before" "$scratch/packages-after" >"$scratch/packages.diff"; then
  fail "the machine's packages differ from before the test (- before, + after):"
  cat "$scratch/packages.diff" >&2
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "$(basename "$deb") built, installed, ran and removed; the machine is as it was"

#!/usr/bin/env bash
# Installs the Debian package and checks it as an ordinary user would meet it (run as root):
# the priced report of the bundled example from an empty folder, the report's settings kept in
# the user's ~/.config/kestrel and read by the next run, and the manual page.
#   scripts/check-installed-package.sh PACKAGE.deb [--remove]
# --remove takes the package and the user away again afterwards.
set -euo pipefail
deb="$(realpath "$1")"
remove="${2:-}"
user=kestrel-check
examples=/usr/share/doc/kestrel/examples
[ "$(id -u)" -eq 0 ] || { echo "run as root: it installs the package" >&2; exit 2; }
export DEBIAN_FRONTEND=noninteractive

# Minimal images may leave manual pages and documents out of what dpkg installs; this package's
# own are what is checked.
if grep -rqs '^path-exclude' /etc/dpkg/dpkg.cfg.d/; then
  printf 'path-include=/usr/share/man/man1/kestrel.1.gz\npath-include=/usr/share/doc/kestrel/*\n' \
    > /etc/dpkg/dpkg.cfg.d/zz-kestrel
fi
command -v man >/dev/null || apt-get install -y -qq --no-install-recommends man-db >/dev/null
apt-get install -y -qq "$deb" >/dev/null
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"

fail() { echo "installed check FAILED: $*" >&2; exit 1; }
as_user() { runuser -l "$user" -c "$1"; }

work="$(as_user 'mktemp -d')"
report="$(as_user "cd $work && kestrel bom $examples/office-plan.dxf --prices $examples/office.prc --report -")" \
  || fail "kestrel bom exited with $?"
printf '%s\n' "$report"
grep -q '^  Summary: *2861.90' <<<"$report" || fail "the report is not the priced report"
grep -q '^     chair      89.90          1         Swivel chair      89.90' <<<"$report" \
  || fail "the report lacks its chair line"

# A report that closes its dialog keeps its settings for the user, not beside the module.
as_user "rm -rf ~/.config/kestrel"
as_user "cd $work && kestrel $examples/office-plan.dxf -c ZRBOMC -c $examples/office.prc -c ALL -c '' -c 'CLICK \"&Close\"'" \
  >/dev/null || fail "the report run exited with $?"
as_user 'test -f ~/.config/kestrel/filename.set && test -f ~/.config/kestrel/kestrel2.set' \
  || fail "no settings in ~/.config/kestrel"
[ "$(ls /usr/lib/kestrel)" = kestrel.arx ] || fail "settings were written beside the module"
# The next run takes the price file it kept: an empty answer takes the file proposed.
as_user "cd $work && kestrel $examples/office-plan.dxf -c ZRBOMC -c '' -c ALL -c '' -c 'EXPECT TEXT 214 \"$examples/office.prc\"' -c 'CLICK \"&Close\"'" \
  >/dev/null || fail "the next run did not read the kept price file"
[ -z "$(as_user "ls -A $work")" ] || fail "the runs left files in the folder they ran in"

as_user 'man -w kestrel' >/dev/null || fail "man finds no kestrel page"
as_user 'MANWIDTH=80 man kestrel 2>/dev/null' | grep -q 'kestrel - bill of materials of the block references' || fail "man kestrel shows no manual"
as_user "kestrel --version"
echo "installed check passed: report, settings in ~$user/.config/kestrel, man kestrel"

if [ "$remove" = --remove ]; then
  apt-get remove -y -qq kestrel >/dev/null
  userdel --remove "$user" 2>/dev/null || true
  rm -f /etc/dpkg/dpkg.cfg.d/zz-kestrel
fi

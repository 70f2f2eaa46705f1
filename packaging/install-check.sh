#!/bin/sh
# Installs the Keepgate packages into a throw-away root, checks what they install, starts the installed
# program offscreen to its main window, and runs the installed command line on a fixture.
set -eu

deb=${1:?usage: install-check.sh PACKAGE.deb [CLI-PACKAGE.deb]}
cli_deb=${2:-}
root=$(mktemp -d /tmp/keepgate-install-check-XXXXXX)
trap 'rm -rf "$root"' EXIT INT TERM

fail() {
    echo "install-check: $*" >&2
    exit 1
}

dpkg -x "$deb" "$root"
echo "install-check: unpacked $(basename "$deb") into $root"

for file in \
    usr/bin/keepgate \
    usr/libexec/keepgate/keepgate-install-file \
    usr/share/keepgate/ReadMe.html \
    usr/share/applications/org.keepgate.Keepgate.desktop \
    usr/share/metainfo/org.keepgate.Keepgate.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/org.keepgate.Keepgate.svg \
    usr/share/icons/hicolor/16x16/apps/org.keepgate.Keepgate.png \
    usr/share/icons/hicolor/256x256/apps/org.keepgate.Keepgate.png \
    usr/share/man/man1/keepgate.1.gz \
    usr/share/polkit-1/actions/org.keepgate.install-file.policy \
    usr/share/doc/keepgate/copyright; do
    [ -e "$root/$file" ] || fail "the package lacks /$file"
done

desktop-file-validate "$root/usr/share/applications/org.keepgate.Keepgate.desktop" \
    || fail "the menu entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.keepgate.Keepgate.metainfo.xml" >/dev/null \
    || fail "the AppStream description does not validate"

policy=$root/usr/share/polkit-1/actions/org.keepgate.install-file.policy
xmllint --noout --dtdvalid /usr/share/polkit-1/policyconfig-1.dtd "$policy" || fail "the polkit policy does not validate"
exec_path=$(xmllint --xpath 'string(//action[@id="org.keepgate.install-file"]/annotate[@key="org.freedesktop.policykit.exec.path"])' "$policy")
[ "$exec_path" = /usr/libexec/keepgate/keepgate-install-file ] \
    || fail "the polkit action names \"$exec_path\" instead of the installed helper"
grep -q "<allow_active>auth_admin_keep</allow_active>" "$policy" || fail "the polkit action does not keep the authorization"
config_auth=$(xmllint --xpath 'string(//action[@id="org.keepgate.install-config"]/defaults/allow_active)' "$policy")
[ "$config_auth" = auth_admin ] || fail "a change of the server's configuration does not ask every time"
echo "install-check: menu entry, AppStream description and polkit policy validate"

helper=$root/usr/libexec/keepgate/keepgate-install-file
echo x > "$root/staging"
if "$helper" install "$root/staging" "$root/not-allowed.conf" 2>"$root/helper.err"; then
    fail "the helper replaced a file outside the allowed set"
fi
[ ! -e "$root/not-allowed.conf" ] || fail "the helper wrote a file outside the allowed set"
grep -q refused "$root/helper.err" || fail "the helper did not say why it refused"
echo "install-check: the helper refuses a destination outside the allowed set"

mkdir -p "$root/home/.config" "$root/runtime"
chmod 700 "$root/runtime"
output=$(env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" \
    XDG_RUNTIME_DIR="$root/runtime" QT_QPA_PLATFORM=offscreen "$root/usr/bin/keepgate" --self-test \
    2>"$root/keepgate.err") \
    || fail "the installed program did not reach its main window: $output $(cat "$root/keepgate.err")"
echo "$output" | grep -q "resources: $root/usr/share/keepgate\$" \
    || fail "the installed program reads its resources elsewhere: $output"
echo "install-check: the installed program showed its main window ($output)"

[ -n "$cli_deb" ] || exit 0
dpkg -x "$cli_deb" "$root"
echo "install-check: unpacked $(basename "$cli_deb") into $root"
for file in \
    usr/bin/keepgatectl \
    usr/share/man/man1/keepgatectl.1.gz \
    usr/share/bash-completion/completions/keepgatectl \
    usr/share/keepgate-cli/keepgatectl.schema.json \
    usr/share/doc/keepgate-cli/copyright; do
    [ -e "$root/$file" ] || fail "the command-line package lacks /$file"
done
depends=$(dpkg-deb -f "$cli_deb" Depends)
case $depends in
    *apache2-utils*) ;;
    *) fail "the command-line package does not depend on apache2-utils: $depends" ;;
esac
case $depends in
    *qt* | *pkexec* | *libx*) fail "the command-line package depends on more than it needs: $depends" ;;
esac
if objdump -p "$root/usr/bin/keepgatectl" 2>/dev/null | grep -q 'NEEDED.*Qt'; then
    fail "keepgatectl links Qt"
fi
version=$(env -i PATH=/usr/bin:/bin "$root/usr/bin/keepgatectl" --version) \
    || fail "the installed keepgatectl does not run"
[ "$version" = "keepgatectl 0.7" ] || fail "keepgatectl --version says \"$version\""
printf '# fixture\nalice:$apr1$Kq6yXqXr$0v0Z5mGSVvCv3pqgkGNHm1\nbob:$2y$05$abcdefghijklmnopqrstuu5Q/1sL0bV1A3Y0x3N9T4Q3p1i2x6v8a\n' \
    > "$root/users"
listing=$(env -i PATH=/usr/bin:/bin "$root/usr/bin/keepgatectl" users list "$root/users") \
    || fail "keepgatectl users list failed: $listing"
[ "$(printf '%s\n' "$listing" | head -n 2)" = "$(printf 'alice\tapr1 (MD5)\nbob\tbcrypt')" ] \
    || fail "keepgatectl users list printed: $listing"
echo "install-check: the installed keepgatectl runs ($version) and lists the users of a fixture"

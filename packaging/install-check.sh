#!/bin/sh
# Installs a Keepgate package into a throw-away root, checks what it installs, and starts the installed
# program offscreen to its main window.
set -eu

deb=${1:?usage: install-check.sh PACKAGE.deb}
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

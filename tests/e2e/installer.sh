#!/usr/bin/env bash
# The installer end to end in a fresh Wine prefix: a silent install puts the program, skin, user
# guide, Start-menu shortcut, Run value and uninstall key in place with the project's version;
# the program starts from the shortcut's target and reaches the tray against the virtual
# keyboard; a silent uninstall ends it with "/Kill" and removes all it installed, but never
# the user's profile files in Documents.
set -eu
# Fresh prefix for every run: an install left behind by an earlier run would hide faults.
if [ -n "${TARVOLIN_WINEPREFIX:-}" ] && [ -d "$TARVOLIN_WINEPREFIX" ]; then
  WINEPREFIX=$TARVOLIN_WINEPREFIX wineserver -k 2> /dev/null || true
  WINEPREFIX=$TARVOLIN_WINEPREFIX wineserver -w 2> /dev/null || true
  rm -rf "$TARVOLIN_WINEPREFIX"
fi
source "$(dirname "$0")/program_lib.sh"
build=$(cd "$bin/.." && pwd)
# No menu entries for the host desktop from the shortcut the installer makes.
export XDG_DATA_HOME="$work/xdg"
wine_plain() {  # wine_plain PROGRAM ARGS...: like wine_run, with Wine's menu builder off
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wine "$@"
}
reg_data() {  # reg_data KEY NAME: the data of a registry value, empty when there is none
  wine_plain reg query "$1" /v "$2" 2> /dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name {sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print}'
}
wait_gone() {  # wait_gone WHAT PATH: the uninstaller finishes from a copy in TEMP
  for _ in $(seq 600); do
    [ -e "$2" ] || return 0
    sleep 0.2
  done
  fail "$1 is still there after the uninstall: $2"
}

version=$(sed -n 's/^project(Tarvolin VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
setup=$("$root/installer/make-installer" "$build" "$work/installer" virtual) ||
  fail "the installer was not built"
[ -f "$setup" ] || fail "no installer at $setup"

drive_c="$WINEPREFIX/drive_c"
install_dir="$drive_c/Program Files/Tarvolin"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvolin.lnk"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin'
reset_user

wine_plain "$setup" /S || fail "the silent install failed with code $?"
for file in Tarvolin.exe Halvrin.exe Quorlink.dll vkbhost.exe vkbctl.exe Uninstall.exe Skins/language.ini \
            Help/index.html; do
  [ -f "$install_dir/$file" ] || fail "the install lacks $file"
done
cmp -s "$bin/Tarvolin.exe" "$install_dir/Tarvolin.exe" || fail "the installed Tarvolin.exe differs from the build"
[ "$(find "$install_dir/Skins" -type f | wc -l)" = "$(find "$bin/Skins" -type f | wc -l)" ] ||
  fail "the installed skin lacks files"
[ "$(reg_data "$run_key" Tarvolin)" = '"C:\Program Files\Tarvolin\Tarvolin.exe" /Start' ] ||
  fail "the Run value is '$(reg_data "$run_key" Tarvolin)'"
# The installer, the uninstall key and the program's version resource agree with CMake.
[ "$(reg_data "$uninstall_key" DisplayVersion)" = "$version" ] ||
  fail "DisplayVersion is '$(reg_data "$uninstall_key" DisplayVersion)', the project is $version"
[ -n "$(reg_data "$uninstall_key" UninstallString)" ] || fail "no UninstallString"
python3 - "$install_dir/Tarvolin.exe" "$version.0" <<'PY' || fail "the version resource is not $version.0"
import sys
data = open(sys.argv[1], "rb").read()
key = "ProductVersion\0".encode("utf-16-le")
at = data.find(key)
if at < 0:
    sys.exit("no ProductVersion in the version resource")
at += len(key)
at += at % 4  # the value starts on a 32-bit boundary
end = data.find(b"\0\0", at)
end += (end - at) % 2
value = data[at:end].decode("utf-16-le")
print("version resource:", value)
sys.exit(0 if value == sys.argv[2] else 1)
PY

# The Start-menu shortcut points at the installed program.
[ -f "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
target=$(python3 - "$shortcut" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
at = 0x4C
if flags & 1:  # a target ID list comes first
    at += 2 + struct.unpack_from("<H", data, at)[0]
if not flags & 2:
    sys.exit("the shortcut has no link info")
base = at + struct.unpack_from("<I", data, at + 16)[0]
print(data[base:data.index(b"\0", base)].decode("mbcs" if sys.platform == "win32" else "latin-1"))
PY
) || fail "the shortcut could not be read"
[ "$target" = 'C:\Program Files\Tarvolin\Tarvolin.exe' ] || fail "the shortcut points at '$target'"

# Started from the shortcut's target, the program reaches the tray with the virtual keyboard
# that came with it.
(cd "$work" && exec "$root/scripts/wine-run" "$target") &
started_pids+=($!)
expect_state 90000 "the installed program never showed its window" state 0 visible=1
expect_state 30000 "the installed program never reached the tray" tray tray=141
expect_state 30000 "Halvrin.exe was not started" --exe Halvrin.exe processes count=1
screenshot installer-started

# The user's own files in Documents\Tarvolin: the program's and one of ours.
folder=$(data_folder)
mkdir -p "$folder"
printf 'a profile the user made' > "$folder/My games.prf"
(cd "$folder" && find . -type f -print0 | sort -z | xargs -0 md5sum) > "$work/user-files"

wine_plain "$install_dir/Uninstall.exe" /S || fail "the silent uninstall failed with code $?"
wait_gone "the uninstaller" "$install_dir/Uninstall.exe"
for file in Tarvolin.exe Halvrin.exe Quorlink.dll vkbhost.exe vkbctl.exe Skins Help; do
  wait_gone "$file" "$install_dir/$file"
done
wait_gone "the program folder" "$install_dir"
wait_gone "the Start-menu shortcut" "$shortcut"
expect_state 30000 "Tarvolin.exe is still running after the uninstall" processes count=0
expect_state 30000 "Halvrin.exe is still running after the uninstall" --exe Halvrin.exe processes count=0
[ -z "$(reg_data "$run_key" Tarvolin)" ] || fail "the Run value outlived the uninstall"
wine_plain reg query "$uninstall_key" > /dev/null 2>&1 && fail "the uninstall key outlived the uninstall"
(cd "$folder" && md5sum -c --quiet "$work/user-files") || fail "the user's profile files changed"

# The default installer ships no Quorlink.dll (the vendor's HID service provides it) and, over a
# virtual-keyboard install, takes ours away so it cannot hide the vendor's.
wine_plain "$setup" /S || fail "the second silent install failed with code $?"
release=$("$root/installer/make-installer" "$build" "$work/installer") || fail "the default installer was not built"
wine_plain "$release" /S || fail "the default installer failed with code $?"
[ -f "$install_dir/Tarvolin.exe" ] || fail "the default installer did not install Tarvolin.exe"
for file in Quorlink.dll vkbhost.exe vkbctl.exe; do
  [ -e "$install_dir/$file" ] && fail "the default installer left $file"
done
wine_plain "$install_dir/Uninstall.exe" /S || fail "the second silent uninstall failed with code $?"
wait_gone "the program folder after the default install" "$install_dir"
echo "installer: ok (version $version)"

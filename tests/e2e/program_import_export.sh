#!/usr/bin/env bash
# Import and Export from the menu button, through the common file dialogs: a configuration
# with macros and strings goes in and comes out byte for byte, reaches the keyboard and the
# active profile's file; a damaged file shows the format error naming it, then the import
# failure, and changes nothing.
source "$(dirname "$0")/program_lib.sh"
reset_user
fixture="$(dirname "$0")/../profiles/fixtures/random_five_macros.tvc"

wait_for_file() {  # wait_for_file PATH
  for _ in $(seq 300); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  fail "$1 was not written"
}

start_program
expect_state 60000 "the window did not show" state 0 visible=1
expect_state 30000 "no keyboard" tray tray=141
folder=$(data_folder)
documents=$(td get documents path)
documents_pattern=$(printf '%s' "$documents" | sed 's/\\/\\\\/g')
# The documents folder outlives reset_user: no file of an earlier run may be overwritten.
rm -f "$folder/.."/*.tvc
cp "$fixture" "$folder/../five macros.tvc"
wait_for_file "$folder/\$Profile0"
profile0_before=$(md5sum < "$folder/\$Profile0")
macros_before=$(dump_field macros)
memory_before=$(keyboard_memory)

# Import: the file becomes the configuration, the active profile's file and the keyboard's.
import_file "$documents\\five macros.tvc"
wait_until_idle
expect_state 30000 "Apply is enabled after an import" state 1006 enabled=0
td get msgbox present 2> /dev/null | grep -q 1 && { td msgbox; fail "the import showed a message"; }
cmp -s "$folder/\$Profile0" "$fixture" || fail "the import did not become \$Profile0's file"
[ "$(md5sum < "$folder/\$Profile0")" != "$profile0_before" ] || fail "\$Profile0 is unchanged"
memory_after=$(keyboard_memory)
[ "$memory_after" != "$memory_before" ] || fail "the import did not reach the keyboard"
[ "$(dump_field macros)" != "$macros_before" ] || fail "the import wrote no macros to the keyboard"

# Export: the same bytes come back out.
export_file "$documents\\exported.tvc"
wait_for_file "$folder/../exported.tvc"
cmp "$folder/../exported.tvc" "$fixture" || fail "export does not give back the imported file"

# A damaged file (wrong checksum): two messages, then nothing has changed.
cp "$fixture" "$folder/../damaged.tvc"
printf '\x00' | dd of="$folder/../damaged.tvc" bs=1 seek=31 conv=notrunc 2> /dev/null
import_file "$documents\\damaged.tvc"
expect_state 15000 "no format error" msgbox present=1
td msgbox > "$work/box1"
format_error=$(language_text PROFILE_FORMAT_ERROR)
expect_in "$work/box1" "^text=${format_error%%%s*}$documents_pattern\\\\damaged.tvc$"
screenshot import-format-error
td answer ok
expect_state 15000 "no import failure message" msgbox "text=$(language_text MAIN_PROMPT_INPORT)"
screenshot import-failed
td answer ok
expect_state 15000 "a message stayed" msgbox present=0
wait_until_idle
[ "$(keyboard_memory)" = "$memory_after" ] || fail "the damaged import changed the keyboard"
cmp -s "$folder/\$Profile0" "$fixture" || fail "the damaged import changed \$Profile0"
export_file "$documents\\after damaged.tvc"
wait_for_file "$folder/../after damaged.tvc"
cmp "$folder/../after damaged.tvc" "$fixture" || fail "the damaged import changed the configuration"

# Cancel in the file dialog does nothing.
menu_entry 0
file_dialog_up "Import (cancel)"
td filedialog cancel
file_dialog_gone
td get msgbox present 2> /dev/null | grep -q 1 && fail "Cancel showed a message"
stop_program
echo "program import export: ok"

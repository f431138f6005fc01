# Shared by the end-to-end scripts: a private keyboard state, pipe and traffic log per test.
set -eu
bin=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export TARVOLIN_VKB_STATE="$work/state.bin"
export TARVOLIN_VKB_PIPE="\\\\.\\pipe\\tarvolin-e2e-$$"
export TARVOLIN_VKB_TRAFFIC="$work/traffic.log"
wine_run() { (cd "$bin" && "$root/scripts/wine-run" "$@"); }
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_in() {  # expect_in FILE TEXT
  grep -q -- "$2" "$1" || { echo "--- $1:"; cat "$1"; fail "expected '$2' in $1"; }
}
cleanup_work() { rm -rf "$work"; }

# Sourced by the probe application's test scripts: a scratch folder in $work, removed at
# exit, that holds the XDG data, settings and runtime folders, so that each run starts
# without settings and never meets another test's single-instance lock.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

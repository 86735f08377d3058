#!/usr/bin/env bash
# Runs the benchmark pairs of greenatlas_bench (BM_X_Ours against BM_X_Peer, measured in the
# same run) and prints each figure as ours / peer. With repetitions the medians are compared.
#   tools/bench-ratios.sh [build folder] [benchmark options...]
#   e.g. taskset -c 3 tools/bench-ratios.sh build/release --benchmark_repetitions=5
set -euo pipefail

build=${1:-build/release}
shift || true
bench="$build/bench/greenatlas_bench"
[[ -x $bench ]] || { echo "no benchmark program at $bench: build greenatlas_bench" >&2; exit 1; }

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
"$bench" --benchmark_filter='_(Ours|Peer)' --benchmark_format=json "$@" | python3 -c '
import json, sys
runs = json.load(sys.stdin)["benchmarks"]
# One time per benchmark, in nanoseconds: the median when repeated, the single run otherwise.
scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
single, median = {}, {}
for run in runs:
    time = (run["real_time"] * scale[run["time_unit"]], run["time_unit"])
    if run["run_type"] == "iteration":
        single[run["run_name"]] = time
    elif run["aggregate_name"] == "median":
        median[run["run_name"]] = time
times = median or single
for name, (ours, unit) in times.items():
    peer = times.get(name.replace("_Ours", "_Peer"))
    if "_Ours" in name and peer is not None:
        figure = name.replace("_Ours", "")
        shown = lambda ns: f"{ns / scale[unit]:.4g} {unit}"
        print(f"{figure}: ours {shown(ours)} / peer {shown(peer[0])} = {ours / peer[0]:.2f}")
'

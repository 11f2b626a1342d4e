#!/usr/bin/env bash
# Reads and saves a 10^6-node file with pravik-cli, against cp of the same
# file, in the same run; the ratio of their mean wall times, twice: onto a
# path that does not exist yet, and onto one that does (cp then truncates
# and overwrites it; resave moves it to .bak first). Needs a Release build
# with the benchmarks (bench_sml makes the file) and hyperfine.
#   bash bench/resave_vs_cp.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_sml" --make 1000000 "$work/in.sml"
ls -l "$work/in.sml"
cli="$build/src/cli/pravik-cli"
run() { # label, cp prepare, resave prepare
  hyperfine --warmup 3 --runs 20 -N \
    --command-name cp --prepare "$2" "cp $work/in.sml $work/copy.sml" \
    --command-name resave --prepare "$3" "$cli resave $work/in.sml $work/out.sml" \
    --export-json "$work/times.json" >/dev/null
  python3 - "$1" "$work/times.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[2]))["results"]
cp, resave = r[0], r[1]
print(sys.argv[1])
print(f"  cp      {cp['mean']*1000:7.1f} ms (user {cp['user']*1000:.1f}, sys {cp['system']*1000:.1f})")
print(f"  resave  {resave['mean']*1000:7.1f} ms (user {resave['user']*1000:.1f}, sys {resave['system']*1000:.1f})")
print(f"  ratio   {resave['mean']/cp['mean']:.1f}")
PY
}
run "to a new file" "rm -f $work/copy.sml" "rm -f $work/out.sml $work/out.sml.bak"
run "over an existing file" "cp $work/in.sml $work/copy.sml" \
  "sh -c 'cp $work/in.sml $work/out.sml; rm -f $work/out.sml.bak'"
cmp "$work/in.sml" "$work/out.sml" && echo "resaved file identical to the input"

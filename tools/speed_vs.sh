#!/usr/bin/env bash
# Measures this tree against an earlier revision, side by side in one run, on the generated
# full-size catalogue: the machines are noisy, so what counts is the ratio (earlier / now) of
# figures taken in turn, not a time alone.
#   bash tools/speed_vs.sh REV          # e.g. bash tools/speed_vs.sh 86425e1
# REV is built (Release, benchmarks on) in a worktree of its own under $SPEED_VS_DIR
# (default /tmp/trakvella-speed-vs), this tree in $BUILD (default build/, configured Release with
# the benchmarks). Then it prints:
#   - whole processes: paired runs (earlier and now in turn, the order switching every round) of
#     trakvella-cli info, set read and report --kind 0 of a 50,001-line set list, the three XML and
#     maximum exports, and scan --wav-only of a 100 MB project whose every window holds a code not
#     followed by WAV (outputs compared); median wall and CPU (user + system) time of each, and the
#     median of the rounds' ratios; peak memory of info (/usr/bin/time -v);
#   - the benchmarks of both builds (medians of their repetitions) with their ratios.
# ROUNDS (default 15) sets the paired rounds; the scan has at most 3, the earlier scan being slow.
set -euo pipefail
rev=${1:?usage: speed_vs.sh REV}
here=$(cd "$(dirname "$0")/.." && pwd)
short=$(git -C "$here" rev-parse --short "$rev")
base=${SPEED_VS_DIR:-/tmp/trakvella-speed-vs}/$short
build=$here/${BUILD:-build}
rounds=${ROUNDS:-15}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
export QT_QPA_PLATFORM=offscreen
targets=(trakvella-cli catalogue_bench lists_bench window_bench exports_bench maintenance_bench)

log() { printf '%s\n' "$*" >&2; }

# Both builds, one after the other (never two builds at once on a shared machine).
if [[ ! -d $base ]]; then
  mkdir -p "$(dirname "$base")"
  git -C "$here" worktree add --detach "$base" "$rev" >&2
fi
for tree in "$base:$base/build" "$here:$build"; do
  src=${tree%%:*} out=${tree#*:}
  log "building ${targets[*]} in $out"
  cmake -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRAKVELLA_BUILD_BENCH=ON > /dev/null
  cmake --build "$out" --target "${targets[@]}" > "$out/speed_vs-build.log" 2>&1 ||
    { tail -30 "$out/speed_vs-build.log" >&2; exit 1; }
done

# The inputs: the full-size catalogue, a 50,001-line set list of its tracks, the dense project.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/tools/gen_catalogue.py" --out "$work/catalogue" > /dev/null
mkdir -p "$work/home" "$work/projects"
python3 - "$work" << 'EOF'
import sys, pathlib
work = pathlib.Path(sys.argv[1])
rows = (work / "catalogue/TEXT/KMLB_XLS.txt").read_bytes().decode("cp1251").split("\r\n")
codes = [r[:12] for r in rows if len(r) > 12 and r[12] == "="]
lines = [f"{codes[i % len(codes)]}=DANCE MUSIC >> LINKS, LOGOS & STINGS : {codes[i % len(codes)][:8]},"
         f"Проект {i % 40},Spot" for i in range(50001)]
(work / "set.rq2").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1251"))
# Every 200 bytes a code followed by ".mp3" and dropped bytes, a WAV code every 20,000th.
parts, n, size = [], 0, 0
while size < 100 * 1024 * 1024:
    n += 1
    code = f"KMLB_{n // 20000:03d}_{n % 17:03d}.WAV" if n % 20000 == 0 else f"KMLB_{n * 7 % 1000:03d}_{n % 20:03d}.mp3"
    part = ("C:\\Lib\\" + code).ljust(200, "#")
    parts.append(part)
    size += len(part)
(work / "projects/dense.cpr").write_text("".join(parts))
EOF

before=$base/build/src/trakvella-cli
now=$build/src/trakvella-cli
common=(--home "$work/home" --today 2026-12 --catalogue "$work/catalogue")

# Paired whole-process runs: name, rounds, arguments. Output must be the same for both.
paired() {
  local name=$1 n=$2
  shift 2
  python3 - "$name" "$n" "$before" "$now" "$@" << 'EOF'
import os, statistics, subprocess, sys, time
name, n, before, now, args = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5:]
def run(binary):  # wall time, CPU time (user + system) and output of one run
    start = time.perf_counter()
    p = subprocess.Popen([binary] + args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = p.stdout.read()
    _, _, usage = os.wait4(p.pid, 0)
    return time.perf_counter() - start, usage.ru_utime + usage.ru_stime, out
outs, wall, cpu = {}, {before: [], now: []}, {before: [], now: []}
for r in range(n):
    for b in ([before, now] if r % 2 == 0 else [now, before]):
        w, c, out = run(b)
        wall[b].append(w)
        cpu[b].append(c)
        outs[b] = out
same = "same output" if outs[before] == outs[now] else "OUTPUT DIFFERS"
def ratio(times):
    return statistics.median(a / max(b, 1e-6) for a, b in zip(times[before], times[now]))
ms = lambda times, b: statistics.median(times[b]) * 1000
print(f"{name:<26} wall {ms(wall, before):8.1f} / {ms(wall, now):7.1f} ms {ratio(wall):6.2f}x"
      f"   cpu {ms(cpu, before):8.1f} / {ms(cpu, now):7.1f} ms {ratio(cpu):6.2f}x   ({n} rounds, {same})")
EOF
}

echo "== trakvella-cli whole processes, $short (before) / working tree (now): medians, and the median of the rounds' ratios"
paired "info" "$rounds" "${common[@]}" info
paired "set read (50,001 lines)" "$rounds" "${common[@]}" set read "$work/set.rq2"
paired "report --kind 0 (50,001)" "$rounds" "${common[@]}" report --kind 0 --set "$work/set.rq2" --seed 1
for kind in xml-site xml-desktop maximum; do
  paired "export $kind" "$rounds" "${common[@]}" export "$kind"
done
paired "scan --wav-only (100 MB)" "$((rounds < 3 ? rounds : 3))" --home "$work/home" scan "$work/projects" --wav-only

peak() { /usr/bin/time -v "$@" 2>&1 > /dev/null | awk -F': ' '/Maximum resident/ {print $2}'; }
kb_before=$(peak "$before" "${common[@]}" info)
kb_now=$(peak "$now" "${common[@]}" info)
echo "info peak memory: before ${kb_before} kB, now ${kb_now} kB ($(awk -v a="$kb_before" -v b="$kb_now" 'BEGIN {printf "%.2f", b / a}') of before)"

# The benchmarks: the median of each one's repetitions, real and CPU time.
echo
echo "== Google Benchmark medians, before / now"
bench() {
  local program=$1 filter=$2
  local side
  for side in before now; do
    local binary=$base/build/bench/$program
    [[ $side == now ]] && binary=$build/bench/$program
    local status=0
    "$binary" --benchmark_filter="$filter" --benchmark_format=json 2> /dev/null > "$work/$side.json" || status=$?
    if ((status != 0)); then
      # A program that fails at its end still wrote its figures (86425e1's window_bench ends so).
      if python3 -c 'import json, sys; json.load(open(sys.argv[1]))["benchmarks"][0]' "$work/$side.json" 2> /dev/null; then
        echo "($program of the $side build ended with status $status after writing its figures)"
      else
        echo "$program $filter: the $side build's benchmark failed (status $status)"
        return 0
      fi
    fi
  done
  python3 - "$work/before.json" "$work/now.json" << 'EOF'
import json, sys
def medians(path):
    out = {}
    for b in json.load(open(path))["benchmarks"]:
        name = b.get("run_name", b["name"])
        if b.get("aggregate_name") == "median" or (b.get("run_type") == "iteration" and name not in out):
            out[name] = (b["real_time"], b["cpu_time"], b["time_unit"])
    return out
before, now = medians(sys.argv[1]), medians(sys.argv[2])
for name, (real, cpu, unit) in before.items():
    if name not in now:
        continue
    nreal, ncpu, _ = now[name]
    print(f"{name:<44} real {real:8.2f} / {nreal:7.2f} {unit}  {real / nreal:5.2f}x   cpu {cpu:8.2f} / {ncpu:7.2f} {unit}  {cpu / ncpu:5.2f}x")
EOF
}
bench catalogue_bench 'BM_LoadCatalogue/'
bench lists_bench 'BM_ListTracks/(Popular|Length|Tempo)'
bench window_bench 'BM_StartToReadyOffline'
bench exports_bench '.'
bench maintenance_bench 'BM_Report50001Broadcast'

#!/usr/bin/env bash
# Records what trakvella-cli prints for a fixed list of commands, on the bundled
# sample catalogue and on the generated full-size one, so that a refactoring can
# prove it changed no output:
#   bash tools/cli_snapshot.sh OUT_BEFORE            # before the change
#   bash tools/cli_snapshot.sh OUT_AFTER             # after it
#   diff -r OUT_BEFORE OUT_AFTER && echo identical
# CLI defaults to build/src/trakvella-cli (override with CLI=...).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: cli_snapshot.sh OUTDIR}
cli=${CLI:-build/src/trakvella-cli}
mkdir -p "$out"
gen=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$gen" "$home"' EXIT
python3 tools/gen_catalogue.py --out "$gen" > /dev/null
printf 'KMLB_001_001\nKMLB_003_002\nKMLB_003_005\nKMLB_010_005\nKMLB_437_002\nKMLB_002_001\nKMLB_999_999\n' > "$home/top.txt"

n=0
run() {  # run NAME-PREFIX ARGS... : stdout, stderr and status of one command
  n=$((n + 1))
  local file
  file=$(printf '%s/%03d' "$out" "$n")
  { printf 'cmd:'; printf ' %q' "$@"; printf '\n'; } | sed "s#$gen#GENERATED#g; s#$home#HOME#g" > "$file"
  set +e
  "$cli" --home "$home" --today 2026-12 "$@" >> "$file" 2> "$file.err"
  echo "status=$?" >> "$file"
  set -e
}

for cat in sample generated; do
  if [[ $cat == sample ]]; then
    set --
    cds="KMLB_003 KMLB_005 KMLB_048 KMLB_437 KMLB_815 KMLB_999"
    tracks="KMLB_003_002 KMLB_005_001 KMLB_048_003 KMLB_437_010 KMLB_815_001 KMLB_003_999"
  else
    set -- --catalogue "$gen"
    cds="KMLB_001 KMLB_003 KMLB_010 KMLB_017 KMLB_500 KMLB_999"
    tracks="KMLB_001_001 KMLB_003_002 KMLB_010_005 KMLB_500_010 KMLB_001_999"
  fi
  for lang in en ru; do
    run "$@" --lang $lang info
    run "$@" --lang $lang tags
    run "$@" --lang $lang tree
    run "$@" --lang $lang tree "* ALL LIBRARY"
    run "$@" --lang $lang tree "… CDS BY YEAR" --new-first 0
    run "$@" --lang $lang tree "DANCE MUSIC"
  done
  for cd in $cds; do
    run "$@" cd $cd
    for sort in order popular length tempo; do
      run "$@" tracks $cd --sort $sort --top "$home/top.txt" --seed 7
      run "$@" tracks $cd --sort $sort --reverse --top "$home/top.txt" --seed 7
    done
    run "$@" similar $cd
  done
  for t in $tracks; do
    run "$@" track $t
    for kind in tempo key both; do run "$@" related $t $kind; done
  done
  run "$@" search
  run "$@" search --sfx
  run "$@" search --mood 1,2 --tempo F --style ROCK,POP
  run "$@" search --style ROCK,POP --exact --sort tempo --reverse
  run "$@" search --epoch 1980s,1990s --key 5 --bpm-in 90 --bpm-out 130
  run "$@" search --bpm-in abc --bpm-out xyz --sort length
  run "$@" search --aggressive --background --imaging --area 3
  for p in 0 1 2 3; do run "$@" search --preset $p --sort popular; done
  run "$@" title love
  run "$@" title a --within KMLB_001_001,KMLB_001_002,KMLB_003_001
  run "$@" local
  run "$@" -local info
  run "$@" lucky --seed 3
  run "$@" top "$home/top.txt" --sort order
  run "$@" top "$home/top.txt" --sort tempo --reverse
  run "$@" navigate open:"* ALL LIBRARY" back forward up home tag:ROCK goto:"DANCE MUSIC" favs
  run "$@" navigate open:"DANCE MUSIC" click:"KMLB_003 Промо эффекты" fav:"DANCE MUSIC" favs
  run "$@" bogus
  run "$@" cd KMLB_XYZ
done
echo "$n commands recorded in $out"

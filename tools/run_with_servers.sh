#!/usr/bin/env bash
# Starts the local library servers for a program and then the program itself:
#   bash tools/run_with_servers.sh PROGRAM [ARGUMENTS...]
# The servers write servers.ini into the program folder the program will use
# (the folder "--home DIR" among the arguments names, else the program file's
# own folder), print their endpoints and end with the program.
set -euo pipefail
program=${1:?usage: run_with_servers.sh PROGRAM [ARGUMENTS...]}
shift
home=$(dirname "$program")
args=("$@")
for ((i = 0; i + 1 < ${#args[@]}; i++)); do
  if [[ ${args[i]} == --home ]]; then home=${args[i + 1]}; fi
done
# The servers print "ready" once servers.ini is written, and end with their
# parent: this shell, which becomes the program below.
ready=$(mktemp)
python3 "$(dirname "$0")/library_servers.py" --home "$home" > "$ready" &
for _ in $(seq 1 100); do grep -q '^ready$' "$ready" && break; sleep 0.1; done
cat "$ready"
rm -f "$ready"
exec "$program" "$@"

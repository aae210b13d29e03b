#!/usr/bin/env bash
# The installed program, as users get it: checks what `cmake --install` puts
# where, builds the Debian package, validates the desktop entry, the metainfo
# and the package (lintian errors fail), installs the package into this machine
# with apt-get, starts both installed programs from empty homes (as root and as
# an ordinary user), starts the program from its desktop entry under Xvfb, and
# removes the package again. Run by tools/test.sh on its build folder, which it
# configures with the install prefix /usr; needs root and the tools
# tools/install-packages.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
id=example.kmlb_library.Trakvella
user=65534  # an ordinary user: nobody
as_user=(setpriv --reuid=$user --regid=$user --clear-groups)

fail() {
  echo "package test: FAILED: $*" >&2
  exit 1
}
step() { echo "package test: $*"; }

if [[ $(id -u) != 0 ]]; then
  echo "package test: skipped (installing a package needs root)"
  exit 0
fi
grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' "$build/CMakeCache.txt" ||
  fail "$build is not configured with -DCMAKE_INSTALL_PREFIX=/usr"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

scratch=$(mktemp -d)
chmod 755 "$scratch"
installed=0
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  if ((installed)); then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 trakvella > /dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# A home of the ordinary user's own, empty.
new_home() {
  local home
  home=$(mktemp -d -p "$scratch")
  chmod 755 "$home"
  chown $user:$user "$home"
  echo "$home"
}
mode_of() { stat -c %a "$1"; }

# --- The install rule ----------------------------------------------------------------------------------
step "cmake --install"
cmake --build "$build" --target trakvella trakvella-cli packaging_files > /dev/null
stage=$scratch/stage
cmake --install "$build" --prefix "$stage/usr" > /dev/null
share=$stage/usr/share
for file in bin/trakvella bin/trakvella-cli share/man/man1/trakvella.1.gz share/man/man1/trakvella-cli.1.gz \
  share/applications/$id.desktop share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/doc/trakvella/README.md share/doc/trakvella/CLI.md share/doc/trakvella/copyright \
  share/doc/trakvella/changelog.gz; do
  [[ -f $stage/usr/$file ]] || fail "cmake --install puts no $file"
done
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not $size x $size: $(file -b "$png")"
done
# The release notes name this version, and the man page of trakvella-cli its commands.
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release notes for $version"
grep -q "^trakvella ($version)" <(zcat "$share/doc/trakvella/changelog.gz") || fail "the changelog does not start at $version"
zcat "$share/man/man1/trakvella-cli.1.gz" | grep -q 'set read FILE' || fail "trakvella-cli.1 lists no commands"

# --- The package ---------------------------------------------------------------------------------------
step "cpack -G DEB"
(cd "$build" && cpack -G DEB > /dev/null)
deb_name=trakvella_${version}_$(dpkg --print-architecture).deb
deb=$build/package/$deb_name
[[ -f $deb ]] || fail "cpack made no $deb_name"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libcurl4 libarchive13 libsndfile1 gstreamer1.0-plugins-good qt6-translations-l10n; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
step "lintian"
lintian_status=0
lintian --fail-on error "$deb" > "$scratch/lintian" 2>&1 || lintian_status=$?
grep -v 'root privileges' "$scratch/lintian" || true
((lintian_status == 0)) || fail "lintian found errors"

# --- Installed into this machine ------------------------------------------------------------------------
step "apt-get install ./$deb_name"
if dpkg-query -W -f='${Status}' trakvella 2> /dev/null | grep -q "install ok installed"; then
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 trakvella > /dev/null
fi
installed=1
(cd "$build/package" && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 \
  "./$deb_name" > /dev/null)
[[ -x /usr/bin/trakvella && -x /usr/bin/trakvella-cli ]] || fail "the package installed no programs"
desktop-file-validate /usr/share/applications/$id.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml || fail "appstreamcli validate"
# The desktop's databases took the set list file type and gave it to the program.
grep -q ':\*\.rq2$' /usr/share/mime/globs2 && grep -q 'x-trakvella-set-list' /usr/share/mime/globs2 ||
  fail "the mime database does not know *.rq2"
grep -q "^application/x-trakvella-set-list=.*$id.desktop" /usr/share/applications/mimeinfo.cache ||
  fail "set list files do not open the program"
# What a program would write beside itself, were it not installed.
nothing_in_bin() {
  for name in trakvella.ini audio errors.log; do [[ ! -e /usr/bin/$name ]] || fail "the program wrote /usr/bin/$name"; done
}

step "trakvella-cli info from empty homes"
for who in root user; do
  home=$(new_home)
  run=(env -u XDG_DATA_HOME HOME="$home")
  [[ $who == user ]] && run=("${as_user[@]}" "${run[@]}")
  out=$(cd / && "${run[@]}" /usr/bin/trakvella-cli --lang en info) || fail "trakvella-cli info as $who"
  grep -q '^cds=[1-9]' <<< "$out" || fail "trakvella-cli info as $who printed no CDs: $out"
  [[ $(mode_of "$home/.local/share/trakvella") == 700 ]] || fail "the data folder of $who is not 0700"
done
nothing_in_bin

step "trakvella (offscreen) with a set list file, as an ordinary user"
home=$(new_home)
printf 'KMLB_005_002=Sale,-,-\r\n' > "$home/opened.rq2"
data=$home/.local/share/trakvella
(cd / && exec "${as_user[@]}" env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
  /usr/bin/trakvella -local "$home/opened.rq2" > "$scratch/offscreen.log" 2>&1) &
pid=$!
pids+=("$pid")
for _ in $(seq 200); do [[ -d $data/audio ]] && break; sleep 0.1; done
[[ -d $data/audio ]] || fail "the program made no data folder: $(cat "$scratch/offscreen.log")"
sleep 4  # the library loads and the set list file joins the set
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
((status == 0)) || fail "the program ended with status $status: $(cat "$scratch/offscreen.log")"
[[ $(mode_of "$data") == 700 ]] || fail "the data folder is not 0700"
grep -aq '^musicset/KMLB_005_002=Sale' "$data/trakvella.ini" || fail "the opened set list is not in the settings"
nothing_in_bin

step "trakvella from its desktop entry under Xvfb"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$scratch/display" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $scratch/display ]] && break; sleep 0.1; done
[[ -s $scratch/display ]] || fail "Xvfb did not start"
display=:$(cat "$scratch/display")
home=$(new_home)
data=$home/.local/share/trakvella
mkdir -p "$data"
chown -R $user:$user "$home/.local"
# The local library servers stand in for the web site, so the update check finds no update.
python3 tools/library_servers.py --home "$data" --max-tracks 1 > "$scratch/servers" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q '^ready$' "$scratch/servers" && break; sleep 0.1; done
(cd / && exec "${as_user[@]}" env -u XDG_DATA_HOME HOME="$home" DISPLAY="$display" \
  dex --wait /usr/share/applications/$id.desktop > "$scratch/dex.log" 2>&1) &
dex=$!
pids+=("$dex")
program=
for _ in $(seq 200); do
  program=$(pgrep -P "$dex" -x trakvella || true)
  [[ -n $program ]] && DISPLAY=$display xdotool search --onlyvisible --classname '^trakvella$' > /dev/null 2>&1 && break
  sleep 0.1
done
[[ -n $program ]] || fail "the desktop entry started no program: $(cat "$scratch/dex.log")"
pids+=("$program")
DISPLAY=$display xdotool search --onlyvisible --classname '^trakvella$' > /dev/null ||
  fail "the program started from its desktop entry shows no window"
if [[ -n ${SCREENSHOT:-} ]]; then  # SCREENSHOT=FILE.png keeps the screen (needs ImageMagick's import)
  sleep 6
  DISPLAY=$display import -window root "$SCREENSHOT"
fi
kill -TERM "$program"
wait "$dex" || true
[[ -f $data/trakvella.ini ]] || fail "the program started from its desktop entry kept no settings"

step "apt-get purge trakvella"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 trakvella > /dev/null
installed=0
[[ ! -e /usr/bin/trakvella && ! -e /usr/share/applications/$id.desktop ]] || fail "the package left files behind"
step "passed"

#!/bin/bash
# Runs the real game as installed: from an empty folder, with every player
# folder under a scratch HOME and the install tree read-only.
# usage: run.sh BUILD_DIR BINDIR DATADIR WORK
set -u
build=$1 bindir=$2 datadir=$3 work=$4

fail() { echo "FAILED: $*"; [ -f "$work/stderr" ] && cat "$work/stderr"; exit 1; }

chmod -R u+w "$work" 2>/dev/null
rm -rf "$work"
mkdir -p "$work/cwd" "$work/runtime" "$work/home/config/vexorin"
prefix=$work/prefix
share=$prefix/$datadir/vexorin
cmake --install "$build" --prefix "$prefix" >/dev/null 2>&1
printf '1\n640\n480\n32' >"$work/home/config/vexorin/config.dat"
chmod -R a-w "$prefix"
(cd "$prefix" && find . -printf '%p %s %T@\n' | sort) >"$work/tree-before"

# Becomes the game itself, so call it in a subshell or in the background.
run() {
    cd "$work/cwd" && exec env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
        XDG_DATA_HOME="$work/home/data" XDG_STATE_HOME="$work/home/state" XDG_RUNTIME_DIR="$work/runtime" \
        "$@"
}
game=$prefix/$bindir/vexorin

(run "$game" --version) >"$work/out" 2>"$work/stderr" || fail "--version"
[ "$(cat "$work/out")" = "Vexorin 2.0.0" ] || fail "--version printed $(cat "$work/out")"
(run "$game" --help) >"$work/out" 2>"$work/stderr" || fail "--help"
grep -q -- "--windowed" "$work/out" || fail "--help shows no usage"
(run "$game" --fullscreen) >"$work/out" 2>"$work/stderr"
[ $? -eq 2 ] && [ ! -s "$work/out" ] && grep -q "^usage: vexorin" "$work/stderr" || fail "a bad option"
(run "$game" --data "$work/runtime") 2>"$work/stderr"
[ $? -eq 1 ] && grep -q "$work/runtime.*data/TEXTURE.VXR is missing" "$work/stderr" || fail "--data without data"

start=$(date +%s)
(run timeout 5 "$game") 2>"$work/stderr"
status=$?
[ $status -eq 1 ] || fail "with no display the game ended with $status"
[ "$(cat "$work/stderr")" = "Vexorin needs a graphical display (X11 or Wayland); none was found." ] ||
    fail "with no display the game said something else"
[ $(($(date +%s) - start)) -le 5 ] || fail "with no display the game took too long"
[ ! -e "$work/home/state" ] || fail "with no display the game made the player's folders"

run SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$game" 2>"$work/stderr" &
pid=$!
log=$work/home/state/vexorin/applog.txt
for _ in $(seq 600); do
    grep -q "Attempt to Initialize new Created GL Window PASSED" "$log" 2>/dev/null && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
grep -q "Attempt to Initialize new Created GL Window PASSED" "$log" 2>/dev/null || fail "the game did not start"
# The intro runs for a moment before the signal.
sleep 1
kill -0 $pid 2>/dev/null || fail "the game ended by itself"
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || fail "after SIGTERM the game ended with $status"

[ "$(head -1 "$log")" = "vexorin Log" ] || fail "applog.txt was not written"
! grep messagebox "$work/stderr" || fail "the first start showed message boxes"
[ -f "$work/home/config/vexorin/config.dat" ] || fail "config.dat is gone"
cmp -s "$share/SCORES.VXR" "$work/home/data/vexorin/SCORES.VXR" || fail "the player's scores are not the default table"
for folder in data/vexorin state/vexorin; do
    [ "$(stat -c %a "$work/home/$folder")" = 700 ] || fail "$folder is not private"
done
[ -z "$(ls -A "$work/cwd")" ] || fail "the game wrote into the current folder: $(ls -A "$work/cwd")"
(cd "$prefix" && find . -printf '%p %s %T@\n' | sort) >"$work/tree-after"
cmp -s "$work/tree-before" "$work/tree-after" || fail "the game changed the install tree"
# A signal while the settings window is up closes it, and the game does not start.
printf '0\n640\n480\n32' >"$work/home/config/vexorin/config.dat"
run SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$game" 2>"$work/stderr" &
pid=$!
sleep 2
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || fail "after SIGTERM in the settings window the game ended with $status"
! grep -q "display state" "$log" || fail "the game started after SIGTERM in the settings window"

chmod -R u+w "$work"
echo "installed game: all checks passed"

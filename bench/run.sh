#!/usr/bin/env bash
# The game against a bare Qt window, on an X server of its own (Xvfb):
#
#   bash bench/run.sh [RUNS]            (default 7 start-ups each, 3 countdowns)
#   bash bench/run.sh --windows [RUNS]  only the rows of tavri.exe under Wine
#   bash bench/run.sh --web [RUNS]      only the rows of the page (bench/web_page.py)
#
# Start-up: process start to the first drawing in the first window, seen from
# outside by bench/first_frame (X DAMAGE), for the real program (before its
# activation notice is answered) and for bench/tavri_baseline, alternating.
# Peak memory: VmHWM one second after that first frame; and after ten games
# played through the game's windows by bench/game_harness. Countdown: the
# harness starts a game and leaves the first problem alone until it times out
# with the real QTimer; meanwhile the bare window idles beside it, and both
# processes' CPU time is read. Save: 75 records written back, flushed and
# renamed into place, on this machine's disk.
#
# tavri.exe under Wine (mingw-w64 build, same X server): process start to the
# first drawing in its first window, against bench/baseline_win32.exe, a bare
# Win32 window built the same way; the peak memory of each; and the
# countdown's clock (bench/countdown_win32.exe) timing out a problem left
# alone, which must come at 22.000 s +- 0.020.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# The page in headless Chromium: no X server needed.
if [ "${1:-}" = "--web" ]; then
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$root/build-web" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$root/build-web" -j 2 --target tavri_web >/dev/null
  exec /usr/bin/python3 "$root/bench/web_page.py" "$root/build-web/web/tavri" \
    "$(command -v chromium)" "$(command -v chromedriver)" "${2:-15}"
fi
only_windows=""
if [ "${1:-}" = "--windows" ]; then
  only_windows=1
  shift
fi
runs="${1:-7}"
build="$root/build"
winbuild="$root/build-windows"

# The Windows rows; DISPLAY is an X server of the benchmark's own.
windows_rows() {
  export WINEPREFIX="$winbuild/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local wine=/usr/lib/wine/wine64
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  "$wine" cmd /c exit >/dev/null 2>&1 || true
  # Managed windows, as on a desktop: the watcher skips override-redirect ones,
  # which is what Wine makes of unmanaged windows.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 || true
  local game="$winbuild/src/tavri.exe" bare="$winbuild/bench/baseline_win32.exe"
  # The results file of the runs stays in the build folder, beside tavri.exe.
  LANG=ja_JP.UTF-8 "$build/bench/first_frame" 200 "$wine" "$game" >/dev/null
  "$build/bench/first_frame" 200 "$wine" "$bare" >/dev/null
  for _ in $(seq "$runs"); do
    LANG=ja_JP.UTF-8 "$build/bench/first_frame" 1000 "$wine" "$game" >>"$out/win-game-start"
    "$build/bench/first_frame" 1000 "$wine" "$bare" >>"$out/win-baseline-start"
  done
  "$wine" "$winbuild/bench/countdown_win32.exe" 3 >"$out/win-countdown"
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  python3 - "$out" "$runs" <<'PYEOF'
import re, statistics, sys, pathlib
out = pathlib.Path(sys.argv[1])
def values(name, key):
    return [float(v) for v in re.findall(rf"{key}=([-0-9.]+)", (out / name).read_text())]
g_start, b_start = statistics.median(values("win-game-start", "startup_ms")), statistics.median(values("win-baseline-start", "startup_ms"))
g_peak = statistics.median(values("win-game-start", "peak_kib")) / 1024
b_peak = statistics.median(values("win-baseline-start", "peak_kib")) / 1024
timeouts = values("win-countdown", "timeout_s")
worst = max(values("win-countdown", "worst_tick_ms"))
print(f"\ntavri.exe under Wine: medians of {sys.argv[2]} start-ups each; countdown time-outs: "
      f"{', '.join(f'{t:.4f}' for t in timeouts)} s, worst tick {worst:.2f} ms from its due time.\n")
print("| measure | tavri.exe | bare Win32 window | tavri / bare |")
print("|---|---|---|---|")
print(f"| start-up to first frame (ms) | {g_start:.1f} | {b_start:.1f} | {g_start / b_start:.2f} |")
print(f"| peak memory after start-up (MiB) | {g_peak:.1f} | {b_peak:.1f} | {g_peak / b_peak:.2f} |")
ok = all(abs(t - 22) <= 0.02 for t in timeouts)
print(f"| time-out after the problem began (s) | {statistics.median(timeouts):.4f} | - | target 22.000 +- 0.020: {'met' if ok else 'NOT met'} |")
PYEOF
}

if [ -z "${TAVRI_BENCH_INSIDE:-}" ]; then
  bash "$root/scripts/setup.sh"
  if [ -n "$only_windows" ]; then
    # The X watcher alone, without configuring the Qt side.
    mkdir -p "$build/bench"
    g++ -O2 -std=c++20 "$root/bench/first_frame.cpp" -lX11 -lXdamage -o "$build/bench/first_frame"
  else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j 2 --target tavri tavri_baseline first_frame game_harness >/dev/null
  fi
  cmake -S "$root" -B "$winbuild" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$winbuild" -j 2 --target tavri baseline_win32 countdown_win32 >/dev/null
  if [ -n "$only_windows" ]; then set -- --windows "$@"; fi
  # dbus-run-session: Qt would otherwise start a D-Bus daemon of its own.
  exec env TAVRI_BENCH_INSIDE=1 dbus-run-session -- bash "$0" "$@" 2> >(grep -v -E 'XDG_RUNTIME_DIR|dbus-daemon' >&2)
fi

out="$(mktemp -d)"
# Xvfb picks a free display itself (other sessions may run their own) and
# writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$out"' EXIT
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")" QT_QPA_PLATFORM=xcb

if [ -n "$only_windows" ]; then
  windows_rows
  exit 0
fi

game="$build/src/tavri"
baseline="$build/bench/tavri_baseline"

# A first run of each warms the disk cache; it is not counted.
"$build/bench/first_frame" 200 "$game" >/dev/null
"$build/bench/first_frame" 200 "$baseline" >/dev/null
for _ in $(seq "$runs"); do
  "$build/bench/first_frame" 1000 "$game" >>"$out/game-start"
  "$build/bench/first_frame" 1000 "$baseline" >>"$out/baseline-start"
done
for _ in 1 2 3; do
  "$build/bench/game_harness" games 10 >>"$out/game-games"
done

# CPU time of a process so far, in nanoseconds (the scheduler's count).
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
for _ in 1 2 3; do
  "$baseline" &
  bare=$!
  timeout 10 xdotool search --sync --onlyvisible --pid "$bare" >/dev/null 2>&1 || true
  before="$(cpu_ns "$bare")"
  started="$(date +%s.%N)"
  "$build/bench/game_harness" countdown >>"$out/game-countdown"
  after="$(cpu_ns "$bare")"
  ended="$(date +%s.%N)"
  kill "$bare"
  wait "$bare" 2>/dev/null || true
  awk -v a="$after" -v b="$before" -v e="$ended" -v s="$started" \
    'BEGIN { printf "cpu_percent=%.4f\n", 100 * (a - b) / 1e9 / (e - s) }' >>"$out/baseline-idle"
done
"$build/bench/game_harness" save 25 >"$out/game-save"

python3 - "$out" <<'EOF'
import re, statistics, sys, pathlib
out = pathlib.Path(sys.argv[1])
def values(name, key):
    text = (out / name).read_text()
    return [float(v) for v in re.findall(rf"{key}=([-0-9.]+)", text)]
def med(name, key):
    return statistics.median(values(name, key))
g_start, b_start = med("game-start", "startup_ms"), med("baseline-start", "startup_ms")
g_peak, b_peak = med("game-start", "peak_kib") / 1024, med("baseline-start", "peak_kib") / 1024
g_games = med("game-games", "peak_kib") / 1024
g_cpu, b_cpu = med("game-countdown", "cpu_percent"), med("baseline-idle", "cpu_percent")
timeouts = values("game-countdown", "timeout_s")
save = med("game-save", "save_ms_median")
rows = [
    ("start-up to first frame (ms)", f"{g_start:.1f}", f"{b_start:.1f}", f"{g_start / b_start:.2f}", "<= 1.30", g_start <= 1.3 * b_start),
    ("peak memory after start-up (MiB)", f"{g_peak:.1f}", f"{b_peak:.1f}", f"{g_peak / b_peak:.2f}", f"<= {b_peak + 15:.1f}", g_peak <= b_peak + 15),
    ("peak memory after 10 games (MiB)", f"{g_games:.1f}", f"{b_peak:.1f}", f"{g_games / b_peak:.2f}", f"<= {b_peak + 15:.1f}", g_games <= b_peak + 15),
    ("CPU while the countdown runs (% of a core)", f"{g_cpu:.3f}", f"{b_cpu:.3f}", "-", "< 0.5", g_cpu < 0.5),
    ("time-out after the problem began (s)", f"{statistics.median(timeouts):.3f}", "-", "-", "22.000 +- 0.020", all(abs(t - 22) <= 0.02 for t in timeouts)),
    ("save of 75 records, flushed (ms)", f"{save:.2f}", "-", "-", "-", True),
]
print(f"Medians of {len(values('game-start', 'startup_ms'))} start-ups each, 3 games runs, 3 countdowns "
      f"(time-outs: {', '.join(f'{t:.3f}' for t in timeouts)} s), 25 saves.\n")
print("| measure | game | bare window | game / bare | target | met |")
print("|---|---|---|---|---|---|")
for name, game, bare, ratio, target, ok in rows:
    print(f"| {name} | {game} | {bare} | {ratio} | {target} | {'yes' if ok else 'NO'} |")
EOF
windows_rows

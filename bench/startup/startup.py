"""Start-up and memory of the client beside its yardsticks, run after run on one X display.

For each run, in turn: the client, a bare Qt Widgets window, a bare browser view and chromium
--app, all on the same splash.htm. Measured from process start: the first picture on the screen
(the client's start-up picture), the main window, the page loaded; then, a second after the
page, the RSS and PSS of the whole process tree. Prints every run, the medians and the ratios.

Qt programs report their own milestones (first expose of a window, load finished); chromium is
watched from the X server (its window mapped, its title set to the page's). PSS shares pages
with every process that maps them: a run during which other programs on the machine map the
engine's library is marked, since the tree's share of that library is then smaller.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from benchsupport import engine_mappers_outside, memory_mib, stop, tree  # noqa: E402

BIN = sys.argv[1]
RUNS = int(sys.argv[2])
PAGE = os.path.join(BIN, "splash.htm")
PAGE_TITLE = "Welcome to Vellomar Chat"
SETTLE_S = 1.0


def now_ms():
    return time.time() * 1000.0


def load_average():
    with open("/proc/loadavg") as f:
        return float(f.read().split()[0])


def settle_and_measure(proc):
    time.sleep(SETTLE_S)
    pids = tree(proc.pid)
    m = memory_mib(pids)
    return m["Rss"], m["Pss"], engine_mappers_outside(pids)


class Run:
    def __init__(self, picture, window, page, rss, pss, sharers):
        self.values = [picture, window, page, rss, pss]
        self.sharers = sharers


def run_traced(command, picture_mark, needs_page=True):
    env = dict(os.environ, VELLOMAR_TRACE_STARTUP="1")
    config = tempfile.mkdtemp()
    env["VELLOMAR_CONFIG_DIR"] = config
    env["XDG_CONFIG_HOME"] = config
    # The single-instance lock too: another client running on the machine would end this one.
    env["XDG_CACHE_HOME"] = config
    env.pop("XDG_RUNTIME_DIR", None)
    start = now_ms()
    proc = subprocess.Popen(command, env=env, cwd="/",
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    killer = threading.Timer(60, proc.kill)  # never wait forever for a mark
    killer.start()
    wanted = {"main-shown"} | ({"page-loaded"} if needs_page else set())
    marks = {}
    while not wanted <= marks.keys():
        line = proc.stderr.readline()
        if not line:
            raise RuntimeError(f"{command[0]} ended before its marks: {marks}")
        if line.startswith("vellomar-trace "):
            _, name, stamp = line.split()
            marks[name] = float(stamp) - start
    killer.cancel()
    # Keep reading, so the program never blocks on a full pipe.
    threading.Thread(target=proc.stderr.read, daemon=True).start()
    measured = settle_and_measure(proc)
    stop(proc)
    shutil.rmtree(config, ignore_errors=True)
    return Run(marks[picture_mark], marks["main-shown"], marks.get("page-loaded"), *measured)


def run_chromium():
    profile = tempfile.mkdtemp()
    watch = subprocess.Popen([os.path.join(BIN, "bench_window_watch"), "chromium", PAGE_TITLE],
                             stdout=subprocess.PIPE, text=True)
    if watch.stdout.readline().strip() != "ready":
        raise RuntimeError("the window watcher did not start")
    args = ["chromium", "--app=file://" + PAGE, "--user-data-dir=" + profile, "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--disable-gpu", "--disable-quic", "--window-size=746,538"]
    if os.geteuid() == 0:
        args.append("--no-sandbox")
    start = now_ms()
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    killer = threading.Timer(60, watch.kill)
    killer.start()
    marks = {}
    for line in watch.stdout:
        name, stamp = line.split()
        marks[name] = float(stamp) - start
    killer.cancel()
    watch.wait()
    if "titled" not in marks:
        raise RuntimeError(f"chromium did not show the page: {marks}")
    measured = settle_and_measure(proc)
    stop(proc)
    shutil.rmtree(profile, ignore_errors=True)
    return Run(marks["mapped"], marks["mapped"], marks["titled"], *measured)


PROGRAMS = [
    ("vellomar", lambda: run_traced([os.path.join(BIN, "vellomar")], "splash-shown")),
    ("bare Qt window", lambda: run_traced([os.path.join(BIN, "bench_bare_window")], "main-shown",
                                          needs_page=False)),
    ("bare browser view", lambda: run_traced([os.path.join(BIN, "bench_bare_webview"), PAGE], "main-shown")),
    ("chromium --app", run_chromium),
]
COLUMNS = ["picture ms", "window ms", "page ms", "RSS MiB", "PSS MiB"]


def cell(value):
    return f"{value:>11.0f}" if value is not None else f"{'-':>11}"


def header(first):
    return f"{first:<20}" + "".join(f"{c:>11}" for c in COLUMNS)


def main():
    results = {name: [] for name, _ in PROGRAMS}
    print(header("run"))
    for number in range(1, RUNS + 1):
        load = load_average()
        for name, run in PROGRAMS:
            r = run()
            results[name].append(r)
            shared = f"  ({r.sharers} other engine processes)" if r.sharers else ""
            print(f"{number:>2} {name:<17}" + "".join(cell(v) for v in r.values) + f"   load {load:.1f}{shared}",
                  flush=True)

    medians = {}
    for name, _ in PROGRAMS:
        columns = zip(*(r.values for r in results[name]))
        medians[name] = [statistics.median(c) if None not in c else None for c in map(list, columns)]
    print(f"\nmedians over {RUNS} runs, from process start")
    print(header(""))
    for name, _ in PROGRAMS:
        print(f"{name:<20}" + "".join(cell(v) for v in medians[name]))

    client, bare, chromium = medians["vellomar"], medians["bare Qt window"], medians["chromium --app"]
    print("\nratios of the medians")
    print(f"  vellomar first picture / bare Qt window      {client[0] / bare[1]:.2f}   (goal <= 1.5)")
    print(f"  vellomar main window / chromium --app window {client[1] / chromium[1]:.2f}   (goal <= 0.6)")
    print(f"  vellomar page loaded / chromium --app page   {client[2] / chromium[2]:.2f}   (goal <= 0.7)")
    print(f"  vellomar tree PSS / chromium --app tree PSS  {client[4] / chromium[4]:.2f}   (goal <= 0.55)")
    print(f"  vellomar tree RSS / chromium --app tree RSS  {client[3] / chromium[3]:.2f}")


main()

"""Measures process start -> splash shown -> main window shown -> splash.htm loaded, and the
process tree's RSS and PSS after the load, for the client, a bare browser-view window and
chromium --app."""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

BIN = sys.argv[1]
RUNS = int(sys.argv[2])
PAGE = os.path.join(BIN, "splash.htm")
PAGE_TITLE = "Welcome to Vellomar Chat"


def now_ms():
    return time.time() * 1000.0


def tree(pid):
    """The pid and all its descendants."""
    pids, todo = [], [pid]
    while todo:
        p = todo.pop()
        pids.append(p)
        try:
            with open(f"/proc/{p}/task/{p}/children") as f:
                todo.extend(int(c) for c in f.read().split())
        except OSError:
            pass
    return pids


def memory_mib(pid):
    rss = pss = 0
    for p in tree(pid):
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Rss:"):
                        rss += int(line.split()[1])
                    elif line.startswith("Pss:"):
                        pss += int(line.split()[1])
        except OSError:
            pass
    return rss / 1024.0, pss / 1024.0


def window_named(name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def wait_for(check, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        value = check()
        if value:
            return value
        time.sleep(0.005)
    raise RuntimeError("timed out")


def stop(proc):
    for p in reversed(tree(proc.pid)):
        try:
            os.kill(p, signal.SIGTERM)
        except OSError:
            pass
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def run_traced(command):
    env = dict(os.environ, VELLOMAR_TRACE_STARTUP="1")
    config = tempfile.mkdtemp()
    env["VELLOMAR_CONFIG_DIR"] = config
    env["XDG_CONFIG_HOME"] = config
    start = now_ms()
    proc = subprocess.Popen(command, env=env, cwd="/",
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    killer = threading.Timer(60, proc.kill)  # never wait forever for a mark
    killer.start()
    marks = {}
    while "page-loaded" not in marks or "main-shown" not in marks:
        line = proc.stderr.readline()
        if not line:
            raise RuntimeError(f"{command[0]} ended before its marks: {marks}")
        if line.startswith("vellomar-trace "):
            _, name, stamp = line.split()
            marks[name] = float(stamp) - start
    killer.cancel()
    time.sleep(1.0)
    rss, pss = memory_mib(proc.pid)
    stop(proc)
    shutil.rmtree(config, ignore_errors=True)
    return marks.get("splash-shown"), marks["main-shown"], marks["page-loaded"], rss, pss


def run_chromium():
    profile = tempfile.mkdtemp()
    args = ["chromium", "--app=file://" + PAGE, "--user-data-dir=" + profile, "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--disable-gpu", "--disable-quic", "--window-size=746,538"]
    if os.geteuid() == 0:
        args.append("--no-sandbox")
    start = now_ms()
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The app window carries the page's title once the page has loaded.
    shown = loaded = None
    def poll():
        nonlocal shown, loaded
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "chromium"],
                             capture_output=True, text=True).stdout.split()
        if out and shown is None:
            shown = now_ms() - start
        if out and window_named(PAGE_TITLE):
            loaded = now_ms() - start
        return loaded
    wait_for(poll)
    time.sleep(1.0)
    rss, pss = memory_mib(proc.pid)
    stop(proc)
    shutil.rmtree(profile, ignore_errors=True)
    return None, shown, loaded, rss, pss


def report(name, rows):
    def med(i):
        values = [r[i] for r in rows if r[i] is not None]
        return f"{statistics.median(values):8.0f}" if values else "       -"
    print(f"{name:<22}{med(0)} ms {med(1)} ms {med(2)} ms {med(3)} MiB {med(4)} MiB")


def main():
    client, bare, chromium = [], [], []
    for _ in range(RUNS):
        client.append(run_traced([os.path.join(BIN, "vellomar")]))
        bare.append(run_traced([os.path.join(BIN, "bench_bare_webview"), PAGE]))
        chromium.append(run_chromium())
    print(f"medians over {RUNS} runs, from process start")
    print(f"{'':<22}{'splash':>11} {'window':>11} {'page':>11} {'RSS':>12} {'PSS':>12}")
    report("vellomar", client)
    report("bare browser view", bare)
    report("chromium --app", chromium)


main()

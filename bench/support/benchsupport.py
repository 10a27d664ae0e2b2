"""What the whole-program benchmarks share: process trees and their memory, the demo service,
and logging the client in as a person would (through the X server, with xdotool)."""
import os
import signal
import socket
import subprocess
import tempfile
import time
import urllib.request

ENGINE_LIBRARY = "libQt6WebEngineCore"
DEMO_ACCOUNT = ("demo", "demo@vellomar.test", "demo")


def tree(pid):
    """The pid and all its descendants, whichever thread started them."""
    pids, todo = [], [pid]
    while todo:
        p = todo.pop()
        pids.append(p)
        try:
            for task in os.listdir(f"/proc/{p}/task"):
                with open(f"/proc/{p}/task/{task}/children") as f:
                    todo.extend(int(c) for c in f.read().split())
        except OSError:
            pass
    return pids


def memory_mib(pids):
    """Sums of the processes' smaps_rollup fields, MiB: Rss, Pss, Pss_Anon, Pss_Shmem, Pss_File."""
    fields = {"Rss": 0, "Pss": 0, "Pss_Anon": 0, "Pss_Shmem": 0, "Pss_File": 0}
    for p in pids:
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    name = line.split(":", 1)[0]
                    if name in fields:
                        fields[name] += int(line.split()[1])
        except OSError:
            pass
    return {k: v / 1024.0 for k, v in fields.items()}


def engine_mappers_outside(pids):
    """Processes outside the tree that map the engine's library: they lower the tree's PSS."""
    inside, count = set(pids), 0
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) in inside:
            continue
        try:
            with open(f"/proc/{entry}/maps") as f:
                if ENGINE_LIBRARY in f.read():
                    count += 1
        except OSError:
            pass
    return count


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


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Demo:
    """The demo chat service on a free port with a fresh database, optionally simulating a room."""

    def __init__(self, bin_dir, simulate=None):
        self.folder = tempfile.mkdtemp()
        args = [os.path.join(bin_dir, "vellomar-demo"), "--port", str(free_port()),
                "--db", os.path.join(self.folder, "demo.sqlite")]
        if simulate:
            args += ["--simulate-chat", str(simulate)]
        self.proc = subprocess.Popen(args, stdout=subprocess.PIPE, text=True)
        line = self.proc.stdout.readline()
        if "listening on" not in line:
            raise RuntimeError(f"the demo service did not start: {line!r}")
        self.host = line.split()[-1]

    def chat_page(self, account=DEMO_ACCOUNT):
        nick, email, password = account
        return f"{self.host}/JAVASCRIPTWEXE.php?username={nick}&email={email.replace('@', '%40')}&pass={password}"

    def present(self, nick):
        """Whether somebody of that nick is in the room now."""
        with urllib.request.urlopen(f"{self.host}/room.php?room=demo") as answer:
            return f">{nick}<" in answer.read().decode()

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, check=False).stdout.split()


def wait_for_window(name, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        found = xdotool("search", "--onlyvisible", "--name", name)
        if found:
            return found[0]
        time.sleep(0.1)
    raise RuntimeError(f"no window {name!r}")


def log_in(account=DEMO_ACCOUNT):
    """Logs the running client in as a person would: the sidebar's Login, the three fields, Enter.
    Returns once the login window has gone."""
    main = wait_for_window("Vellomar manager")
    xdotool("mousemove", "--window", main, "60", "30", "click", "1")
    login = wait_for_window("Vellomar Login")
    xdotool("windowfocus", "--sync", login)
    for i, value in enumerate(account):
        if i:
            xdotool("key", "Tab")
        xdotool("key", "ctrl+a")
        xdotool("type", "--delay", "5", value)
    xdotool("key", "Return")
    end = time.time() + 30
    while xdotool("search", "--onlyvisible", "--name", "Vellomar Login"):
        if time.time() > end:
            raise RuntimeError("the login window stayed open")
        time.sleep(0.1)

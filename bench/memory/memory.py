"""Memory of the client in use: logged in to the demo service's chat page while the service
simulates a busy room in real time (a message every second, a newcomer every minute), the
process tree's memory sampled every minute for an hour. Prints every sample and the growth.

PSS moves with other programs on the machine mapping the same libraries; the samples also give
the tree's own use (its share of anonymous and shared memory), which does not, and how many
processes outside the tree map the engine's library at each sample.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from benchsupport import Demo, engine_mappers_outside, log_in, memory_mib, stop, tree  # noqa: E402

BIN = sys.argv[1]
MINUTES = int(sys.argv[2])
SCALE = float(sys.argv[3])
SAMPLE_EVERY_S = 60 * SCALE


def sample(proc):
    pids = tree(proc.pid)
    m = memory_mib(pids)
    return len(pids), m, engine_mappers_outside(pids)


def main():
    demo = Demo(BIN, simulate=SCALE)
    config = tempfile.mkdtemp()
    # Its own settings and single-instance lock: another client on the machine must not interfere.
    env = dict(os.environ, VELLOMAR_CONFIG_DIR=config, XDG_CONFIG_HOME=config, XDG_CACHE_HOME=config,
               VELLOMAR_SERVICE_HOST=demo.host)
    env.pop("XDG_RUNTIME_DIR", None)
    client = subprocess.Popen([os.path.join(BIN, "vellomar")], env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        log_in()
        end = time.time() + 30
        while not demo.present("demo"):
            if time.time() > end:
                raise RuntimeError("the client did not reach the chat page")
            time.sleep(0.2)
        time.sleep(5)
        print(f"simulated room on time scale {SCALE}: sample every {SAMPLE_EVERY_S:.0f} s for {MINUTES} minutes")
        print(f"{'minute':>6} {'procs':>6} {'PSS MiB':>8} {'RSS MiB':>8} {'own MiB':>8} {'file MiB':>9}  others")
        samples = []
        started = time.time()
        for minute in range(MINUTES + 1):
            time.sleep(max(0.0, started + minute * SAMPLE_EVERY_S - time.time()))
            count, m, others = sample(client)
            own = m["Pss_Anon"] + m["Pss_Shmem"]
            samples.append((m["Pss"], own))
            print(f"{minute:>6} {count:>6} {m['Pss']:>8.1f} {m['Rss']:>8.1f} {own:>8.1f} {m['Pss_File']:>9.1f}  {others}",
                  flush=True)
    finally:
        stop(client)
        demo.close()

    (pss0, own0), (pss1, own1) = samples[0], samples[-1]
    print(f"\nafter {MINUTES} simulated minutes, from the chat page loaded:")
    print(f"  tree PSS      {pss0:.1f} -> {pss1:.1f} MiB: {100 * (pss1 - pss0) / pss0:+.1f} %   (goal <= +5 %)")
    print(f"  tree own use  {own0:.1f} -> {own1:.1f} MiB: {own1 - own0:+.1f} MiB, {100 * (own1 - own0) / pss0:+.1f} % of the PSS")
    if len(samples) > 6:
        pss5, own5 = samples[5]
        print(f"  from minute 5: PSS {100 * (pss1 - pss5) / pss5:+.1f} %, own use {own1 - own5:+.1f} MiB")


main()

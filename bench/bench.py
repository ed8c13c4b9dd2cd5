"""Measures the quiz against the toolkit's floor and prints one table of medians, minima and maxima.

Every figure comes from fresh processes, so each run pays what a user pays on a cold start; nothing
here fails on a time. Start-up is seen from outside, as a person's screen sees it: an X client on
an Xvfb of the benchmark's own watches the program's first window until all of it has been drawn.
The other figures come from merezhvar-probe and merezhvar-floor, which print them as "key value"
lines. A program that fails, hangs or leaves a figure out ends the benchmark with status 1.
"""

import argparse
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time
from collections import defaultdict
from pathlib import Path

from Xlib import X, display
from Xlib.ext import damage

sys.dont_write_bytecode = True  # importing the shared starter leaves no __pycache__ in the clone
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests/support"))
import xvfb  # noqa: E402

CHILD_TIMEOUT_S = 60
COLUMNS = "  {:<46} {:>9} {:>9} {:>9} {:<4} {:<12} {}"


class Failure(Exception):
    pass


def run(command, env):
    """Runs a probe to its end and returns the figures it printed, by key."""
    try:
        done = subprocess.run(command, env=env, capture_output=True, text=True,
                              timeout=CHILD_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(command)} hung") from None
    if done.returncode != 0:
        raise Failure(f"{' '.join(command)} failed ({done.returncode}):\n"
                      f"{done.stdout}{done.stderr}")
    figures = defaultdict(list)
    for line in done.stdout.splitlines():
        key, _, value = line.partition(" ")
        figures[key].append(int(value) if value.lstrip("-").isdigit() else value)
    return figures


def ms(ns):
    return ns / 1e6


def pooled(key, runs):
    """The figures of one key from every run, in milliseconds."""
    values = [ms(v) for r in runs for v in r[key]]
    if not values:
        raise Failure(f"no {key} figure")
    return values


def one(figures, key):
    if not figures[key]:
        raise Failure(f"no {key} figure")
    return figures[key][0]


class Observer:
    """An X client that sees every window mapped on the screen and every pixel drawn on it."""

    def __init__(self, name):
        self.x = display.Display(name)
        if not self.x.has_extension("DAMAGE"):
            raise Failure(f"the X server on {name} has no DAMAGE extension")
        self.x.damage_query_version()
        root = self.x.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        # Damage on the root window reports drawing in any window, in screen coordinates.
        root.damage_create(damage.DamageReportRawRectangles)
        self.drawn = self.x.query_extension("DAMAGE").first_event + damage.DamageNotifyCode
        self.x.sync()

    def first_frame(self, command, env):
        """Starts `command` and returns the nanoseconds from just before it started until all of
        its first window has been drawn since the window was mapped; ends the process then."""
        self.x.sync()
        while self.x.pending_events():
            self.x.next_event()
        with tempfile.TemporaryFile() as errors:
            start = time.monotonic_ns()
            process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=errors)
            try:
                return self._watch(process, start) - start
            except Failure as failure:
                errors.seek(0)
                said = errors.read().decode().strip()
                raise Failure(f"{' '.join(command)}: {failure}" + (f"\n{said}" if said else ""))
            finally:
                process.kill()
                process.wait()

    def _watch(self, process, start):
        # Where each top-level window is, from the events alone: the window may be gone before a
        # question about it could be answered.
        where, window, drawn = {}, None, []
        deadline = start + CHILD_TIMEOUT_S * 1e9
        while time.monotonic_ns() < deadline:
            select.select([self.x], [], [], 0.1)
            while self.x.pending_events():
                event = self.x.next_event()
                now = time.monotonic_ns()
                if event.type in (X.CreateNotify, X.ConfigureNotify):
                    where[event.window.id] = event
                elif event.type == X.MapNotify and window is None and not event.override:
                    window = event.window
                elif event.type == self.drawn and window is not None:
                    drawn.append(event.area)
                    if covers(drawn, where[window.id]):
                        return now
                elif event.type == X.UnmapNotify and event.window == window:
                    raise Failure("its window went away before it was drawn")
            # The server may not have handled all that an ended process sent before it ended.
            if process.poll() is not None and deadline - time.monotonic_ns() > 2e9:
                deadline = time.monotonic_ns() + 2e9
        raise Failure(f"no complete frame (status {process.poll()})")


def covers(rects, window):
    """Whether the rectangles together cover the window. Their edges cut the window into cells,
    and a rectangle holds a cell when it holds the cell's top left corner."""
    def corners(start, size, edges):
        return {start} | {e for e in edges if start < e < start + size}
    xs = corners(window.x, window.width, [e for r in rects for e in (r.x, r.x + r.width)])
    ys = corners(window.y, window.height, [e for r in rects for e in (r.y, r.y + r.height)])
    return all(any(r.x <= x < r.x + r.width and r.y <= y < r.y + r.height for r in rects)
               for x in xs for y in ys)


def stripped_size(exe):
    """Size of a stripped copy in bytes; the build's own file keeps its symbols."""
    with tempfile.TemporaryDirectory() as folder:
        copy = Path(folder) / "stripped"
        subprocess.run(["strip", "-o", copy, exe], check=True)
        return copy.stat().st_size


class Table:
    def __init__(self):
        print(COLUMNS.format("", "median", "min", "max", "", "target", ""))

    @staticmethod
    def section(title):
        print(title)

    @staticmethod
    def row(what, values, unit, target="", met=None, per=1):
        values = [v / per for v in values]
        Table._line(what, statistics.median(values), min(values), max(values), unit, target, met)

    @staticmethod
    def value(what, value, unit, target="", met=None):
        Table._line(what, value, None, None, unit, target, met)

    @staticmethod
    def _line(what, median, low, high, unit, target, met):
        number = lambda v: "" if v is None else f"{v:.2f}"
        verdict = "" if met is None else "met" if met else "MISSED"
        print(COLUMNS.format(what, number(median), number(low), number(high), unit, target,
                             verdict))


def load_average():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


def cpu_model():
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            return line.partition(":")[2].strip()
    return "unknown"


def measure(options, screen):
    program, bin_dir = options.program, options.bin
    probe, floor = [str(bin_dir / "merezhvar-probe")], [str(bin_dir / "merezhvar-floor")]
    on_xvfb = dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=screen)
    env = on_xvfb if options.xvfb else dict(os.environ, QT_QPA_PLATFORM="offscreen")
    reps = options.reps
    qt = one(run(floor, env), "qt")  # also warms the file cache, as the first round below does

    print(f"Мережвар benchmark: start-up on Xvfb {screen}, the rest "
          f"{'on it too' if options.xvfb else 'offscreen'}; Qt {qt}, {reps} repetitions")
    print(f"machine: {os.cpu_count()} CPUs, {cpu_model()}; "
          f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}; "
          f"load average at start {load_average()}")
    t = Table()

    # 1. Start-up: the program and the floor with text one after the other, each first in every
    # other round, then the empty floor; one round first that only warms the file cache.
    observer = Observer(screen)
    starters = {"program": [str(program)], "text": floor + ["--text"], "floor": floor}
    start = defaultdict(list)
    for i in range(-1, reps):
        order = ["program", "text"] if i % 2 else ["text", "program"]
        times = {name: ms(observer.first_frame(starters[name], on_xvfb))
                 for name in order + ["floor"]}
        if i >= 0:
            for name, value in times.items():
                start[name].append(value)
    pair = lambda floor_times: [p / f for p, f in zip(start["program"], floor_times)]
    t.section("1 start-up: process start to the first complete frame on the X server")
    t.row("program, Form1 drawn", start["program"], "ms")
    t.row("floor, empty window drawn", start["floor"], "ms")
    t.row("program / floor, paired", pair(start["floor"]), "x")
    t.row("floor with one line of text", start["text"], "ms")
    # Any window that draws text pays for the font machinery: that window is the honest floor.
    text_ratio = statistics.median(pair(start["text"]))
    t.row("program / floor with text, paired", pair(start["text"]), "x", "<= 1.10",
          text_ratio <= 1.10)

    # 2 to 5. One pass a process, and the floor's own cost of switching windows beside it.
    passes, switches = [], []
    for _ in range(reps):
        passes.append(run(probe + ["--pass"], env))
        switches.append(run(floor + ["--switch"], env))
    if any(len(p["next"]) != 23 for p in passes):
        raise Failure("a pass without 23 «Далі» figures")
    start_test, next_, score = (pooled(key, passes) for key in ("start-test", "next", "score"))
    t.section("2 first «Розпочати тест»: 25 forms created, Form2 painted")
    t.row("Form1.Command1 to Form2 painted", start_test, "ms", "<= 16 ms",
          statistics.median(start_test) <= 16)
    t.section("3 «Далі» to the next form painted")
    t.row("each of the 23 to a question form", next_, "ms", "<= 2 ms",
          statistics.median(next_) <= 2)
    t.row("the scoring one, to Form4", score, "ms", "<= 2 ms", statistics.median(score) <= 2)
    t.row("floor: a new empty window shown, last hidden", pooled("switch", switches), "ms")
    t.section("4 whole pass in one process")
    t.row("«Розпочати тест» and 24 answers to Form4", pooled("pass", passes), "ms")
    t.section("5 peak resident memory (VmHWM)")
    program_hwm = [one(p, "hwm") / 1024 for p in passes]
    floor_hwm = [one(f, "hwm") / 1024 for f in switches]
    t.row("program after a full pass", program_hwm, "MiB")
    t.row("floor after its first paint", floor_hwm, "MiB")
    more = statistics.median(program_hwm) - statistics.median(floor_hwm)
    t.value("program - floor, medians", more, "MiB", "<= 12 MiB", more <= 12)

    t.section("6 size of the stripped executable")
    t.value("merezhvar", stripped_size(program) / 1024, "KiB")
    t.value("floor", stripped_size(floor[0]) / 1024, "KiB")

    # 7. Creating the first 1, 5 and 25 forms, hidden, in a program that has just shown Form1.
    t.section("7 creating forms, hidden (per form)")
    counts = (1, 5, 25)
    create = {n: [ms(one(run(probe + ["--create", str(n)], env), "create")) for _ in range(reps)]
              for n in counts}
    for n in counts:
        t.row(f"{n} form{'s' if n > 1 else ''}", create[n], "ms", per=n)
    median = {n: statistics.median(create[n]) for n in counts}
    early, late = (median[5] - median[1]) / 4, (median[25] - median[5]) / 20
    t.value("each form beyond 1 to 5", early, "ms")
    # Linear: each further form costs no more than the ones before it, within the noise.
    t.value("each form beyond 5 to 25", late, "ms", "linear", late <= max(early, 0) * 1.5 + 0.05)
    print(f"load average at the end {load_average()}")


def main():
    parser = argparse.ArgumentParser(prog="merezhvar-bench", description=__doc__.splitlines()[0])
    parser.add_argument("--bin", type=Path, required=True,
                        help="the folder of merezhvar-probe and merezhvar-floor")
    parser.add_argument("--program", type=Path, required=True,
                        help="the merezhvar whose start-up and stripped size are reported")
    parser.add_argument("--reps", type=int, default=21, help="repetitions of every measure")
    parser.add_argument("--quick", action="store_const", const=3, dest="reps",
                        help="3 repetitions: checks that everything runs")
    parser.add_argument("--xvfb", action="store_true",
                        help="run every measure on the Xvfb, not only the start-up")
    options = parser.parse_args()
    options.reps = max(1, options.reps)
    try:
        with xvfb.server("1280x1024") as screen:
            measure(options, screen)
    except (Failure, xvfb.Unavailable) as failure:
        sys.exit(f"merezhvar-bench: {failure}")


if __name__ == "__main__":
    main()

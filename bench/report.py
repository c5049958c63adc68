#!/usr/bin/env python3
"""Turns bench/run.sh's raw figures into the table and the target verdicts.
   report.py TIMES MEMORY SIZES RUNS [cold]

Each figure is shown as the minimum and the median of its rounds. Targets
are judged on the minimum of each side: the least each program needed on
this machine, which the noise of a shared machine only ever adds to."""
import statistics
import sys
from collections import defaultdict

STUB_LIMIT = 300 * 1024
MEM_LIMIT_KB = 8 * 1024

# Our copy phase, step by step (bench_driver's step_*_ms), from the click
# that closes the agreement.
STEPS = [
    ("agreement", "click to agreement closed"),
    ("folder", "to target folder ready"),
    ("first_file", "to first file written"),
    ("files", "to last file written"),
    ("renames", "to renames done"),
]


def load(path):
    data = defaultdict(list)  # (label, payload, key) -> values
    try:
        with open(path) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 4:
                    data[(parts[0], parts[1], parts[2])].append(float(parts[3]))
    except FileNotFoundError:
        pass
    return data


def values(data, label, payload, key):
    # A memory sample of -1 means the process ended before it was found.
    return [x for x in data.get((label, payload, key), []) if x >= 0]


def stat(data, label, payload, key, how):
    v = values(data, label, payload, key)
    if not v:
        return None
    return min(v) if how == "min" else statistics.median(v)


def fmt(x):
    if x is None:
        return "n/a"
    return f"{x:,.0f}" if abs(x) >= 100 else f"{x:.1f}"


def ratio(a, b):
    return a / b if a is not None and b else None


def rcell(x):
    return "n/a" if x is None else f"{x:.2f}"


def main():
    times, mem, sizes_path, runs = load(sys.argv[1]), load(sys.argv[2]), sys.argv[3], sys.argv[4]
    cold = len(sys.argv) > 5 and sys.argv[5] == "cold"
    sizes = {}
    with open(sizes_path) as f:
        for line in f:
            label, payload, size, payload_bytes = line.split()
            sizes[(label, payload)] = (int(size), int(payload_bytes))

    failures = sorted({f"{k[0]} {k[1]}" for k in list(times) + list(mem) if k[2] == "failed"})
    targets = []  # (name, met, detail)

    cache = "cold: the page cache dropped before every run" if cold else "warm page cache"
    print(f"\nMinimum and median of {runs} timed round(s), milliseconds, {cache}; "
          "memory from separate rounds, KiB.")
    print("GUI = through the windows (agreement accepted, folder kept, install); silent = NSIS /S.")
    print("Ratios: minimum over minimum, median over median.\n")
    head = (f"{'figure':<40}{'payload':>8}{'':>5}{'ours':>9}{'GUI off':>9}{'GUI zlib':>9}{'/S off':>9}"
            f"{'/S zlib':>9}{'copy':>9}{'ours/GUI':>9}{'ours/cp':>9}")
    print(head)
    print("-" * len(head))

    def row(name, p, key, silent=True, copy=True, gui_key=None):
        """Two lines, minimum then median; returns the minima's ratio to GUI NSIS."""
        gui_key = gui_key or key
        first = None
        for how in ("min", "med"):
            o = stat(times, "ours", p, key, how)
            g = stat(times, "nsisgui-store", p, gui_key, how)
            gz = stat(times, "nsisgui-zlib", p, gui_key, how)
            ns = stat(times, "nsis-store", p, "install_ms", how)
            nz = stat(times, "nsis-zlib", p, "install_ms", how)
            cp = stat(times, "copy", p, "install_ms", how)
            r1, r2 = ratio(o, g), ratio(o, cp)
            label = name if how == "min" else ""
            print(f"{label:<40}{p if how == 'min' else '':>8}{how:>5}{fmt(o):>9}{fmt(g):>9}{fmt(gz):>9}"
                  f"{fmt(ns) if silent else '':>9}{fmt(nz) if silent else '':>9}"
                  f"{fmt(cp) if copy else '':>9}{rcell(r1):>9}{rcell(r2) if copy else '':>9}")
            if first is None:
                first = r1
        return first

    def verdict(name, r, limit):
        targets.append((name, r is not None and r <= limit, "n/a" if r is None else f"{r:.2f}x"))

    for p, limit in (("large", 0.5), ("small", 1.0)):
        verdict(f"install {p} <= {limit:.1f} x GUI NSIS without compression",
                row("install: start to all files written", p, "install_ms"), limit)
    for p in ("large", "small"):
        # From the click that starts the copying to the last rename, in both.
        verdict(f"copy phase {p} <= 1.0 x GUI NSIS's copy phase",
                row("copy phase: click to renames done", p, "copy_phase_ms", silent=False), 1.0)
    for p in ("large", "small"):
        verdict(f"start-up {p} <= GUI NSIS without compression",
                row("start-up: start to first window", p, "startup_ms", silent=False, copy=False), 1.0)

    print("\nOur copy phase step by step (each from the step before it):\n")
    print(f"{'step':<40}{'payload':>8}{'min':>9}{'median':>9}")
    for p in ("large", "small"):
        for key, name in STEPS:
            k = f"step_{key}_ms"
            print(f"{name:<40}{p:>8}{fmt(stat(times, 'ours', p, k, 'min')):>9}"
                  f"{fmt(stat(times, 'ours', p, k, 'med')):>9}")

    if mem:
        print()
        for p in ("large", "small"):
            def m(label, key):
                return stat(mem, label, p, key, "med")
            idle, peak = m("ours", "idle_kb"), m("ours", "peak_kb")
            above = None if peak is None or idle is None else peak - idle
            print(f"private memory ours {p:>5}: idle at welcome {fmt(idle)}, peak installing {fmt(peak)}, "
                  f"peak - idle {fmt(above)}")
            print(f"private memory NSIS {p:>5}: GUI idle at window {fmt(m('nsisgui-store', 'idle_kb'))} (off) "
                  f"{fmt(m('nsisgui-zlib', 'idle_kb'))} (zlib), GUI peak installing "
                  f"{fmt(m('nsisgui-store', 'peak_kb'))} (off) {fmt(m('nsisgui-zlib', 'peak_kb'))} (zlib); "
                  f"plain copy peak {fmt(m('copy', 'peak_kb'))}")
            targets.append((f"private memory {p} <= 8 MB above the idle process",
                            above is not None and above <= MEM_LIMIT_KB,
                            "n/a" if above is None else f"+{above / 1024:.1f} MiB"))

    print()
    for p in ("small", "large"):
        line = []
        for label in ("ours", "nsis-gui-store", "nsis-gui-zlib"):
            size, payload = sizes[(label, p)]
            line.append(f"{label} {size:,} B" + (f" (stub {size - payload:,} B)" if label != "nsis-gui-zlib" else ""))
        print(f"size {p:>5} (payload {sizes[('ours', p)][1]:,} B): " + "; ".join(line))
    stub = sizes[("ours", "empty")][0]
    print(f"stub (ours with an empty payload): {stub:,} B")
    targets.append(("stub <= 300 KB", stub <= STUB_LIMIT, f"{stub / 1024:,.0f} KiB"))

    if failures:
        print("\nFailed runs: " + ", ".join(failures))
    print(f"\nTargets ({'cold' if cold else 'warm'}, on the minima):")
    for name, met, detail in targets:
        print(f"  [{'met' if met else 'MISSED'}] {name}: {detail}")
    print(f"targets met: {sum(1 for t in targets if t[1])} of {len(targets)}")


if __name__ == "__main__":
    main()

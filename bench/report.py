#!/usr/bin/env python3
"""Turns bench/run.sh's raw figures into the table and the target verdicts.
   report.py TIMES MEMORY SIZES RUNS"""
import statistics
import sys
from collections import defaultdict

STUB_LIMIT = 300 * 1024
MEM_LIMIT_KB = 8 * 1024


def load(path):
    data = defaultdict(list)  # (label, payload, key) -> values
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 4:
                data[(parts[0], parts[1], parts[2])].append(float(parts[3]))
    return data


def med(data, label, payload, key):
    # A memory sample of -1 means the process ended before it was found.
    v = [x for x in data.get((label, payload, key), []) if x >= 0]
    return statistics.median(v) if v else None


def fmt(x, unit=""):
    if x is None:
        return "n/a"
    return f"{x:,.0f}{unit}" if abs(x) >= 100 else f"{x:.1f}{unit}"


def ratio(a, b):
    return a / b if a is not None and b else None


def main():
    times, mem, sizes_path, runs = load(sys.argv[1]), load(sys.argv[2]), sys.argv[3], sys.argv[4]
    sizes = {}
    with open(sizes_path) as f:
        for line in f:
            label, payload, size, payload_bytes = line.split()
            sizes[(label, payload)] = (int(size), int(payload_bytes))

    failures = sorted({f"{k[0]} {k[1]}" for k in list(times) + list(mem) if k[2] == "failed"})
    targets = []  # (name, met, detail)

    print(f"\nMedians of {runs} timed round(s), milliseconds; memory from separate rounds, KiB.")
    print("GUI = through the windows (agreement accepted, folder kept, install); silent = NSIS /S.\n")
    head = (f"{'figure':<44}{'payload':>8}{'ours':>9}{'GUI off':>9}{'GUI zlib':>9}{'/S off':>9}{'/S zlib':>9}"
            f"{'copy':>9}{'ours/GUI':>9}{'ours/cp':>9}")
    print(head)
    print("-" * len(head))

    def cell(x, ratio_cell=False):
        if x is None:
            return "n/a"
        return f"{x:.2f}" if ratio_cell else fmt(x)

    def row(name, p, key, silent=True, copy=True, vs_gui=True):
        o = med(times, "ours", p, key)
        g = med(times, "nsisgui-store", p, key)
        gz = med(times, "nsisgui-zlib", p, key)
        ns = med(times, "nsis-store", p, "install_ms") if silent else None
        nz = med(times, "nsis-zlib", p, "install_ms") if silent else None
        cp = med(times, "copy", p, "install_ms") if copy else None
        r1 = ratio(o, g) if vs_gui else None
        r2 = ratio(o, cp) if copy else None
        print(f"{name:<44}{p:>8}{cell(o):>9}{cell(g):>9}{cell(gz):>9}{cell(ns) if silent else '':>9}"
              f"{cell(nz) if silent else '':>9}{cell(cp) if copy else '':>9}"
              f"{cell(r1, True) if vs_gui else '':>9}{cell(r2, True) if copy else '':>9}")
        return r1, r2

    for p in ("large", "small"):
        r, _ = row("install: start to all files written", p, "install_ms")
        targets.append((f"install {p} <= 1.0 x GUI NSIS without compression", r is not None and r <= 1.0,
                        "n/a" if r is None else f"{r:.2f}x"))
    for p in ("large", "small"):
        # The copying alone, against the whole plain copy process.
        _, r = row("  of which: agreement closed to files written", p, "copy_phase_ms", silent=False,
                   vs_gui=False)
        targets.append((f"copying {p} <= 1.0 x plain copy", r is not None and r <= 1.0,
                        "n/a" if r is None else f"{r:.2f}x"))
    for p in ("large", "small"):
        r, _ = row("start-up: start to first window", p, "startup_ms", silent=False, copy=False)
        targets.append((f"start-up {p} <= GUI NSIS without compression", r is not None and r <= 1.0,
                        "n/a" if r is None else f"{r:.2f}x"))

    print()
    for p in ("large", "small"):
        idle = med(mem, "ours", p, "idle_kb")
        peak = med(mem, "ours", p, "peak_kb")
        above = None if peak is None or idle is None else peak - idle
        print(f"private memory ours {p:>5}: idle at welcome {fmt(idle)}, peak installing {fmt(peak)}, "
              f"peak - idle {fmt(above)}")
        print(f"private memory NSIS {p:>5}: GUI idle at window {fmt(med(mem, 'nsisgui-store', p, 'idle_kb'))} (off) "
              f"{fmt(med(mem, 'nsisgui-zlib', p, 'idle_kb'))} (zlib), GUI peak installing "
              f"{fmt(med(mem, 'nsisgui-store', p, 'peak_kb'))} (off) {fmt(med(mem, 'nsisgui-zlib', p, 'peak_kb'))} (zlib); "
              f"plain copy peak {fmt(med(mem, 'copy', p, 'peak_kb'))}")
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
    print("\nTargets:")
    for name, met, detail in targets:
        print(f"  [{'met' if met else 'MISSED'}] {name}: {detail}")
    print(f"targets met: {sum(1 for t in targets if t[1])} of {len(targets)}")


if __name__ == "__main__":
    main()

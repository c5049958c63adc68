#!/usr/bin/env python3
"""Turns bench/run.sh's raw figures into the table and the target verdicts.
   report.py TIMES MEMORY SIZES RUNS"""
import statistics
import sys
from collections import defaultdict

STUB_LIMIT = 512 * 1024
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
    v = data.get((label, payload, key))
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
    print("ours = the shipped link options; ours-fa = linked with --file-alignment=4096.\n")
    head = f"{'figure':<44}{'payload':>8}{'ours':>10}{'ours-fa':>10}{'NSIS off':>10}{'NSIS zlib':>10}{'copy':>10}{'ours/NSIS':>10}{'ours/copy':>10}"
    print(head)
    print("-" * len(head))

    def row(name, p, o, ofa, ns, nz, cp):
        r1, r2 = ratio(o, ns), ratio(o, cp)
        print(f"{name:<44}{p:>8}{fmt(o):>10}{fmt(ofa):>10}{fmt(ns):>10}{fmt(nz):>10}{fmt(cp):>10}"
              f"{fmt(r1) if r1 is None else f'{r1:.2f}':>10}{'' if cp is None else (fmt(r2) if r2 is None else f'{r2:.2f}'):>10}")
        return r1, r2

    for p in ("large", "small"):
        o = med(times, "ours", p, "install_ms")
        r_nsis, r_copy = row("install: start to all files written", p, o,
                             med(times, "ours-fa", p, "install_ms"),
                             med(times, "nsis-store", p, "install_ms"),
                             med(times, "nsis-zlib", p, "install_ms"),
                             med(times, "copy", p, "install_ms"))
        targets.append((f"install {p} <= 1.0 x NSIS without compression", r_nsis is not None and r_nsis <= 1.0,
                        "n/a" if r_nsis is None else f"{r_nsis:.2f}x"))
        targets.append((f"install {p} <= 1.2 x plain copy", r_copy is not None and r_copy <= 1.2,
                        "n/a" if r_copy is None else f"{r_copy:.2f}x"))
    for p in ("large", "small"):
        # The copying alone, against the whole plain copy process.
        row("  of which: agreement closed to files written", p,
            med(times, "ours", p, "copy_phase_ms"), med(times, "ours-fa", p, "copy_phase_ms"),
            None, None, med(times, "copy", p, "install_ms"))
    for p in ("large", "small"):
        o = med(times, "ours", p, "startup_ms")
        r, _ = row("start-up: start to first window", p, o, med(times, "ours-fa", p, "startup_ms"),
                   med(times, "nsisui-store", p, "startup_ms"),
                   med(times, "nsisui-zlib", p, "startup_ms"), None)
        targets.append((f"start-up {p} <= NSIS without compression", r is not None and r <= 1.0,
                        "n/a" if r is None else f"{r:.2f}x"))

    print()
    idle_ref = med(mem, "ours", "small", "idle_kb")
    idle_ref_fa = med(mem, "ours-fa", "small", "idle_kb")
    for p in ("large", "small"):
        for label, ref in (("ours", idle_ref), ("ours-fa", idle_ref_fa)):
            idle = med(mem, label, p, "idle_kb")
            peak = med(mem, label, p, "peak_kb")
            print(f"private memory {label:<8} {p:>5}: idle at welcome {fmt(idle)}, peak installing {fmt(peak)}, "
                  f"peak - own idle {fmt(None if peak is None or idle is None else peak - idle)}, "
                  f"peak - idle small installer {fmt(None if peak is None or ref is None else peak - ref)}")
        o_peak = med(mem, "ours", p, "peak_kb")
        above = None if o_peak is None or idle_ref is None else o_peak - idle_ref
        targets.append((f"private memory {p} <= 8 MB above the idle installer",
                        above is not None and above <= MEM_LIMIT_KB,
                        "n/a" if above is None else f"+{above / 1024:.1f} MiB"))
        print(f"private memory NSIS     {p:>5}: idle at window {fmt(med(mem, 'nsisui-store', p, 'idle_kb'))} (off) "
              f"{fmt(med(mem, 'nsisui-zlib', p, 'idle_kb'))} (zlib), peak installing "
              f"{fmt(med(mem, 'nsis-store', p, 'peak_kb'))} (off) {fmt(med(mem, 'nsis-zlib', p, 'peak_kb'))} (zlib); "
              f"plain copy peak {fmt(med(mem, 'copy', p, 'peak_kb'))}")

    print()
    worst_stub = 0
    for p in ("small", "large"):
        line = []
        for label in ("ours-default", "ours-fa", "nsis-store", "nsis-zlib"):
            size, payload = sizes[(label, p)]
            stub = size - payload
            if label == "ours-default":
                worst_stub = max(worst_stub, stub)
            line.append(f"{label} {size:,} B" + (f" (stub {stub:,} B)" if label != "nsis-zlib" else ""))
        print(f"size {p:>5} (payload {sizes[('ours-default', p)][1]:,} B): " + "; ".join(line))
    targets.append(("stub <= 512 KB", worst_stub <= STUB_LIMIT, f"{worst_stub / 1024:,.0f} KiB"))

    if failures:
        print("\nFailed runs: " + ", ".join(failures))
    print("\nTargets (the shipped link options):")
    for name, met, detail in targets:
        print(f"  [{'met' if met else 'MISSED'}] {name}: {detail}")
    print(f"targets met: {sum(1 for t in targets if t[1])} of {len(targets)}")


if __name__ == "__main__":
    main()

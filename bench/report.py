#!/usr/bin/env python3
"""Prints the medians of a Google Benchmark JSON file and the ratios against
the panel's speed targets. Every figure comes from the one run in the file."""

import json
import sys

MICROSECOND = 1e3  # nanoseconds
MILLISECOND = 1e6

NANOSECONDS_PER_UNIT = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

ORDER = [
    "BM_FloorFavoritesRead",
    "BM_SelectCellBuild",
    "BM_SelectFullScroll",
    "BM_FloorAtomicWrite",
    "BM_SelectTap",
    "BM_RootOpen",
    "BM_PickerDraw",
    "BM_PreviewTap",
    "BM_PreviewTapBesideSlowClients",
    "BM_LivePageReload",
    "BM_LivePagesIdle",
    "BM_TweakPageOpen",
]

# (benchmark, what it is compared with, limit): a ratio of two medians when the
# second is a benchmark, an absolute time in nanoseconds when it is None.
TARGETS = [
    ("BM_SelectCellBuild", "BM_FloorFavoritesRead", 2.5),
    ("BM_SelectFullScroll", "BM_SelectCellBuild", 1400.0),
    ("BM_SelectTap", "BM_FloorAtomicWrite", 2.3),
    ("BM_RootOpen", None, 200 * MICROSECOND),
    ("BM_PreviewTap", None, 3 * MILLISECOND),
    ("BM_PreviewTapBesideSlowClients", "BM_PreviewTap", 2.0),
    ("BM_LivePageReload", None, 300 * MILLISECOND),
    # A 200-row page read, localized and its first screen built within one 120 Hz frame.
    ("BM_TweakPageOpen", None, 8.3 * MILLISECOND),
]

# (benchmark, counter, limit): the median over repetitions of a counter the benchmark reports.
COUNTER_TARGETS = [
    ("BM_LivePageReload", "p95_ms", 500.0),
    ("BM_LivePagesIdle", "idle_cpu_percent", 0.2),
]


def medians(report):
    """Median real time in nanoseconds and repetition count, by benchmark name."""
    found = {}
    for run in report.get("benchmarks", []):
        if run.get("run_type") != "aggregate" or run.get("aggregate_name") != "median":
            continue
        name = run["run_name"].split("/")[0]
        nanoseconds = run["real_time"] * NANOSECONDS_PER_UNIT[run.get("time_unit", "ns")]
        found[name] = (nanoseconds, run.get("repetitions", 0))
    return found


def readable(nanoseconds):
    if nanoseconds >= MILLISECOND:
        return f"{nanoseconds / MILLISECOND:.3f} ms"
    if nanoseconds >= MICROSECOND:
        return f"{nanoseconds / MICROSECOND:.2f} us"
    return f"{nanoseconds:.0f} ns"


def counter_medians(report):
    """The median aggregate's counters, by benchmark name."""
    found = {}
    for run in report.get("benchmarks", []):
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") == "median":
            found[run["run_name"].split("/")[0]] = run
    return found


def print_counter_targets(counters):
    """Prints each counter target; returns how many were missed or not measured."""
    unmet = 0
    for name, counter, limit in COUNTER_TARGETS:
        measured = counters.get(name, {}).get(counter)
        label = f"{name} {counter}"
        if measured is None:
            print(f"{label:<50}{'not run':>14}{limit:>12g}  NOT MEASURED")
            unmet += 1
            continue
        met = measured <= limit
        unmet += 0 if met else 1
        print(f"{label:<50}{measured:>14.3f}{limit:>12g}  {'met' if met else 'MISSED'}")
    return unmet


def print_medians(found):
    print(f"{'benchmark':<24}{'median':>14}{'repetitions':>14}")
    for name in ORDER:
        if name in found:
            nanoseconds, repetitions = found[name]
            print(f"{name:<24}{readable(nanoseconds):>14}{repetitions:>14}")
        else:
            print(f"{name:<24}{'not run':>14}")


def print_targets(found):
    """Prints each target's measured ratio or time; returns how many were missed or not measured."""
    print()
    print(f"{'target':<50}{'measured':>14}{'limit':>12}  result")
    unmet = 0
    for name, base, limit in TARGETS:
        if base:
            label = f"{name} / {base}"
            measured = found[name][0] / found[base][0] if name in found and base in found else None
            shown_limit, shown_measured = f"{limit:g} x", measured is not None and f"{measured:.2f} x"
        else:
            label = name
            measured = found[name][0] if name in found else None
            shown_limit, shown_measured = readable(limit), measured is not None and readable(measured)
        if measured is None:
            print(f"{label:<50}{'not run':>14}{shown_limit:>12}  NOT MEASURED")
            unmet += 1
            continue
        met = measured <= limit
        unmet += 0 if met else 1
        print(f"{label:<50}{shown_measured:>14}{shown_limit:>12}  {'met' if met else 'MISSED'}")
    return unmet


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: report.py BENCHMARK_JSON")
    with open(sys.argv[1], encoding="utf-8") as source:
        report = json.load(source)
    found = medians(report)
    print_medians(found)
    unmet = print_targets(found) + print_counter_targets(counter_medians(report))
    print()
    print("all targets met" if unmet == 0 else f"{unmet} target(s) missed or not measured")
    return 0 if unmet == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

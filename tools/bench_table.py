#!/usr/bin/python3
"""Prints the short table of tools/bench.sh from Google Benchmark's JSON files: each figure beside
its yardstick, their ratio and the target. Usage: bench_table.py RESULT.json..."""

import json
import sys


def medians(paths):
    """Every benchmark's median, by name: time in ms, rate in MB/s, and its counters. A benchmark
    run once (the start-up pairs, which take their medians themselves) gives its one run."""
    found = {}
    for path in paths:
        with open(path) as f:
            for entry in json.load(f)["benchmarks"]:
                if entry.get("run_type") == "aggregate" and entry.get("aggregate_name") != "median":
                    continue
                name = entry["run_name"].split("/iterations:")[0].replace("/manual_time", "")
                found[name] = {
                    **entry,
                    "ms": entry["real_time"] if entry.get("time_unit") == "ms"
                    else entry["real_time"] / 1000.0,
                    "MB/s": entry.get("bytes_per_second", 0) / 1e6,
                    "peak_MB": entry.get("peak_MB", 0),
                    "file_MB": entry.get("file_MB", 0),
                }
    return found


def side_by_side(label, beside, pairs, target=None):
    """A start-up row: the medians of the times, and the median of the pairs' ratios with its
    25th and 75th percentiles, which the target is judged on."""
    ratio = pairs["ratio"]
    return (label, f"{pairs['ms']:.1f} ms", f"{beside} {pairs['yardstick_ms']:.1f} ms",
            f"{ratio:.2f}x ({pairs['ratio_p25']:.2f}-{pairs['ratio_p75']:.2f}, "
            f"{pairs['pairs']:.0f} pairs)",
            "-" if target is None else f"<= {target}x", None if target is None else ratio <= target)


def rows(m):
    python = m["PythonCsvReader"]["MB/s"]
    read = m["ReadBytes"]["MB/s"]
    for load in ("LoadDat", "LoadCsv"):
        rate = m[load]["MB/s"]
        yield (f"{load}, 32,767 rows x 20 fields", f"{rate:.0f} MB/s",
               f"Python csv.reader {python:.0f} MB/s", f"{rate / python:.2f}x", ">= 2x", rate >= 2 * python)
        yield (f"{load} against reading the bytes", f"{rate:.0f} MB/s",
               f"plain read {read:.0f} MB/s", f"{read / rate:.2f}x slower", "<= 4x", read <= 4 * rate)

    whole = m["LoadDatAndReadEveryCell"]["MB/s"]
    yield ("LoadDat, then every cell read", f"{whole:.0f} MB/s", f"Python csv.reader {python:.0f} MB/s",
           f"{whole / python:.2f}x", "-", None)

    widgets = m["startUpBeside/plainWindowWithTheSameWidgets"]
    empty = m["startUpBeside/minimalWindow"]
    yield side_by_side("Start-up to the window shown", "plain window, same widgets", widgets, 1.1)
    yield side_by_side("  the same beside an empty window", "minimal window", empty)
    yield side_by_side("  the same beside a window with text", "window with text",
                       m["startUpBeside/minimalWindowWithText"])
    grown = empty["peak_MB"] - empty["yardstick_peak_MB"]
    yield ("Start-up peak memory", f"{empty['peak_MB']:.1f} MB",
           f"minimal window {empty['yardstick_peak_MB']:.1f} MB", f"+{grown:.1f} MB", "<= +10 MB",
           grown <= 10)

    floor = m["floorToLower"]["ms"]
    for name, label in (("disjointLetters", "nothing shares a letter"),
                        ("sharedPrefixes", "every position walks 3-5 letters")):
        ms = m[f"convert/{name}"]["ms"]
        yield (f"Conversion 32,766 x 32,766, {label}", f"{ms:.2f} ms", f"toLower pass {floor:.2f} ms",
               f"{ms / floor:.1f}x", "< 2 ms, <= 5x", ms < 2 and ms <= 5 * floor)
    for name in ("disjointLetters", "sharedPrefixes"):
        ms = m[f"buildIndexOnly/{name}"]["ms"]
        yield (f"  its index, built once per alphabet ({name})", f"{ms:.2f} ms", "-", "-", "-", None)

    for name, kind in (("pngOfTenGlyphs", "PNG"), ("svgOfTenGlyphs", "SVG")):
        ms = m[name]["ms"]
        yield (f"Row picture of ten glyphs as {kind}", f"{ms:.2f} ms", "-", "-", "< 20 ms", ms < 20)

    for kind in ("pdf", "docx", "odt", "html"):
        ms = m[f"oneRowTo/{kind}"]["ms"]
        yield (f"Document of one row (18 glyphs) as {kind.upper()}", f"{ms:.1f} ms", "-", "-", "< 50 ms", ms < 50)
    yield from batch_rows(m)


# The targets of a batch by its size: seconds by format, peak memory and file size in MB (None: no
# target for that format).
BATCH_TARGETS = {
    1000: ({"pdf": 3, "odt": 3, "docx": 3, "html": 3}, 150, {"pdf": 20, "odt": 20, "docx": 20, "html": 20}),
    10000: ({"pdf": 15, "odt": 60, "docx": 15, "html": 60}, 250, {"pdf": None, "odt": 100, "docx": None, "html": 100}),
}


def batch_rows(m):
    """Each format's batch of 1,000 and 10,000 names: its time, peak memory and file, beside targets."""
    for count, (seconds, peak_target, file_targets) in BATCH_TARGETS.items():
        for kind in ("pdf", "odt", "docx", "html"):
            run = m.get(f"batch/{kind}/{count}")
            if run is None:
                continue
            took, peak, size = run["ms"] / 1000, run["peak_MB"], run.get("file_MB", 0)
            file_target = file_targets[kind]
            met = took < seconds[kind] and peak < peak_target and (file_target is None or size < file_target)
            target = f"< {seconds[kind]} s, < {peak_target} MB" + (f", file < {file_target} MB" if file_target else "")
            yield (f"{count:,} names as {kind.upper()}", f"{took:.2f} s",
                   f"peak {peak:.0f} MB, file {size:.1f} MB", "-", target, met)


def main():
    table = [("Benchmark", "Result", "Yardstick", "Ratio", "Target", "")]
    for *cells, met in rows(medians(sys.argv[1:])):
        table.append((*cells, "" if met is None else "met" if met else "MISSED"))
    widths = [max(len(row[i]) for row in table) for i in range(len(table[0]))]
    for row in table:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())


main()

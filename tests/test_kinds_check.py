#!/usr/bin/env python3
"""Every test of a build carries exactly one label, one of the test kinds; and every label that a
script selects tests by (ctest -L or -LE) is carried by some test, for a selection that matches
nothing runs or excludes nothing without a word.

Usage: test_kinds_check.py CTEST BUILD-FOLDER KINDS SCRIPT...   (KINDS: "unit;gui;...")
"""
import json
import re
import subprocess
import sys


def labels_of_tests(ctest, build):
    shown = subprocess.run([ctest, "--test-dir", build, "--show-only=json-v1"], check=True,
                           capture_output=True, text=True).stdout
    for test in json.loads(shown)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        yield test["name"], properties.get("LABELS", [])


def selected_labels(script):
    with open(script, encoding="utf-8") as file:
        text = file.read().replace("\\\n", " ")
    for command in re.findall(r"^.*\bctest\b.*$", text, re.MULTILINE):
        for pattern in re.findall(r"(?:-LE?|--label-regex|--label-exclude)[ =]+['\"]?([^ '\"]+)",
                                  command):
            yield from re.findall(r"\w+", pattern)


def main():
    ctest, build, kinds, scripts = sys.argv[1], sys.argv[2], sys.argv[3].split(";"), sys.argv[4:]
    faults = []
    carried = set()
    for name, labels in labels_of_tests(ctest, build):
        if len(labels) != 1 or labels[0] not in kinds:
            faults.append(f"{name} carries {labels or 'no label'}, not one of {', '.join(kinds)}")
        carried.update(labels)
    for script in scripts:
        for label in selected_labels(script):
            if label not in carried:
                faults.append(f"{script} selects tests by {label}, which no test carries")
    print("\n".join(faults) or "every test carries its kind")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

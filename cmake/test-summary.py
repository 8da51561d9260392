#!/usr/bin/env python3
"""Counts the test cases of one or more CTest runs and prints the summary of scripts/test.sh:

    test-summary.py NAME=BUILD_DIR...

Each run left BUILD_DIR/test-results/ctest.xml (CTest's --output-junit). A CTest test that
runs many cases in one process (a GoogleTest executable under Wine, a journey module) left
BUILD_DIR/test-results/<test name>.xml in GoogleTest's XML form, and is counted by its
cases; every other CTest test is one case. Every skipped case is listed with its reason,
every failed one by name, then one line "N passed, N failed, N skipped". Exit 1 when a case
failed, or a run or a results file holds no case at all."""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

# CTest's reasons for a test it counts as skipped rather than failed.
CTEST_SKIPS = ("SKIP_REGULAR_EXPRESSION_MATCHED", "SKIP_RETURN_CODE")


class Tally:
    def __init__(self):
        self.passed = 0
        self.failed = []
        self.skipped = []

    def add(self, outcome, name, reason=""):
        if outcome == "passed":
            self.passed += 1
        elif outcome == "skipped":
            self.skipped.append((name, reason))
        else:
            self.failed.append((name, reason))


def one_line(text, limit=200):
    text = " ".join(text.split())
    return text if len(text) <= limit else text[:limit - 3] + "..."


def gtest_skip_reason(output):
    """The message GoogleTest printed after "Skipped" for a case run on its own."""
    match = re.search(r": Skipped\n(.*?)\n\[  SKIPPED \]", output or "", re.DOTALL)
    return one_line(match.group(1)) if match and match.group(1).strip() else "no reason given"


def count_cases(path, run, test, tally):
    """Counts the cases of one results file; returns how many failed."""
    before = len(tally.failed)
    try:
        root = ElementTree.parse(path).getroot()
    except ElementTree.ParseError as error:
        tally.add("failed", f"{run} {test}", f"unreadable results file: {error}")
        return 1
    cases = list(root.iter("testcase"))
    if not cases:
        tally.add("failed", f"{run} {test}", "ran no test")
    for case in cases:
        name = f"{run} {test} {case.get('classname')}.{case.get('name')}"
        failure = case.find("failure")
        skipped = case.find("skipped")
        if failure is not None:
            tally.add("failed", name, one_line(failure.get("message", "")))
        elif skipped is not None or case.get("result") == "skipped":
            message = skipped.get("message", "") if skipped is not None else ""
            # GoogleTest puts the file and line first: "file.cpp:12\nthe reason".
            tally.add("skipped", name, one_line(message.split("\n", 1)[-1]) or "no reason given")
        elif case.get("status") == "notrun":
            tally.add("skipped", name, "disabled")
        else:
            tally.add("passed", name)
    return len(tally.failed) - before


def count_run(run, build_dir, tally):
    results = os.path.join(build_dir, "test-results")
    junit = os.path.join(results, "ctest.xml")
    if not os.path.exists(junit):
        tally.add("failed", run, "no CTest results (the run did not happen)")
        return
    tests = list(ElementTree.parse(junit).getroot().iter("testcase"))
    if not tests:
        tally.add("failed", run, "ran no test")
    for test in tests:
        name = test.get("name")
        status = test.get("status")
        output = test.findtext("system-out") or ""
        per_case = os.path.join(results, name + ".xml")
        if os.path.exists(per_case):
            failed = count_cases(per_case, run, name, tally)
            if status == "fail" and failed == 0:
                tally.add("failed", f"{run} {name}",
                          "the process failed after its cases passed (a crash or leak at exit?)")
            continue
        if status == "run":
            tally.add("passed", f"{run} {name}")
        elif status == "notrun":
            skipped = test.find("skipped")
            message = skipped.get("message", "") if skipped is not None else ""
            if message.startswith(CTEST_SKIPS):
                tally.add("skipped", f"{run} {name}", gtest_skip_reason(output))
            else:
                tally.add("failed", f"{run} {name}", f"not run: {message}")
        else:
            tally.add("failed", f"{run} {name}", one_line(output.strip()[-200:]))


def main():
    tally = Tally()
    for argument in sys.argv[1:]:
        run, build_dir = argument.split("=", 1)
        count_run(run, build_dir, tally)
    for name, reason in tally.skipped:
        print(f"skipped: {name}: {reason}")
    for name, reason in tally.failed:
        print(f"failed: {name}: {reason}")
    print(f"{tally.passed} passed, {len(tally.failed)} failed, {len(tally.skipped)} skipped")
    return 1 if tally.failed else 0


if __name__ == "__main__":
    sys.exit(main())

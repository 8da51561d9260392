#!/usr/bin/env python3
"""Runs one journey module and writes each journey's result to a results file in the form
GoogleTest's --gtest_output=xml gives, so that the test summary counts journeys as cases:

    run.py MODULE RESULTS.xml

Exit 0 when no journey failed, 1 when one did or when the module ran none. A skipped
journey is reported in the file, with its reason, and hides none of the others."""
import os
import sys
import time
import traceback
import unittest
from xml.sax.saxutils import quoteattr

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


class RecordingResult(unittest.TextTestResult):
    """Keeps each journey's outcome, its time and, for a failure or a skip, the text."""

    def __init__(self, *arguments, **keywords):
        super().__init__(*arguments, **keywords)
        self.outcomes = {}
        self._started = {}

    def _case(self, test):
        # A failed subTest is reported under its own object; it belongs to its journey.
        return getattr(test, "test_case", test)

    def _record(self, test, outcome, text=""):
        case = self._case(test)
        if self.outcomes.get(case.id(), ("passed",))[0] == "failed":
            return
        started = self._started.get(case.id(), time.monotonic())
        self.outcomes[case.id()] = (outcome, text, time.monotonic() - started)

    def startTest(self, test):
        self._started[test.id()] = time.monotonic()
        super().startTest(test)

    def addSuccess(self, test):
        super().addSuccess(test)
        self._record(test, "passed")

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self._record(test, "failed", failure_text(err))

    def addError(self, test, err):
        super().addError(test, err)
        self._record(test, "failed", failure_text(err))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._record(test, "skipped", reason)

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self._record(subtest, "failed", f"{subtest._subDescription()}: {failure_text(err)}")

    def addExpectedFailure(self, test, err):
        super().addExpectedFailure(test, err)
        self._record(test, "passed")

    def addUnexpectedSuccess(self, test):
        super().addUnexpectedSuccess(test)
        self._record(test, "failed", "passed unexpectedly")


def failure_text(err):
    """The exception and where the journey's own code raised it."""
    kind, value, trace = err
    frames = [frame for frame in traceback.extract_tb(trace)
              if os.path.basename(frame.filename).startswith("test_")]
    where = f"{os.path.basename(frames[-1].filename)}:{frames[-1].lineno}: " if frames else ""
    return where + "".join(traceback.format_exception_only(kind, value)).strip()


def write_results(path, module, outcomes):
    failures = sum(1 for outcome, _, _ in outcomes.values() if outcome == "failed")
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             f'<testsuites tests="{len(outcomes)}" failures="{failures}" name="{module}">',
             f'  <testsuite name="{module}" tests="{len(outcomes)}" failures="{failures}">']
    for case_id, (outcome, text, seconds) in outcomes.items():
        # A failed class set-up has an id such as "setUpClass (module.Class)".
        suite, name = (module, case_id) if "(" in case_id else case_id.rsplit(".", 1)
        result = "skipped" if outcome == "skipped" else "completed"
        lines.append(f'    <testcase name="{name}" classname="{suite}" status="run" '
                     f'result="{result}" time="{seconds:.3f}">')
        if outcome == "failed":
            lines.append(f'      <failure message={quoteattr(text)}/>')
        elif outcome == "skipped":
            lines.append(f'      <skipped message={quoteattr(text)}/>')
        lines.append('    </testcase>')
    lines += ['  </testsuite>', '</testsuites>', '']
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main():
    module, results = sys.argv[1], sys.argv[2]
    suite = unittest.defaultTestLoader.loadTestsFromName(module)
    runner = unittest.TextTestRunner(verbosity=2, resultclass=RecordingResult)
    result = runner.run(suite)
    write_results(results, module, result.outcomes)
    if not result.outcomes:
        print(f"run.py: {module} ran no journey", file=sys.stderr)
        return 1
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when our sources load a library other than through platform/win32/system_library.h.

A library named without a path is looked for beside the executable first unless the search
was narrowed before; the program is run as administrator from its download folder. All our
run-time loads go through LoadSystemLibrary, which names the system directory.

Usage: check-library-loads.py SOURCE_ROOT DIR...
Checks every .h and .cpp under the given directories of SOURCE_ROOT."""
import pathlib
import re
import sys

LOAD = re.compile(r"\bLoadLibrary(?:Ex)?[AW]?\s*\(")
# The one loader, and the test program that loads the ordinary way on purpose.
ALLOWED = {"platform/win32/system_library.h", "tests/child/plain_imports.cpp"}


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    root = pathlib.Path(sys.argv[1])
    found = []
    for folder in sys.argv[2:]:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp") or not path.is_file():
                continue
            relative = path.relative_to(root).as_posix()
            if relative in ALLOWED:
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for number, line in enumerate(text.splitlines(), 1):
                if LOAD.search(line):
                    found.append(f"{relative}:{number}: {line.strip()}")
    for line in found:
        print(f"{line}\n    loads a library itself: use platform::win32::LoadSystemLibrary")
    print(f"check-library-loads: {len(found)} loads outside the system-directory loader")
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()

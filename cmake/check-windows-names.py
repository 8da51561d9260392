#!/usr/bin/env python3
"""Fails when one of our own declarations takes a name that the Windows headers define as
an ANSI/Unicode macro (StartService -> StartServiceW): <windows.h> would rename it in every
file that includes it first, and the two spellings would no longer link.

Usage: check-windows-names.py COMPILER SOURCE_ROOT DIR...
The macros come from COMPILER (a mingw-w64 g++) preprocessing the Windows headers that the
sources include; the declarations from the sources under the given directories."""
import pathlib
import re
import subprocess
import sys

KEYWORDS = {"return", "else", "case", "new", "delete", "throw", "goto", "sizeof",
            "co_return", "co_await", "co_yield", "typedef", "operator"}
FUNCTION = re.compile(
    r"^\s*(?:\[\[\w+\]\]\s*)?(?:(?:static|inline|constexpr|virtual|extern|friend)\s+)*"
    r"([A-Za-z_][\w:<>,]*(?:\s*[*&]+)?)\s+(?:[\w:<>]*::)?[*&]?\s*([A-Za-z_]\w*)\s*\(")
TYPE = re.compile(r"\b(?:struct|class|enum(?:\s+class)?|union|namespace)\s+([A-Za-z_]\w*)")
ALIAS = re.compile(r"\busing\s+([A-Za-z_]\w*)\s*=")
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s*<([\w./]+\.h)>')


def sources(root, dirs):
    for folder in dirs:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in (".h", ".cpp") and path.is_file():
                yield path


def windows_headers(files):
    headers = {"windows.h"}
    for path in files:
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            match = SYSTEM_INCLUDE.match(line)
            if match and not match.group(1).startswith(("imgui", "gtest", "gmock")):
                headers.add(match.group(1))
    # windows.h first: the other Windows headers expect it.
    return ["windows.h"] + sorted(headers - {"windows.h"})


def renaming_macros(compiler, headers):
    probe = "".join(f"#include <{header}>\n" for header in headers)
    defined = subprocess.run(
        [compiler, "-E", "-dM", "-x", "c++", "-std=c++20", "-DUNICODE", "-D_UNICODE", "-"],
        input=probe, capture_output=True, text=True, check=True).stdout
    names = set()
    for line in defined.splitlines():
        # Either spelled out (Name NameW) or through mingw-w64's __MINGW_NAME_AW(Name).
        match = re.match(r"#define (\w+) (?:(\w+)|__MINGW_NAME_U?AW\((\w+)\))$", line)
        if match and (match.group(2) in (match.group(1) + "W", match.group(1) + "A") or
                      match.group(3) == match.group(1)):
            names.add(match.group(1))
    return names


def declared_names(line):
    match = FUNCTION.match(line)
    if match and match.group(1) not in KEYWORDS:
        yield match.group(2)
    yield from TYPE.findall(line)
    yield from ALIAS.findall(line)


def main():
    compiler, root, dirs = sys.argv[1], pathlib.Path(sys.argv[2]), sys.argv[3:]
    files = list(sources(root, dirs))
    macros = renaming_macros(compiler, windows_headers(files))
    if len(macros) < 1000:
        print(f"check-windows-names: only {len(macros)} macros found; the probe failed")
        return 1
    clashes = []
    for path in files:
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            for name in declared_names(line):
                if name in macros:
                    clashes.append(f"{path.relative_to(root)}:{number}: {name}")
    for clash in clashes:
        print(f"{clash} is a Windows A/W macro; choose another name")
    print(f"check-windows-names: {len(files)} files, {len(macros)} macros, "
          f"{len(clashes)} clashes")
    return 1 if clashes else 0


if __name__ == "__main__":
    sys.exit(main())

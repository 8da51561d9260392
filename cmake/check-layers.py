#!/usr/bin/env python3
"""Fails when a source file of ours includes a header of a folder its layer may not use.

Usage: check-layers.py SOURCE_DIR

A folder may include its own headers and those of the folders ALLOWED lists for it.
"""
import pathlib
import re
import sys

# Calls go only down: a folder may include only the folders listed for it.
ALLOWED = {
    "platform": set(),
    "state": {"platform"},
    "sysinfo": {"state", "platform"},
    "actions": {"state", "platform"},
    "net": {"actions", "state", "platform"},
    "engine": {"net", "actions", "sysinfo", "state", "platform"},
    "ui": {"state", "platform"},
    "pages": {"ui", "engine", "sysinfo", "net", "state", "platform"},
    "shell": {"pages", "ui", "engine", "sysinfo", "state", "platform"},
    "cli": {"engine", "net", "actions", "sysinfo", "state", "platform"},
    "app": {"shell", "pages", "ui", "engine", "net", "actions", "sysinfo", "state", "platform",
            "resources"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def violations(root):
    found = []
    for folder, allowed in ALLOWED.items():
        base = root / folder
        if not base.is_dir():
            continue
        for path in sorted(base.rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
                target = included.split("/", 1)[0] if "/" in included else folder
                if target != folder and target in ALLOWED and target not in allowed:
                    found.append(f"{path.relative_to(root)}: includes {included}, "
                                 f"but {folder}/ may use only "
                                 f"{', '.join(sorted(allowed)) or 'nothing'}")
    return found


def main():
    root = pathlib.Path(sys.argv[1])
    found = violations(root)
    for line in found:
        print(line)
    if not any((root / folder).is_dir() for folder in ALLOWED):
        print(f"no layer folder under {root}")
        return 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

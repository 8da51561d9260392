#!/usr/bin/env python3
"""Fails when an executable imports, at load time, a DLL that is not a Known DLL.

The program is run as administrator from wherever it was downloaded. For a load-time import
that is not a Known DLL, Windows looks in the executable's own folder first, before the
program runs a single line, so a DLL of that name planted beside it would run elevated.
Known DLLs always come from the system directory. Everything else must be loaded at run
time from the system directory (platform/win32/system_library.h).

Usage: check-imports.py OBJDUMP EXECUTABLE...
OBJDUMP is a PE objdump (x86_64-w64-mingw32-objdump); its -p output lists the imports."""
import re
import subprocess
import sys

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10 (the WOW64
# entries left out), plus ntdll, which every process has before any search.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll", "ntdll.dll",
}

DLL_NAME = re.compile(r"^\s*DLL Name:\s*(\S+)\s*$")


def imports(objdump, executable):
    output = subprocess.run([objdump, "-p", executable], check=True, capture_output=True,
                            text=True).stdout
    return [match.group(1) for match in map(DLL_NAME.match, output.splitlines()) if match]


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    objdump = sys.argv[1]
    failed = False
    for executable in sys.argv[2:]:
        names = imports(objdump, executable)
        if not names:
            print(f"{executable}: no imports found; is this a PE executable?")
            failed = True
            continue
        print(f"{executable}: {', '.join(names)}")
        for name in names:
            if name.lower() not in KNOWN_DLLS:
                print(f"{executable}: imports {name}, which is not a Known DLL: a copy beside "
                      "the executable would be loaded. Load it at run time from the system "
                      "directory instead.")
                failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()

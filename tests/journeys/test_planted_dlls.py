"""A program downloaded into a folder where a web page has dropped DLLs named like the
libraries it uses: started there, used on every page and closed, it loads none of them.
A program of the tests' own that loads the ordinary way, from the same folder, does."""

import os
import shutil

from harness import BUILD, Journey

# The libraries the program loads that are not Known DLLs, and what Wine's Direct3D and
# user32 load while it runs.
PLANTED = ("d3d11", "dxgi", "dwmapi", "d3dcompiler_47", "iphlpapi", "powrprof", "uxtheme",
           "opengl32", "wined3d")
CLOSE_BUTTON = (1114 - 40 + 14, 30)


class PlantedDllsJourney(Journey):
    def setUp(self):
        super().setUp()
        self.downloads = os.path.join(self.machine.prefix, "drive_c", "users", "Public",
                                      "Downloads")
        os.makedirs(self.downloads, exist_ok=True)
        for name in ("QuillfarrowOptimizer.exe", "qf_plain_imports.exe"):
            shutil.copy(os.path.join(BUILD, name), self.downloads)
        for name in PLANTED:
            shutil.copy(os.path.join(BUILD, "qf_planted_dll.dll"),
                        os.path.join(self.downloads, name + ".dll"))
        self.marker = os.path.join(self.downloads, "loaded.txt")
        self.machine.env["QF_PLANTED_MARKER"] = r"C:\users\Public\Downloads\loaded.txt"
        # Wine would take its own copies otherwise, whatever the program did.
        self.machine.env["WINEDLLOVERRIDES"] += ";" + ",".join(PLANTED) + "=n,b"

    def loaded(self):
        if not os.path.exists(self.marker):
            return []
        with open(self.marker, encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]

    def test_a_session_on_every_page_loads_no_planted_library(self):
        program = self.start(executable=os.path.join(self.downloads, "QuillfarrowOptimizer.exe"))
        for page in [1, 2, 3, 4, 5, 0]:
            program.open_page(page)
        program.click(*CLOSE_BUTTON)
        self.assertEqual(program.wait_for_exit(), 0)
        self.assertEqual(self.loaded(), [])

    def test_a_program_without_the_protection_loads_the_planted_copy(self):
        result = self.machine.wine(os.path.join(self.downloads, "qf_plain_imports.exe"),
                                   "load", "d3d11.dll")
        self.assertEqual(result.returncode, 0)
        names = sorted(os.path.basename(path.replace("\\", "/")).lower()
                       for path in self.loaded())
        self.assertEqual(names, ["d3d11.dll", "dwmapi.dll"])

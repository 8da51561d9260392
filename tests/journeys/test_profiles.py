"""Profiles and revert-all as a person uses them: the Laptop profile from the Profiles page,
the Competitive one from the Dashboard, then "REVERT ALL"; the summary lines, and every
registry value and service start type the tweaks touched back as it was."""

import os
import re

from harness import Journey, wait_until

PROFILES, DASHBOARD = 4, 0
LAPTOP_APPLY = (347, 463)
COMPETITIVE = (924, 413)
REVERT_ALL = (924, 489)
SERVICES = ("DiagTrack", "dmwappushservice")
# What the tweaks write: the user's hive, the machine's software and its services.
EXPORTED = ("HKCU", r"HKLM\SOFTWARE", r"HKLM\SYSTEM\CurrentControlSet\Services",
            r"HKLM\SYSTEM\CurrentControlSet\Control")


# Wine's own bookkeeping, rewritten as the program starts: the volatile copy of the system
# parameters, and the display and device drivers' records. No tweak writes there.
WINE_BOOKKEEPING = re.compile(r"HKEY_CURRENT_USER\\SOFTWARE\\WINE\\|"
                              r"HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\"
                              r"(CLASS|VIDEO|SERVICECURRENT)(\\|$)")


def parse_export(text):
    """{(key, value name): data} of a `reg export` file, Wine's bookkeeping left out."""
    values = {}
    key = None
    pending = ""
    for line in text.splitlines():
        if pending:
            line = pending + line.strip()
            pending = ""
        if line.endswith("\\"):
            pending = line[:-1]
            continue
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1].upper()
        elif key and "=" in line and not WINE_BOOKKEEPING.match(key):
            name, data = line.split("=", 1)
            values[(key, name.upper())] = data
    return values


class ProfilesJourney(Journey):
    def export(self):
        values = {}
        for root in EXPORTED:
            path = os.path.join(self.machine.root, "export.reg")

            def export_once():
                result = self.machine.wine("reg", "export", root,
                                           "Z:" + path.replace("/", "\\"), "/y")
                return result.returncode == 0, result.stdout + result.stderr

            # Wine's `reg export` has been seen to fail now and then without a word, with
            # the program running beside it; a second try exports the same keys.
            self.machine.retry_tool(export_once, 20, f"an export of {root}")
            with open(path, encoding="utf-16") as f:
                values.update(parse_export(f.read()))
        return values

    def create_service(self, name):
        """A service whose program does not exist."""

        def create_once():
            if self.start_types()[name] == ("REG_DWORD", "0x2"):
                return True, b""
            result = self.machine.wine("sc", "create", name, "binpath=",
                                       "C:\\nowhere\\service.exe", "start=", "auto")
            return False, result.stdout + result.stderr

        # Wine's `sc` has been seen to fail without a word in a prefix just started on a
        # loaded machine, and its service manager to show the new key only a moment after
        # `sc` returned: it is asked again until the key is there.
        self.machine.retry_tool(create_once, 30, f"the new service {name} with its start type")

    def start_types(self):
        """The services' start types as the service manager keeps them. Wine's `sc` has no
        `qc` command, so they are read from the services' keys."""
        return {service: self.machine.reg_query(
                    r"HKLM\SYSTEM\CurrentControlSet\Services" + "\\" + service, "Start")
                for service in SERVICES}

    def summary(self, pattern):
        return re.search(pattern, self.machine.session_log())

    def test_profiles_then_revert_all_put_everything_back(self):
        for service in SERVICES:
            self.create_service(service)
        registry_before = self.export()
        start_types_before = self.start_types()

        program = self.start()
        program.open_page(PROFILES)
        program.click(*LAPTOP_APPLY)
        wait_until(lambda: self.summary(r"profile Laptop : \d+ tweaks"), 30, "Laptop's line")
        program.open_page(DASHBOARD)
        program.click(*COMPETITIVE)
        wait_until(lambda: self.summary(r"profile Competitive : \d+ tweaks"), 60,
                   "Competitive's line")
        self.assertEqual(set(self.start_types().values()), {("REG_DWORD", "0x4")})
        program.click(*REVERT_ALL)
        wait_until(lambda: self.summary(r"revert all : \d+ ok, \d+ failures"), 60,
                   "revert-all's line")
        log = self.machine.session_log()
        # Every Laptop tweak applies under Wine. Competitive adds its other 15; all apply.
        self.assertRegex(log, r"profile Laptop : 6 tweaks\r\n")
        self.assertRegex(log, r"profile Competitive : 15 tweaks\r\n")
        # Of the 21 applied, one revert fails: powerplan. Wine's PowerGetActiveScheme is a
        # stub that fails, so the apply could not remember the plan before it (its
        # PowerSetActiveScheme stub succeeds), and the undo's fallback, powercfg, is not a
        # program Wine has. The tweak stays applied, as a failed revert must leave it.
        self.assertRegex(log, r"revert all : 20 ok, 1 failures\r\n")
        state = self.machine.data_file("state.bin")
        self.assertIn(b"powerplan", state)
        self.assertNotIn(b"powerplan.prev", state)

        after = self.export()
        changed = sorted((key, registry_before.get(key), after.get(key))
                         for key in set(registry_before) | set(after)
                         if registry_before.get(key) != after.get(key))
        self.assertEqual(changed, [])
        self.assertEqual(self.start_types(), start_types_before)

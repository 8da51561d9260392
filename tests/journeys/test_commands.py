"""The system's tools as the program runs them: a recording program of the tests' own stands
in for netsh, ipconfig, schtasks, powercfg and powershell, and each journey reads back the
exact command lines the DNS presets and the preinstalled-apps removal gave it."""

import subprocess
import unittest

from harness import CHILD, Journey, Machine, wait_until
from test_tweaks import FILTER_FIELD, FIRST_ROW


NETWORK, DEBLOAT = 2, 3
CLOUDFLARE = (374, 272)
BACK_TO_DHCP = (351, 314)
APPX_APPLY = (992, 222)
TASKS_APPLY = (992, 486)
TASKS = [r"\Microsoft\Windows\Application Experience\ProgramDataUpdater",
         r"\Microsoft\Windows\Application Experience\Microsoft Compatibility Appraiser",
         r"\Microsoft\Windows\Application Experience\StartupAppTask",
         r"\Microsoft\Windows\Autochk\Proxy",
         r"\Microsoft\Windows\Customer Experience Improvement Program\Consolidator",
         r"\Microsoft\Windows\Customer Experience Improvement Program\UsbCeip",
         r"\Microsoft\Windows\Feedback\Siuf\DmClient",
         r"\Microsoft\Windows\Feedback\Siuf\DmClientOnScenarioDownload",
         r"\Microsoft\Windows\Windows Error Reporting\QueueReporting"]
CONFIRM = (444, 417)
CANCEL = (582, 417)
DIALOG_TITLE_ROW = (375, 314, 540, 326)  # "Remove preinstalled apps?"

INTERFACES = r"HKLM\SYSTEM\CurrentControlSet\Services\{}\Parameters\Interfaces\{}"
NETSH = r"C:\windows\system32\netsh.exe"
IPCONFIG = r"C:\windows\system32\ipconfig.exe"
SCHTASKS = r"C:\windows\system32\schtasks.exe"
POWERCFG = r"C:\windows\system32\powercfg.exe"
POWERSHELL = r"C:\windows\system32\WindowsPowerShell\v1.0\powershell.exe"

PACKAGES = ["Microsoft.BingNews", "Microsoft.BingWeather", "Microsoft.BingFinance",
            "Microsoft.GetHelp", "Microsoft.Getstarted", "Microsoft.MicrosoftSolitaireCollection",
            "Microsoft.MicrosoftOfficeHub", "Microsoft.People", "Microsoft.SkypeApp",
            "Microsoft.WindowsFeedbackHub", "Microsoft.WindowsMaps", "Microsoft.ZuneMusic",
            "Microsoft.ZuneVideo", "Microsoft.MixedReality.Portal", "Clipchamp.Clipchamp",
            "Microsoft.Todos"]
APPX_REMOVAL = ("powershell -NoProfile -WindowStyle Hidden -ExecutionPolicy Bypass -Command \"$a=" +
                ",".join(f"'{name}'" for name in PACKAGES) +
                ";foreach($n in $a){Get-AppxPackage -AllUsers -Name $n|Remove-AppxPackage "
                "-AllUsers -ErrorAction SilentlyContinue}\"")


def netsh(arguments):
    return NETSH, "netsh " + arguments


FLUSH = (IPCONFIG, "ipconfig /flushdns")


class CommandsJourney(Journey):
    def setUp(self):
        super().setUp()
        self.machine.install_recorder()
        self.prove_the_recorder_runs()

    def prove_the_recorder_runs(self):
        """Each tool, started by its full path, must leave the recorder's line: otherwise a
        journey would read the absence of a line as the absence of a command."""
        for tool in Machine.TOOLS:
            path = "C:\\windows\\system32\\" + tool.replace("/", "\\")
            before = len(self.machine.recorded())
            result = self.machine.wine(path, "qf-probe")
            self.assertEqual(result.returncode, 0, f"{tool} did not run the recorder")
            lines = self.machine.recorded()[before:]
            self.assertEqual([line[0] for line in lines], [path], f"{tool} is not the recorder")
            self.assertTrue(lines[0][1].endswith(" qf-probe"), lines)
        self.probes = len(self.machine.recorded())

    def commands(self):
        return self.machine.recorded()[self.probes:]

    def preset_adapter(self):
        """The adapter name and alias of the interface a preset changes, or a skip."""
        result = self.machine.wine(CHILD, "adapter")
        if result.returncode == 3:
            raise unittest.SkipTest("this host has no network interface")
        self.assertEqual(result.returncode, 0, result.stderr)
        guid, alias = result.stdout.decode("utf-8").strip().split("\t")
        return guid, alias

    def dns_round_trip(self, program):
        program.open_page(NETWORK)
        program.click(*CLOUDFLARE)
        wait_until(lambda: FLUSH in self.commands(), 20, "the preset's commands")
        applied = list(self.commands())
        program.click(*BACK_TO_DHCP)
        wait_until(lambda: self.commands().count(FLUSH) == 2, 20, "the revert's commands")
        return applied, self.commands()[len(applied):]

    def test_a_preset_and_back_restores_the_static_servers_that_were_there(self):
        guid, alias = self.preset_adapter()
        self.machine.reg_add(INTERFACES.format("Tcpip", guid), "NameServer", "REG_SZ",
                             "9.9.9.9, 149.112.112.112 8.8.4.4")
        self.machine.reg_add(INTERFACES.format("Tcpip6", guid), "NameServer", "REG_SZ",
                             "2606:4700:4700::1111 2606:4700:4700::1001")
        program = self.start()
        applied, reverted = self.dns_round_trip(program)
        name = f'name="{alias}"'
        self.assertEqual(applied, [
            netsh(f"interface ipv4 set dnsservers {name} static 1.1.1.1 primary"),
            netsh(f"interface ipv4 add dnsservers {name} 1.0.0.1 index=2"),
            netsh(f"interface ipv6 set dnsservers {name} source=dhcp"),
            FLUSH,
        ])
        self.assertEqual(reverted, [
            netsh(f"interface ipv4 set dnsservers {name} static 9.9.9.9 primary"),
            netsh(f"interface ipv4 add dnsservers {name} 149.112.112.112 index=2"),
            netsh(f"interface ipv4 add dnsservers {name} 8.8.4.4 index=3"),
            netsh(f"interface ipv6 set dnsservers {name} static 2606:4700:4700::1111 primary"),
            netsh(f"interface ipv6 add dnsservers {name} 2606:4700:4700::1001 index=2"),
            FLUSH,
        ])
        self.machine.wait_for_log_line("dns -> CLOUDFLARE 1.1.1.1")
        self.machine.wait_for_log_line("dns -> dhcp")

    def test_a_preset_and_back_returns_an_interface_without_servers_to_dhcp(self):
        guid, alias = self.preset_adapter()
        program = self.start()
        _, reverted = self.dns_round_trip(program)
        name = f'name="{alias}"'
        self.assertEqual(reverted, [
            netsh(f"interface ipv4 set dnsservers {name} source=dhcp"),
            netsh(f"interface ipv6 set dnsservers {name} source=dhcp"),
            FLUSH,
        ])

    def open_appx_dialog(self, program):
        program.open_page(DEBLOAT)
        program.click(*APPX_APPLY)
        wait_until(lambda: program.box_has(DIALOG_TITLE_ROW, lambda rgb: min(rgb) > 0xB0), 10,
                   "the confirmation dialog")

    def dialog_closed(self, program):
        return not program.box_has(DIALOG_TITLE_ROW, lambda rgb: min(rgb) > 0xB0)

    def test_cancel_removes_nothing_and_confirm_runs_the_removal_once(self):
        program = self.start()
        self.open_appx_dialog(program)
        program.click(*CANCEL)
        wait_until(lambda: self.dialog_closed(program), 10, "the dialog to close")
        self.assertEqual(self.commands(), [])

        self.open_appx_dialog(program)
        program.click(*CONFIRM)
        wait_until(lambda: self.commands(), 30, "the removal command")
        wait_until(lambda: self.dialog_closed(program), 10, "the dialog to close")
        self.assertEqual(self.commands(), [(POWERSHELL, APPX_REMOVAL)])
        wait_until(lambda: b"debloat-appx" in self.machine.data_file("state.bin"), 15,
                   "the removal kept as applied")

    def test_scheduled_tasks_and_hibernation_run_the_tools_of_the_system_directory(self):
        program = self.start()
        program.open_page(DEBLOAT)
        program.click(*TASKS_APPLY)
        wait_until(lambda: len(self.commands()) == len(TASKS), 30, "the nine task changes")
        self.assertEqual(self.commands(), [
            (SCHTASKS, f'schtasks /Change /TN "{task}" /Disable') for task in TASKS])

        program.open_page(1)
        program.click(*FILTER_FIELD)
        program.type_text("hibernation")
        program.click(*FIRST_ROW)
        wait_until(lambda: len(self.commands()) > len(TASKS), 30, "the hibernation command")
        self.assertEqual(self.commands()[len(TASKS):], [(POWERCFG, "powercfg /h off")])

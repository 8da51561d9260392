"""The header's restore-point button against a stand-in for System Restore of the tests'
own: the busy label while the request runs, then the outcome in the log and the header."""

import os

from harness import BUILD, Journey, near, replace_file, wait_until

WIDTH = 1114
BUTTON = (WIDTH - 178, 56, WIDTH - 28, 86)
BUTTON_FILL = (WIDTH - 178 + 4, 71)  # inside the fill, left of the label
BUSY_LABEL = (WIDTH - 28 - 90, 64, WIDTH - 28, 78)
BADGE = (WIDTH - 178 - 10 - 70, 61, WIDTH - 178 - 10, 80)


def lighter_than(level):
    return lambda rgb: min(rgb) > level


class RestorePointJourney(Journey):
    def request(self, answer):
        system32 = os.path.join(self.machine.prefix, "drive_c", "windows", "system32")
        replace_file(os.path.join(BUILD, "srclient_standin.dll"),
                     os.path.join(system32, "srclient.dll"))
        # Wine would load its own srclient.dll otherwise.
        self.machine.env["WINEDLLOVERRIDES"] += ";srclient=n"
        self.machine.env["QF_RESTORE_POINT_ANSWER"] = answer
        program = self.start()
        button_shown = lambda: (program.pixel_is(*BUTTON_FILL, "#121017", 3) or
                                program.pixel_is(*BUTTON_FILL, "#1A1722", 3))
        wait_until(button_shown, 10, "the restore-point button")
        program.click((BUTTON[0] + BUTTON[2]) // 2, (BUTTON[1] + BUTTON[3]) // 2)
        # The stand-in takes two seconds: the label shows in the button's place meanwhile.
        wait_until(lambda: not button_shown(), 5, "the button to give way")
        self.assertTrue(program.box_has(BUSY_LABEL, lighter_than(0x60)), "no busy label")
        self.assertIn("restore point in progress...", self.machine.session_log())
        wait_until(button_shown, 20, "the button to come back")
        return program

    def test_a_created_point_is_logged_saved_and_shown(self):
        program = self.request("created")
        wait_until(lambda: "restore point created" in self.machine.session_log(), 5,
                   "the line of a created point")
        # The badge shows in the first frame presented after the line is written.
        wait_until(lambda: program.box_has(BADGE, lambda rgb: near(rgb, "#37E08B", 40)), 5,
                   "the POINT OK badge")
        program.click(WIDTH - 40 + 14, 30)
        self.assertEqual(program.wait_for_exit(), 0)
        # The flag was saved: the badge is there again in the next run.
        again = self.start()
        wait_until(lambda: again.box_has(BADGE, lambda rgb: near(rgb, "#37E08B", 40)), 10,
                   "the badge in the next run")

    def test_a_refused_point_is_logged_as_a_denial(self):
        program = self.request("denied")
        wait_until(lambda: "point denied (system protection disabled?)" in
                   self.machine.session_log(), 5, "the line of a denial")
        self.assertNotIn("restore point created", self.machine.session_log())
        self.assertFalse(program.box_has(BADGE, lambda rgb: near(rgb, "#37E08B", 40)))

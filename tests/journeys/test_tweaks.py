"""A tweak toggled on the Tweaks page, found with the filter, and its exact undo, also across
a restart of the program."""

from harness import Journey, wait_until

WIDTH = 1114
FILTER_FIELD = (264 + 200, 117 + 22 + 14)
# The first row of the list, below its category header.
FIRST_ROW = (500, 265)
SWITCH_TRACK = (1038, 258)  # the track's upper part, clear of the knob in both positions

USER_KEY = r"HKCU\System\GameConfigStore"
POLICY_KEY = r"HKLM\SOFTWARE\Policies\Microsoft\Windows\GameDVR"


class TweaksJourney(Journey):
    def seed(self):
        # A value the tweak does not write, and one that is not there at all.
        self.machine.reg_add(USER_KEY, "GameDVR_Enabled", "REG_DWORD", "5")
        self.machine.wine("reg", "delete", POLICY_KEY, "/v", "AllowGameDVR", "/f")
        self.assertIsNone(self.machine.reg_query(POLICY_KEY, "AllowGameDVR"))

    def game_dvr_row(self, program):
        program.open_page(1)
        program.click(*FILTER_FIELD)
        program.type_text("game dvr")
        wait_until(lambda: "Game DVR" in self.visible_rows(program), 10, "the one row left")

    def visible_rows(self, program):
        # The switch of the first row shows once the list has a row; a second row would put
        # a second switch 56 pixels below.
        first = program.box_has((SWITCH_TRACK[0] - 2, SWITCH_TRACK[1] - 2, SWITCH_TRACK[0] + 2,
                                 SWITCH_TRACK[1] + 2), lambda rgb: max(rgb) > 0x15)
        second = program.box_has((SWITCH_TRACK[0] - 2, SWITCH_TRACK[1] + 54,
                                  SWITCH_TRACK[0] + 2, SWITCH_TRACK[1] + 58),
                                 lambda rgb: max(rgb) > 0x15)
        return "Game DVR" if first and not second else ""

    def switch_on(self, program):
        return program.pixel_is(*SWITCH_TRACK, "#F5A524", 8)

    def values(self):
        return (self.machine.reg_query(USER_KEY, "GameDVR_Enabled"),
                self.machine.reg_query(POLICY_KEY, "AllowGameDVR"))

    def wait_for_values(self, expected, what):
        """Waits for both values; at the deadline the failure shows what they are instead."""
        try:
            wait_until(lambda: self.values() == expected, 15, what)
            return
        except AssertionError:
            pass
        self.assertEqual(self.values(), expected, f"{what}, after 15 s")

    def test_filter_toggle_on_and_off_restores_exactly(self):
        self.seed()
        before = self.values()
        program = self.start()
        self.game_dvr_row(program)
        self.assertFalse(self.switch_on(program))
        program.click(*FIRST_ROW)
        self.wait_for_values((("REG_DWORD", "0x0"), ("REG_DWORD", "0x0")), "both values written")
        wait_until(lambda: self.switch_on(program), 5, "the switch on")
        self.machine.wait_for_log_line("applied  Game DVR")
        state = self.machine.data_file("state.bin")
        self.assertIn(b"gamedvr", state)
        for name in ("GameDVR_Enabled", "AllowGameDVR"):
            self.assertIn(name.encode("utf-16-le"), state)

        program.click(*FIRST_ROW)
        self.wait_for_values(before, "both values as they were")
        self.machine.wait_for_log_line("reverted  Game DVR")
        self.assertNotIn(b"gamedvr", self.machine.data_file("state.bin"))

    def test_a_tweak_applied_before_a_restart_reverts_after_it(self):
        self.seed()
        before = self.values()
        program = self.start()
        self.game_dvr_row(program)
        program.click(*FIRST_ROW)
        self.wait_for_values((("REG_DWORD", "0x0"), ("REG_DWORD", "0x0")), "both values written")
        program.click(WIDTH - 40 + 14, 30)
        self.assertEqual(program.wait_for_exit(), 0)

        again = self.start()
        self.game_dvr_row(again)
        wait_until(lambda: self.switch_on(again), 5, "the switch on after the restart")
        again.click(*FIRST_ROW)
        self.wait_for_values(before, "both values as they were")

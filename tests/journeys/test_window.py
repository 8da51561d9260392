"""The window itself: the sidebar's pages, the window buttons, the drag strip and the
resize border."""

import time

from harness import ACCENT, Journey, accent_bar, wait_until

CLIENT = (1114, 714)  # the client area of the 1120 x 720 window at 96 DPI
CARD_BORDER = "#23202D"
# A pixel of the top edge of each page's first card (the Tweaks page's filter field).
FIRST_CARD_TOP = {0: (300, 139), 1: (464, 146), 2: (300, 139), 3: (300, 139), 4: (300, 139),
                  5: (300, 139)}


class WindowJourney(Journey):
    def test_each_page_opens_from_the_sidebar(self):
        program = self.start()
        for page in [1, 2, 3, 4, 5, 0]:
            with self.subTest(page=page):
                program.open_page(page)
                for other in range(6):
                    if other != page:
                        self.assertFalse(program.pixel_is(*accent_bar(other), ACCENT, 40),
                                         f"item {other} also marked")
                x, y = FIRST_CARD_TOP[page]
                self.assertTrue(program.pixel_is(x, y, CARD_BORDER, 4),
                                f"no card edge at {x},{y}: {program.pixel(x, y)}")
                self.assertFalse(program.pixel_is(x, y - 3, CARD_BORDER, 4),
                                 f"the card starts above {x},{y}")

    def test_the_drag_strip_moves_the_window(self):
        program = self.start()
        left, top = program.client_origin()
        program.move_to(600, 20)
        program.press()
        program.drag_by(100, 80)
        program.release()
        # The system's move loop starts once the drag passes Dear ImGui's threshold of a few
        # pixels; from then on the window follows the pointer.
        moved = wait_until(lambda: program.client_origin() != (left, top) and
                           program.client_origin(), 10, "the window moved")
        self.assertTrue(88 <= moved[0] - left <= 100, moved)
        self.assertTrue(70 <= moved[1] - top <= 80, moved)

    def test_the_resize_border_grows_and_stops_at_the_minimum(self):
        program = self.start()
        left, top, width, height = program.geometry()
        self.assertEqual((width, height), CLIENT)
        program.move_to(width - 1, height - 1)
        program.press()
        program.drag_by(50, 40)
        program.release()
        wait_until(lambda: program.geometry()[2:] == (width + 50, height + 40), 10,
                   "the window grown by (50, 40)")
        program.move_to(width + 49, height + 39)
        program.press()
        program.drag_by(-500, -400)
        program.release()
        # 980 x 680 is the smallest window, 974 x 674 its client area.
        wait_until(lambda: program.geometry()[2:] == (974, 674), 10,
                   "the window at its minimum size")
        self.assertEqual(program.client_origin(), (left, top))

    def test_maximize_fills_the_screen_and_a_second_click_restores(self):
        program = self.start()
        before = program.geometry()
        program.click(CLIENT[0] - 70 + 14, 30)
        # The virtual display has no task bar: the work area is the whole screen, and the
        # client area is the window less its 3-pixel border.
        wait_until(lambda: program.geometry() == (3, 3, 1914, 1074), 10, "a maximized window")
        program.click(1914 - 70 + 14, 30)
        wait_until(lambda: program.geometry() == before, 10, "the rectangle from before")

    def test_a_minimized_window_costs_almost_no_processor_time(self):
        program = self.start()
        self.assertFalse(program.is_iconic())
        program.click(CLIENT[0] - 100 + 14, 30)
        wait_until(program.is_iconic, 10, "a minimized window")
        start_cpu, start = program.processor_seconds(), time.monotonic()
        time.sleep(3)
        per_second = (program.processor_seconds() - start_cpu) / (time.monotonic() - start)
        self.assertLess(per_second, 0.05)

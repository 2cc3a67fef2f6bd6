"""capture_window end to end: opening from main_window, the rubber band,
the toolbar, cancel, recognize's charge and close."""

import os
import unittest

from vorbel_e2e import (ProgramTestCase, bmp_pixel, click_control, controls, drag, key, read_settings_lines,
                        screenshot, wait_until, windows)

CANVAS = "画板1"
TOOLBAR = "分组框1"
CANCEL = "图形按钮1"
RECOGNIZE = "图形按钮2"
CLOSE = "图形按钮3"
YELLOW = (255, 255, 0)


class CaptureWindowTest(ProgramTestCase):

    def open_capture_window(self):
        self.start_program()
        click_control("main_window", "按钮1")
        shown = wait_until(lambda: windows().get("capture_window", {}).get("visible"), 30)
        self.assertTrue(shown, windows())
        self.assertFalse(windows()["main_window"]["visible"])
        inner = controls("capture_window")[CANVAS]["inner"]
        self.origin = (inner["left"], inner["top"])

    def screen(self, x, y):
        """Canvas coordinates to screen coordinates."""
        return self.origin[0] + x, self.origin[1] + y

    def drag_on_canvas(self, x1, y1, x2, y2):
        drag(*self.screen(x1, y1), *self.screen(x2, y2))

    def canvas_pixels(self, points):
        shot = screenshot(os.path.join(self.folder, "screen.bmp"))
        return [bmp_pixel(shot, *self.screen(x, y)) for x, y in points]

    def toolbar(self):
        return controls("capture_window")[TOOLBAR]

    def test_window_and_canvas_cover_the_screen(self):
        self.open_capture_window()
        rect = windows()["capture_window"]["rect"]
        self.assertEqual((rect["left"], rect["top"], rect["width"], rect["height"]), (0, 0, 1920, 1080))
        canvas = controls("capture_window")[CANVAS]["screen"]
        self.assertEqual((canvas["left"], canvas["top"], canvas["width"], canvas["height"]), (0, 0, 1920, 1080))
        self.assertFalse(self.toolbar()["visible"])

    def test_a_drag_draws_the_band_and_puts_the_toolbar_under_its_end(self):
        self.open_capture_window()
        self.drag_on_canvas(100, 100, 300, 250)
        toolbar = wait_until(lambda: self.toolbar()["visible"] and self.toolbar())
        self.assertTrue(toolbar)
        self.assertEqual((toolbar["client"]["left"], toolbar["client"]["top"]), (205, 263))
        edges = [(200, 100), (100, 175), (300, 175), (200, 250)]
        self.assertEqual(self.canvas_pixels(edges), [YELLOW] * 4)
        self.assertNotEqual(self.canvas_pixels([(200, 175)]), [YELLOW])

    def test_cancel_erases_the_band_and_hides_the_toolbar(self):
        self.open_capture_window()
        self.drag_on_canvas(100, 100, 300, 250)
        self.assertTrue(wait_until(lambda: self.toolbar()["visible"]))
        click_control("capture_window", CANCEL)
        self.assertTrue(wait_until(lambda: not self.toolbar()["visible"]))
        for pixel in self.canvas_pixels([(200, 100), (100, 175), (300, 175), (200, 250)]):
            self.assertNotEqual(pixel, YELLOW)

    def test_recognize_charges_the_mode_and_disables_itself(self):
        self.open_capture_window()
        self.drag_on_canvas(100, 100, 300, 250)
        self.assertTrue(wait_until(lambda: self.toolbar()["visible"]))
        click_control("capture_window", RECOGNIZE)
        self.assertTrue(wait_until(lambda: not controls("capture_window")[RECOGNIZE]["enabled"]))
        self.assertTrue(wait_until(lambda: "fr0=49" in read_settings_lines(self.folder)),
                        read_settings_lines(self.folder))

    def test_close_brings_main_window_back(self):
        self.open_capture_window()
        self.drag_on_canvas(100, 100, 300, 250)
        self.assertTrue(wait_until(lambda: self.toolbar()["visible"]))
        click_control("capture_window", CLOSE)
        self.assertTrue(wait_until(lambda: "capture_window" not in windows()))
        self.assertTrue(windows()["main_window"]["visible"])

    def test_escape_closes_and_main_window_shows_the_charged_count(self):
        self.open_capture_window()
        self.drag_on_canvas(100, 100, 300, 250)
        self.assertTrue(wait_until(lambda: self.toolbar()["visible"]))
        click_control("capture_window", RECOGNIZE)
        self.assertTrue(wait_until(lambda: "fr0=49" in read_settings_lines(self.folder)),
                        read_settings_lines(self.folder))
        # The click on recognize left the X focus on the program's window.
        key("Escape")
        self.assertTrue(wait_until(lambda: "capture_window" not in windows()), windows())
        self.assertTrue(windows()["main_window"]["visible"])
        self.assertTrue(wait_until(lambda: controls("main_window")["标签_普剩"]["text"] == "49"),
                        controls("main_window")["标签_普剩"])


if __name__ == "__main__":
    unittest.main()

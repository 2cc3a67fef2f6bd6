"""main_window end to end: the settings file, the counts, the mode, the
recognize button's refusal and the F hotkey."""

import os
import time
import unittest

from vorbel_e2e import (MAIN_TITLE, SCREEN_HEIGHT, SCREEN_WIDTH, ProgramTestCase, attributes, centre_of,
                        click_control, click, close_window, controls, key, message_box_text, read_settings_lines,
                        today_text, wait_until, windows, write_settings)

NORMAL = "单选框1"
ACCURATE = "单选框2"
NORMAL_LEFT = "标签_普剩"
ACCURATE_LEFT = "标签_准剩"
RECOGNIZE = "按钮1"


class MainWindowTest(ProgramTestCase):

    def counts(self):
        found = controls("main_window")
        return found[NORMAL_LEFT]["text"], found[ACCURATE_LEFT]["text"]

    def test_first_start_writes_a_hidden_settings_file_and_shows_full_counts(self):
        self.start_program()
        self.assertEqual(wait_until(self.counts), ("50", "10"))
        self.assertEqual(read_settings_lines(self.folder),
                         ["[config]", "option=1", "fr0=50", "fr1=10", "date=" + today_text()])
        found = attributes(os.path.join(self.folder, "config.ini"))
        self.assertIsNotNone(found)
        self.assertTrue(found["hidden"], found)
        self.assertFalse(found["readonly"], found)
        radios = controls("main_window")
        self.assertTrue(radios[NORMAL]["checked"])
        self.assertFalse(radios[ACCURATE]["checked"])

    def test_stored_choice_and_counts_of_the_same_day_are_shown(self):
        cases = [
            ("2", "7", "3", False, True),
            ("1", "-1", "0", True, False),
            ("3", "12", "4", False, False),
        ]
        for option, normal, accurate, want_normal, want_accurate in cases:
            with self.subTest(option=option):
                write_settings(self.folder, ["[config]", f"option={option}", f"fr0={normal}", f"fr1={accurate}",
                                             "date=" + today_text()])
                program = self.start_program()
                self.assertEqual(wait_until(self.counts), (normal, accurate))
                found = controls("main_window")
                self.assertEqual((found[NORMAL]["checked"], found[ACCURATE]["checked"]),
                                 (want_normal, want_accurate))
                program.stop()

    def test_a_used_up_normal_count_is_refused_with_a_message(self):
        write_settings(self.folder, ["[config]", "option=1", "fr0=0", "fr1=10", "date=" + today_text()])
        self.start_program()
        click_control("main_window", RECOGNIZE)
        self.assertEqual(message_box_text(), "普通识别的次数已经用完了！")
        self.assertNotIn("capture_window", windows())
        self.assertTrue(windows()["main_window"]["visible"])

    def test_f_key_centres_main_window(self):
        self.start_program()
        before = windows()["main_window"]["rect"]
        self.assertEqual((before["left"], before["top"]), (50, 50))
        # A click on a plain label gives the program's window the X focus.
        click(*centre_of(controls("main_window")["标签2"]["screen"]))
        key("f")

        def centred():
            rect = windows()["main_window"]["rect"]
            want = ((SCREEN_WIDTH - rect["width"]) // 2, (SCREEN_HEIGHT - rect["height"]) // 2)
            return (rect["left"], rect["top"]) == want and rect
        rect = wait_until(centred, 10)
        self.assertTrue(rect, windows()["main_window"]["rect"])
        self.assertEqual((rect["width"], rect["height"]), (before["width"], before["height"]))

    def test_closing_saves_the_chosen_mode(self):
        program = self.start_program()
        wait_until(self.counts)
        click_control("main_window", ACCURATE)
        self.assertTrue(wait_until(lambda: controls("main_window")[ACCURATE]["checked"]))
        self.assertTrue(close_window(MAIN_TITLE))
        self.assertEqual(program.wait_exit(20), 0)
        lines = read_settings_lines(self.folder)
        self.assertIn("option=2", lines)
        self.assertEqual(lines[0], "[config]")


if __name__ == "__main__":
    unittest.main()

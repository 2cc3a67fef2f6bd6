"""The update check and the visit counter of each start, end to end against
the stand-in server: the notice for a newer version, silence for the same
version or an unreachable page, and one counter call per start."""

import unittest

from standin_e2e import PAGE_READER_AGENT, StandinTestCase, of_service, wait_for_requests
from vorbel_e2e import (click_control, close_message_box, controls, message_box_text, probe,
                        wait_until, windows)

NOTICE = "软件有新版本！"
ACCURATE = "单选框2"
COUNTS = ("标签_普剩", "标签_准剩")
CLOSED_PORT_PAGE = "http://127.0.0.1:9/update.html"
QUIET_SECONDS = 5


class BackgroundTasksTest(StandinTestCase):

    def message_box_open(self):
        status, _ = probe("message-box")
        return status == 0

    def check_main_window_works(self):
        found = controls("main_window")
        self.assertTrue(windows()["main_window"]["visible"])
        self.assertEqual(tuple(found[name]["text"] for name in COUNTS), ("50", "10"))
        click_control("main_window", ACCURATE)
        self.assertTrue(wait_until(lambda: controls("main_window")[ACCURATE]["checked"]), "the radio button ignored a click")

    def stop_and_check_one_visit(self, program):
        program.stop()
        self.assertIsNotNone(program.wait_exit(20), "the program did not end")
        visits = [(e["method"], e["path"], e["scheme"]) for e in of_service(self.standin.requests(), "counter")]
        self.assertEqual(visits, [("GET", "/", "http")])

    def test_a_newer_version_shows_the_notice_and_main_window_stays_usable(self):
        self.standin.configure(version="1.1")
        program = self.start_program()
        self.assertEqual(message_box_text(40), NOTICE)
        # The box belongs to the update worker's thread, not to main_window.
        self.check_main_window_works()
        self.assertTrue(close_message_box())
        self.assertTrue(wait_until(lambda: not self.message_box_open()), "the notice stayed open")

        pages = of_service(self.standin.requests(), "update")
        self.assertEqual(len(pages), 1, pages)
        page = pages[0]
        self.assertEqual((page["method"], page["path"], page["version"]), ("GET", "/update.html", "HTTP/1.0"))
        self.assertEqual(page["headers"].get("User-Agent"), PAGE_READER_AGENT)
        self.assertEqual(page["headers"].get("Accept"), "*/*")
        self.stop_and_check_one_visit(program)

    def test_no_notice_for_the_same_version_or_an_unreachable_page(self):
        cases = [
            ("same version", {}, True),
            ("closed port", {"VORBEL_UPDATE_PAGE": CLOSED_PORT_PAGE}, False),
        ]
        for name, env, page_at_standin in cases:
            with self.subTest(case=name):
                self.standin.reset()
                program = self.start_program(**env)
                self.assertTrue(wait_for_requests(self.standin, "counter"), "no visit was counted")
                pages = wait_for_requests(self.standin, "update") if page_at_standin else []
                self.assertEqual(len(pages), 1 if page_at_standin else 0, pages)
                # Nothing to wait for when all is well: give a notice time to come.
                self.assertFalse(wait_until(self.message_box_open, QUIET_SECONDS), message_box_text(1))
                self.check_main_window_works()
                self.stop_and_check_one_visit(program)
                self.programs.remove(program)


if __name__ == "__main__":
    unittest.main()

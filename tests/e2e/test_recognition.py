"""The road of one recognition end to end, against the stand-in server:
opening capture_window fetches the accurate token, a selection is cut out of
the screenshot and posted to the recognition service, the lines and their
translation show in the result panel, and the mode's count drops by one."""

import os
import time
import unittest
import urllib.parse

from standin_e2e import (ACCURATE_CLIENT_ID, ACCURATE_TOKEN, GENERAL_CLIENT_ID, GENERAL_TOKEN, TRANSLATE_APPID,
                         ScreenPattern, bmp_header, body_matches, client_id, file_bytes, of_service,
                         pattern_mismatches, percent_all, raw_query, recognition_body, region_mismatches,
                         StandinTestCase, translation_sign, wait_for_requests)
from vorbel_e2e import (click_control, controls, drag, read_settings_lines, screenshot, today_text,
                        wait_until, windows, write_settings)

CANVAS = "画板1"
TOOLBAR = "分组框1"
RECOGNIZE = "图形按钮2"
CLOSE = "图形按钮3"
PANEL = "分组框2"
RESULT = "编辑框1"

NORMAL, ACCURATE = 1, 2
LINES = "Hellobigworld\r\n"
TRANSLATION = "你好"
SELECTION = (100, 100, 300, 250)
IMAGE_WIDTH, IMAGE_HEIGHT, IMAGE_BYTES = 200, 150, 90054
PANEL_AT = (675, 950)
QUIET_SECONDS = 5
ENDPOINT = {NORMAL: "/rest/2.0/ocr/v1/general_basic", ACCURATE: "/rest/2.0/ocr/v1/accurate_basic"}
TOKEN = {NORMAL: GENERAL_TOKEN, ACCURATE: ACCURATE_TOKEN}
COUNT_KEY = {NORMAL: "fr0", ACCURATE: "fr1"}


class RecognitionTest(StandinTestCase):

    # --- steps ----------------------------------------------------------

    def start_in_mode(self, mode):
        write_settings(self.folder, ["[config]", f"option={mode}", "fr0=50", "fr1=10", "date=" + today_text()])
        self.start_program()

    def open_capture_window(self):
        click_control("main_window", "按钮1")
        shown = wait_until(lambda: windows().get("capture_window", {}).get("visible"), 40)
        self.assertTrue(shown, windows())
        inner = controls("capture_window")[CANVAS]["inner"]
        self.origin = (inner["left"], inner["top"])

    def select_and_recognize(self):
        x1, y1, x2, y2 = SELECTION
        ox, oy = self.origin
        drag(ox + x1, oy + y1, ox + x2, oy + y2)
        toolbar = wait_until(lambda: controls("capture_window").get(TOOLBAR, {}).get("visible"))
        self.assertTrue(toolbar, "no toolbar after the drag")
        click_control("capture_window", RECOGNIZE)

    def result(self):
        """(分组框2, 编辑框1) as the probe reads them; empty when missing."""
        found = controls("capture_window")
        return found.get(PANEL, {}), found.get(RESULT, {})

    def wait_result_text(self, want, seconds=40):
        def done():
            panel, text = self.result()
            return text.get("text") == want and (panel, text)
        got = wait_until(done, seconds)
        return got or self.result()

    def count(self, mode):
        lines = read_settings_lines(self.folder) or []
        prefix = COUNT_KEY[mode] + "="
        return next((line[len(prefix):] for line in lines if line.startswith(prefix)), None)

    # --- checks ---------------------------------------------------------

    def check_recognition_request(self, entry, mode, screen_shot):
        self.assertEqual((entry["scheme"], entry["method"]), ("https", "POST"))
        self.assertEqual(entry["path"], f"{ENDPOINT[mode]}?access_token={TOKEN[mode]}")
        self.assertEqual(entry["headers"].get("Content-Type"), "application/x-www-form-urlencoded")
        self.assertIn("image_file", entry, entry)
        image = file_bytes(entry["image_file"])
        self.assertTrue(body_matches(entry, recognition_body(image)),
                        "body is not image= and the percent-encoded Base64 of the image")

        size_field, _, width, height, bits = bmp_header(image)
        self.assertEqual((len(image), size_field, width, abs(height), bits),
                         (IMAGE_BYTES, IMAGE_BYTES, IMAGE_WIDTH, IMAGE_HEIGHT, 24))
        # The screen under capture_window is the frozen screenshot, drawn
        # from the canvas's inner corner on.
        x1, y1 = SELECTION[:2]
        self.assertEqual(region_mismatches(image, screen_shot, self.origin[0] + x1, self.origin[1] + y1), [])
        if self.pattern:
            self.assertEqual(pattern_mismatches(image, x1, y1), [])

    def check_translation_request(self, entry):
        self.assertEqual((entry["scheme"], entry["method"]), ("https", "GET"))
        self.assertTrue(entry["path"].startswith("/api/trans/vip/translate?"), entry["path"])
        query = raw_query(entry)
        self.assertEqual([name for name, _ in query], ["q", "from", "to", "appid", "salt", "sign"])
        values = dict(query)
        self.assertEqual(values["q"], percent_all(LINES.encode("utf-8")))
        self.assertEqual(values["from"], "%61%75%74%6F")
        self.assertEqual(values["to"], "zh")
        self.assertEqual(values["appid"], percent_all(TRANSLATE_APPID.encode()))
        salt = urllib.parse.unquote(values["salt"])
        self.assertRegex(salt, r"^1\d{9}$")
        self.assertGreaterEqual(int(salt[5:]), 10000, salt)
        self.assertEqual(urllib.parse.unquote(values["sign"]), translation_sign(LINES.encode("utf-8"), salt))

    # --- tests ----------------------------------------------------------

    def recognize_in_mode(self, mode):
        self.pattern = ScreenPattern()
        if not self.pattern.start():
            self.pattern = None
        self.start_in_mode(mode)
        counts_before = {m: self.count(m) for m in (NORMAL, ACCURATE)}

        self.open_capture_window()
        # The window shows only once the accurate token has come, whatever
        # the mode.
        opening = of_service(self.standin.requests(), "token")
        self.assertEqual([client_id(e) for e in opening], [ACCURATE_CLIENT_ID])
        self.assertEqual((opening[0]["scheme"], opening[0]["method"], opening[0]["body_length"]), ("https", "POST", 0))
        screen_shot = screenshot(os.path.join(self.folder, f"capture-{mode}.bmp"))

        self.select_and_recognize()
        panel, text = self.wait_result_text(LINES + TRANSLATION)
        self.assertEqual(text.get("text"), LINES + TRANSLATION)
        self.assertTrue(panel["visible"])
        self.assertEqual((panel["client"]["left"], panel["client"]["top"]), PANEL_AT)

        log = [e for e in self.standin.requests() if e["service"] in ("token", "ocr", "translate")]
        want = ["token", "ocr", "translate"] if mode == ACCURATE else ["token", "token", "ocr", "translate"]
        self.assertEqual([e["service"] for e in log], want, [(e["service"], e["path"]) for e in log])
        if mode == NORMAL:
            self.assertEqual(client_id(log[1]), GENERAL_CLIENT_ID)
        self.check_recognition_request(of_service(log, "ocr")[0], mode, screen_shot)
        self.check_translation_request(of_service(log, "translate")[0])
        want_counts = dict(counts_before)
        want_counts[mode] = str(int(counts_before[mode]) - 1)
        self.assertEqual({m: self.count(m) for m in (NORMAL, ACCURATE)}, want_counts)

    def test_a_selection_is_recognized_and_translated_in_both_modes(self):
        for mode in (NORMAL, ACCURATE):
            with self.subTest(mode=mode):
                self.standin.reset()
                try:
                    self.recognize_in_mode(mode)
                finally:
                    for program in self.programs:
                        program.stop()
                    self.programs.clear()
                    if self.pattern:
                        self.pattern.stop()

    def token_and_recognition_requests(self):
        """The log's token and recognition requests as short names, oldest
        first: "accurate token", "general token", "ocr"."""
        names = []
        for e in self.standin.requests():
            if e["service"] == "token":
                names.append("general token" if client_id(e) == GENERAL_CLIENT_ID else "accurate token")
            elif e["service"] == "ocr":
                names.append("ocr")
        return names

    def test_a_worker_whose_window_closed_changes_nothing(self):
        self.pattern = None
        self.start_in_mode(NORMAL)
        answer_delay = 4
        self.standin.configure(delay={"ocr": answer_delay})
        self.open_capture_window()
        self.select_and_recognize()
        late = wait_for_requests(self.standin, "ocr")
        self.assertTrue(late, "no recognition request")
        answered_by = late[0]["time"] + answer_delay

        click_control("capture_window", CLOSE)
        self.assertTrue(wait_until(lambda: "capture_window" not in windows()), windows())
        self.assertTrue(windows()["main_window"]["visible"])

        # A new opening with a quick answer: only its own result may show,
        # also once the late answer has reached the first worker.
        self.standin.configure(delay={})
        self.open_capture_window()
        self.select_and_recognize()
        panel, text = self.wait_result_text(LINES + TRANSLATION)
        self.assertEqual(text.get("text"), LINES + TRANSLATION)
        time.sleep(max(0.0, answered_by + 2 - time.time()))
        panel, text = self.result()
        self.assertEqual(text.get("text"), LINES + TRANSLATION)
        self.assertEqual((panel["visible"], panel["client"]["left"], panel["client"]["top"]), (True,) + PANEL_AT)
        self.assertTrue(self.programs[0].running())
        self.assertEqual(self.count(NORMAL), "48", read_settings_lines(self.folder))
        # Each normal recognition fetched a token of its own.
        self.assertEqual(self.token_and_recognition_requests(),
                         ["accurate token", "general token", "ocr"] * 2)

        click_control("capture_window", CLOSE)
        self.assertTrue(wait_until(lambda: windows().get("main_window", {}).get("visible")), windows())

    def test_accurate_recognition_after_a_failed_token_is_sent_without_token_and_shows_nothing(self):
        self.pattern = None
        self.start_in_mode(ACCURATE)
        self.standin.configure(fail=["token"])
        self.open_capture_window()
        self.select_and_recognize()
        sent = wait_for_requests(self.standin, "ocr")
        self.assertTrue(sent, "no recognition request")
        self.assertEqual(sent[0]["path"], ENDPOINT[ACCURATE] + "?access_token=")
        # The service's error answer holds no lines: the panel must stay
        # hidden; give a wrong one time to show.
        self.assertFalse(wait_until(lambda: self.result()[0].get("visible"), QUIET_SECONDS))
        self.assertEqual(self.result()[1].get("text"), "")
        self.assertEqual(of_service(self.standin.requests(), "translate"), [])
        self.assertFalse(controls("capture_window")[RECOGNIZE]["enabled"])
        self.assertEqual(self.count(ACCURATE), "9", read_settings_lines(self.folder))

if __name__ == "__main__":
    unittest.main()

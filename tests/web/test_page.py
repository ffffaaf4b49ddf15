#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web page in headless Chromium, typed into and clicked as a user does: both calculations,
Text8's reformatting, a failure's message, any text in any box, phone widths and the printed
page. Every test ends with a console free of errors. Usage: test_page.py threewire.html"""
import base64
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

PAGE = Path(sys.argv.pop(1)).resolve().as_uri()
BOXES = ["Text6", "Text7", "Text8", "txtt", "txtn", "txtd2", "txtd0", "txtr", "txtm", "Text101"]
M10 = {"txtt": "1.5", "txtn": "1", "txtd2": "9.026", "txtd0": "0.866", "txtr": "60"}
RECT = "const r = document.getElementById('Form1').getBoundingClientRect(); return [r.left, r.width, r.height]"


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        options = webdriver.ChromeOptions()
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--user-data-dir=" + tempfile.mkdtemp()):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.addClassCleanup(cls.driver.quit)

    def setUp(self):
        self.open()

    def tearDown(self):
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] != "INFO"], [])

    def open(self, pasted={}):
        self.driver.get(PAGE)
        WebDriverWait(self.driver, 10).until(lambda driver: driver.execute_script(
            "return performance.getEntriesByName('threewire-ready').length"))
        self.driver.execute_script(  # as a paste does: one change of the text, selected before
            "for (const [name, text] of Object.entries(arguments[0])) {"
            "  const box = document.getElementById(name); box.focus(); box.select();"
            "  document.execCommand('insertText', false, text); }", pasted)

    def type(self, typed):
        for name, text in typed.items():
            self.box(name).clear()
            self.box(name).send_keys(text)

    def box(self, name):
        return self.driver.find_element(By.ID, name)

    def texts(self):
        return self.driver.execute_script(
            "return Object.fromEntries(arguments[0].map((n) => [n, document.getElementById(n).value]))", BOXES)

    def test_start(self):
        self.assertEqual(self.driver.title, "多线螺纹(大螺旋角)三针测量")
        self.assertEqual(self.driver.execute_script("return performance.getEntriesByType('resource')"), [])
        self.assertEqual(self.driver.execute_script(RECT)[1:], [317, 349])  # 4755 × 5235 twips
        self.assertEqual(self.box("txtd0").get_attribute("value"), "0.118")
        self.assertEqual(self.driver.execute_script(  # the wire box's button opens the list
            "const r = document.getElementById('txtd0').getBoundingClientRect();"
            "return document.elementFromPoint(r.right - 5, r.top + r.height / 2).id"), "txtd0-list")
        # The focus starts on 打 印; Tab walks on to the wire diameter and the lead angle.
        for name in ("Command7", "txtd0", "Text101"):
            self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), name)
            self.driver.switch_to.active_element.send_keys(Keys.TAB)

    def test_results(self):
        cases = [  # name, typed texts, a list entry picked, button, expected texts
            ("best wire M10×1.5", {"Text6": "1.5", "Text7": "60"}, None, "Command9",
             {"Text8": "0.866"}),  # 1.5 / (2 cos 30°)
            ("best wire, comma typed", {"Text6": "1,5", "Text7": "60"}, None, "Command9",
             {"Text8": "8.660"}),  # en-US groups digits with ",": 15 / (2 cos 30°)
            ("typed digit", {"Text8": "1"}, None, None, {"Text8": "1.000"}),
            ("typed letters", {"Text8": "x1"}, None, None, {"Text8": "x1"}),
            # lead angle atan(1.5 / (π 9.026)) = 3.028°
            ("M10×1.5, wire typed", M10, None, "Command101", {"Text101": "3.028", "txtm": " 10.327"}),
            ("M10×1.5, wire picked", {**M10, "txtd0": ""}, "0.866", "Command101",
             {"Text101": "3.028", "txtm": " 10.327", "txtd0": "0.866"}),
        ]
        for name, typed, picked, button, expected in cases:
            with self.subTest(name):
                self.open()
                self.type(typed)
                if picked:
                    Select(self.box("txtd0-list")).select_by_visible_text(picked)
                if button:
                    self.box(button).click()
                self.assertEqual({k: v for k, v in self.texts().items() if k in expected}, expected)
        self.assertIn("迭代收敛解：M = 10.3267 mm", self.box("txtm").get_attribute("title"))

    def test_failures(self):
        cases = [  # name, typed texts, button, the message's first line and the box it names
            ("empty pitch", {"Text7": "60"}, "Command9", "无法计算理论三针直径。", "“输入螺距”"),
            ("angle before pitch", {"Text7": "abc"}, "Command9", "无法计算理论三针直径。", "“输入螺纹牙形角”"),
            ("no starts", {"txtn": "0"}, "Command101", "无法计算M值。", "“输入线数”"),
            ("180°", {"txtr": "180"}, "Command101", "无法计算M值。", "“输入牙形角”"),
        ]
        for name, typed, button, what_failed, box in cases:
            with self.subTest(name):
                self.open(pasted=M10)
                self.box("Command101").click()  # a result and a tooltip, which the failure keeps
                self.type(typed)
                before = self.texts()
                self.box(button).click()
                message = self.box("message-text").text
                self.assertTrue(message.startswith(what_failed + "\n") and box in message, message)
                self.assertEqual(self.texts(), before)
                self.assertEqual(self.box("txtm").get_attribute("title") == "", button == "Command101")
                self.driver.find_element(By.CSS_SELECTOR, "#message button").click()
                self.assertIsNone(self.box("message").get_attribute("open"))

    def test_any_text_in_any_box(self):
        for text in ["9" * 100_000, "1e400", "-0", "\u0000\t\n", "１．５", "<b>&amp;</b>", "1" + "0" * 5000]:
            with self.subTest(text[:12]):
                self.open(pasted={name: text for name in BOXES})
                for button in ("Command9", "Command101"):
                    self.box(button).click()
                    if self.box("message").get_attribute("open"):
                        self.driver.find_element(By.CSS_SELECTOR, "#message button").click()

    def test_phone_widths(self):
        self.addCleanup(self.driver.execute_cdp_cmd, "Emulation.clearDeviceMetricsOverride", {})
        for width in (280, 320, 360):
            with self.subTest(width):
                self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": 740, "deviceScaleFactor": 2, "mobile": True})
                self.open()
                left, shown, _ = self.driver.execute_script(RECT)
                # Scaled down only where 317 pixels do not fit, and then to the screen's width.
                self.assertAlmostEqual(shown, min(width, 317), delta=1)
                self.assertTrue(left >= 0 and left + shown <= width, (left, shown))
                self.assertLessEqual(self.driver.execute_script("return document.documentElement.scrollWidth"), width)
                self.assertEqual(self.box("txtt").get_attribute("inputmode"), "decimal")

    def test_prints_at_true_size(self):
        pdf = self.driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"]
        with tempfile.TemporaryDirectory() as folder:
            Path(folder, "page.pdf").write_bytes(base64.b64decode(pdf))
            subprocess.run(["pdftoppm", "-r", "96", "-singlefile", "page.pdf", "page"], cwd=folder, check=True)
            _, size, _, pixels = Path(folder, "page.ppm").read_bytes().split(b"\n", 3)
        width = int(size.split()[0])
        ink = [i // 3 for i in range(0, len(pixels), 3) if pixels[i:i + 3] != b"\xff\xff\xff"]
        xs, ys = [i % width for i in ink], [i // width for i in ink]
        # 10 mm at 96 dpi is 37.8 pixels; the window is 317 × 349 pixels, 83.9 × 92.3 mm.
        box = (min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
        for got, expected, slack in zip(box, (38, 38, 317, 349), (1, 1, 2, 2)):
            self.assertLessEqual(abs(got - expected), slack, box)


if __name__ == "__main__":
    unittest.main()

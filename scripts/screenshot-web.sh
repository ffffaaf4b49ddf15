#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the README's pictures of the web page in headless Chromium: the window alone, and the
# whole screen of a phone 360 × 740 pixels wide and high (device emulation).
# Usage: scripts/screenshot-web.sh [window.png] [phone.png]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web-test
scripts/package-web.sh >/dev/null
/usr/bin/python3 - "$PWD/dist/threewire.html" "${1:-docs/screenshot-web.png}" \
  "${2:-docs/screenshot-web-phone.png}" <<'PYTHON'
import sys, tempfile
from pathlib import Path
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

page, window_png, phone_png = sys.argv[1:]
options = webdriver.ChromeOptions()
for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--hide-scrollbars",
             "--user-data-dir=" + tempfile.mkdtemp()):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
ready = "return performance.getEntriesByName('threewire-ready').length"
for width, height, mobile, png in ((800, 600, False, window_png), (360, 740, True, phone_png)):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
    driver.get(Path(page).as_uri())
    while not driver.execute_script(ready):
        pass
    if mobile:
        driver.save_screenshot(png)
    else:
        driver.find_element(By.ID, "Form1").screenshot(png)
    print(png)
driver.quit()
PYTHON

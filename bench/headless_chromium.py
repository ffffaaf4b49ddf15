# SPDX-License-Identifier: MIT
"""Headless Chromium for the web benchmarks, as the machine allows it: as root without the sandbox,
with a profile of its own, and without the background traffic that a closed network refuses."""
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def start_chromium():
    options = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--user-data-dir=" + tempfile.mkdtemp()):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

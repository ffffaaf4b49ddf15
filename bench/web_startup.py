#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times opening dist/threewire.html in headless Chromium until the window is built and ready
(the page's performance mark threewire-ready, in ms from the start of the navigation), and until
its first paint. The browser is started and the page opened once before the timed loads.
Usage: bench/web_startup.py [loads, default 21]   Goal: median ready at most 100 ms."""
import statistics
import subprocess
import sys
from pathlib import Path

top = Path(__file__).resolve().parent.parent
subprocess.run([top / "scripts/install-deps.sh", "web-test"], check=True)
subprocess.run([top / "scripts/package-web.sh"], check=True, stdout=subprocess.DEVNULL)

from headless_chromium import start_chromium  # selenium, installed by the line above

driver = start_chromium()
timings = """
  const ready = performance.getEntriesByName('threewire-ready')[0];
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  return ready && paint ? [ready.startTime, paint.startTime] : null;"""
ready, paint = [], []
for load in range((int(sys.argv[1]) if len(sys.argv) > 1 else 21) + 1):
    driver.get((top / "dist/threewire.html").as_uri())
    while not (times := driver.execute_script(timings)):
        pass
    if load:  # the first load warms the browser's caches
        ready.append(times[0])
        paint.append(times[1])
driver.quit()
print(f"ready: median {statistics.median(ready):.1f} ms (min {min(ready):.1f}, max {max(ready):.1f})")
print(f"first paint: median {statistics.median(paint):.1f} ms")

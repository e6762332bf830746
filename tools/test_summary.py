#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of one ctest run and prints GoogleTest's closing summary."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

folder = sys.argv[1] if len(sys.argv) > 1 else "test-results"
total = failed = skipped = 0
failed_names = []
for path in sorted(glob.glob(os.path.join(folder, "*.xml"))):
    root = ET.parse(path).getroot()
    for case in root.iter("testcase"):
        total += 1
        if case.find("failure") is not None:
            failed += 1
            failed_names.append(f"{case.get('classname')}.{case.get('name')}")
        elif case.find("skipped") is not None or case.get("result") == "skipped":
            skipped += 1
passed = total - failed - skipped
print(f"[==========] {total} tests ran.")
print(f"[  PASSED  ] {passed} tests.")
if skipped:
    print(f"[  SKIPPED ] {skipped} tests.")
if failed:
    print(f"[  FAILED  ] {failed} tests, listed below:")
    for name in failed_names:
        print(f"[  FAILED  ] {name}")
print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))

#!/usr/bin/env python3
"""Adds up the GoogleTest XML results of a test run and prints 'N passed, N failed'.

A test program registered with CTest that left no result file (it crashed or hung) counts as
one failure, so a broken program never disappears from the count."""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

build = pathlib.Path(sys.argv[1])
results = build / "test-results"
passed = failed = skipped = 0

registered = set()
ctest_file = build / "CTestTestfile.cmake"
if ctest_file.exists():
    registered = set(re.findall(r'add_test\(\[=\[(\w+)\]=\]', ctest_file.read_text()))
    registered |= set(re.findall(r'add_test\((\w+) ', ctest_file.read_text()))

seen = set()
for report in sorted(results.glob("*.xml")):
    seen.add(report.stem)
    try:
        root = ET.parse(report).getroot()
    except ET.ParseError:
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1

for missing in sorted(registered - seen):
    print(f"no results from test program '{missing}' (crashed or did not run)")
    failed += 1

line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)

#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of the code and of the tests, and their ratio.

Code is the C++ of src/, apps/ and tools/; tests are the C++ of tests/. Blank lines and lines
that hold only a `//` or `/* */` comment are left out. The aim is tests at most a third of code.
"""
import os
import re
import sys

CODE_DIRS = ["src", "apps", "tools"]
TEST_DIRS = ["tests"]
EXTS = {".h", ".cpp"}


def count_file(path):
    ext = os.path.splitext(path)[1]
    n = 0
    in_block = False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            s = line.strip()
            if in_block:
                if "*/" in s:
                    in_block = False
                    s = s.split("*/", 1)[1].strip()
                else:
                    continue
            if ext in (".h", ".cpp"):
                if s.startswith("/*"):
                    if "*/" not in s:
                        in_block = True
                    continue
                if s.startswith("//"):
                    continue
            elif ext in (".sql", ".case") and s.startswith("--"):
                continue
            elif ext in (".py", ".txt", ".cmake") and s.startswith("#"):
                continue
            if s:
                n += 1
    return n


def count(root, dirs):
    total = 0
    for d in dirs:
        for base, _, files in os.walk(os.path.join(root, d)):
            for name in files:
                if os.path.splitext(name)[1] in EXTS:
                    total += count_file(os.path.join(base, name))
    return total


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    code = count(root, CODE_DIRS)
    tests = count(root, TEST_DIRS)
    print(f"code {code} tests {tests} ratio {tests / max(code, 1):.1%}")


if __name__ == "__main__":
    main()

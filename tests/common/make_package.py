#!/usr/bin/env python3
"""Builds a zip for the package installer's tests: OUT, then NAME=TEXT pairs
(each NAME stored exactly as given, "../evil" included)."""
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for pair in sys.argv[2:]:
        name, _, text = pair.partition("=")
        z.writestr(name, text.replace("\\n", "\n"))

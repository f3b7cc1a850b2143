#!/usr/bin/python3
"""Builds a zip for the package installer's tests: OUT, then NAME=TEXT pairs
(each NAME stored exactly as given, "../evil" included). A TEXT of
"%random:N" stores N bytes that do not compress (the same every time)."""
import random
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for pair in sys.argv[2:]:
        name, _, text = pair.partition("=")
        if text.startswith("%random:"):
            z.writestr(name, random.Random(1).randbytes(int(text[8:])))
        else:
            z.writestr(name, text.replace("\\n", "\n"))

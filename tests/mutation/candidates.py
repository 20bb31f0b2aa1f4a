#!/usr/bin/env python3
"""Lists the gtest names defined in test files: python3 candidates.py FILE... -> 'binary<TAB>Suite.Test'."""
import re, sys, os
pat = re.compile(r'^\s*(TEST|TEST_F|TEST_P)\(\s*(\w+)\s*,\s*(\w+)\s*\)')
for f in sys.argv[1:]:
    layer = os.path.basename(os.path.dirname(os.path.abspath(f)))
    for line in open(f):
        m = pat.match(line)
        if m:
            name = f"{m.group(2)}.{m.group(3)}"
            if m.group(1) == 'TEST_P':
                name = f"*/{name}/*"
            print(f"{layer}_tests\t{name}\t{f}")

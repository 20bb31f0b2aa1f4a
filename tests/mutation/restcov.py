#!/usr/bin/env python3
"""Source lines run by all tests except the candidates: restcov.py COVBUILD SRCROOT CANDS.tsv OUT.json"""
import collections, json, os, subprocess, sys
from gcov_lines import lines_run, reset
covbuild, srcroot, candfile, out = sys.argv[1:5]
cands = collections.defaultdict(list)
for l in open(candfile):
    if l.strip():
        b, name = l.split('\t')[:2]
        cands[b].append(name)
reset(covbuild)
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
for b in ['numeric_tests', 'bigint_tests', 'canvas_tests', 'output_tests', 'ui_tests', 'lang_tests',
          'expr_tests', 'graph_tests']:
    flt = '-' + ':'.join(cands[b]) if cands[b] else '*'
    r = subprocess.run([f'{covbuild}/tests/{b}', f'--gtest_filter={flt}', '--gtest_brief=1'], env=env,
                       capture_output=True, text=True, timeout=1200, cwd=f'{covbuild}/tests')
    print(b, r.returncode, flush=True)
lines = lines_run(covbuild, srcroot)
json.dump(lines, open(out, 'w'))
print('lines', sum(len(v) for v in lines.values()))

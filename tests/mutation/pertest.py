#!/usr/bin/env python3
"""Per-test coverage: pertest.py COVBUILD SRCROOT CANDS.tsv OUT.json -> {test: {file, cov}}"""
import json, os, subprocess, sys
from gcov_lines import lines_run, reset
covbuild, srcroot, candfile, out = sys.argv[1:5]
result = json.load(open(out)) if os.path.exists(out) else {}
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
for l in open(candfile):
    if not l.strip():
        continue
    b, name, f = l.rstrip('\n').split('\t')
    key = f'{b}:{name}'
    if key in result:
        continue
    reset(covbuild)
    subprocess.run([f'{covbuild}/tests/{b}', f'--gtest_filter={name}'], env=env, capture_output=True,
                   timeout=600, cwd=f'{covbuild}/tests')
    result[key] = {'file': f, 'cov': lines_run(covbuild, srcroot)}
    json.dump(result, open(out, 'w'))
    print(key, sum(len(v) for v in result[key]['cov'].values()), flush=True)

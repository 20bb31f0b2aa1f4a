#!/usr/bin/env python3
"""Per-test coverage: pertest.py COVBUILD SRCROOT CANDS.tsv OUT.json -> {test: {src: [lines]}}"""
import json, os, subprocess, sys, glob, collections
covbuild, srcroot, candfile, out = sys.argv[1:5]
def gcov_one(gcda):
    r = subprocess.run(['gcov', '--json-format', '--stdout', gcda], capture_output=True, text=True,
                       cwd=os.path.dirname(gcda))
    res = collections.defaultdict(set)
    for chunk in r.stdout.splitlines():
        try:
            data = json.loads(chunk)
        except json.JSONDecodeError:
            continue
        for f in data.get('files', []):
            path = os.path.realpath(os.path.join(data.get('current_working_directory', ''), f['file']))
            if path.startswith(os.path.join(srcroot, 'src') + '/'):
                for l in f['lines']:
                    if l['count'] > 0:
                        res[os.path.relpath(path, srcroot)].add(l['line_number'])
    return res
result = json.load(open(out)) if os.path.exists(out) else {}
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
for l in open(candfile):
    if not l.strip():
        continue
    b, name, f = l.rstrip('\n').split('\t')
    key = f'{b}:{name}'
    if key in result:
        continue
    for g in glob.glob(f'{covbuild}/**/*.gcda', recursive=True):
        os.remove(g)
    subprocess.run([f'{covbuild}/tests/{b}', f'--gtest_filter={name}'], env=env, capture_output=True,
                   timeout=600, cwd=f'{covbuild}/tests')
    total = collections.defaultdict(set)
    for g in glob.glob(f'{covbuild}/src/**/*.gcda', recursive=True):
        for k, v in gcov_one(g).items():
            total[k] |= v
    result[key] = {'file': f, 'cov': {k: sorted(v) for k, v in total.items()}}
    json.dump(result, open(out, 'w'))
    print(key, sum(len(v) for v in total.values()), flush=True)

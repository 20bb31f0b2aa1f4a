#!/usr/bin/env python3
"""Source lines executed by all tests except the candidates: restcov.py COVBUILD SRCROOT CANDS.tsv OUT.json"""
import json, os, subprocess, sys, glob, collections
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
covbuild, srcroot, candfile, out = sys.argv[1:5]
cands = collections.defaultdict(list)
for l in open(candfile):
    if l.strip():
        b, name = l.split('\t')[:2]
        cands[b].append(name)
for g in glob.glob(f'{covbuild}/**/*.gcda', recursive=True):
    os.remove(g)
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
for b in ['numeric_tests', 'bigint_tests', 'canvas_tests', 'output_tests', 'ui_tests', 'lang_tests', 'expr_tests', 'graph_tests']:
    flt = '-' + ':'.join(cands[b]) if cands[b] else '*'
    r = subprocess.run([f'{covbuild}/tests/{b}', f'--gtest_filter={flt}', '--gtest_brief=1'], env=env,
                       capture_output=True, text=True, timeout=1200, cwd=f'{covbuild}/tests')
    print(b, r.returncode, flush=True)

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
total = collections.defaultdict(set)
for g in glob.glob(f'{covbuild}/src/**/*.gcda', recursive=True):
    for k, v in gcov_one(g).items():
        total[k] |= v
json.dump({k: sorted(v) for k, v in sorted(total.items())}, open(out, 'w'))
print('lines', sum(len(v) for v in total.values()))

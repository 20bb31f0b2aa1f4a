#!/usr/bin/env python3
"""Runs mutants: is each one caught without the candidate tests, and if not, by which candidates?
usage: run.py TREE MUTANTS.jsonl CANDIDATES.tsv RESULTS.jsonl"""
import json, os, re, subprocess, sys, time, collections
tree, mutfile, candfile, resfile = sys.argv[1:5]
build = f'{tree}/build'
ORDER = ['numeric_tests', 'bigint_tests', 'canvas_tests', 'output_tests', 'ui_tests', 'lang_tests',
         'expr_tests', 'graph_tests']
TARGETS = [f'tests/{b}' for b in ORDER] + ['src/kalvor']
cands = collections.defaultdict(list)
for l in open(candfile):
    if l.strip():
        b, name = l.split('\t')[:2]
        cands[b].append(name)
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
done = set()
if os.path.exists(resfile):
    done = {json.loads(l)['id'] for l in open(resfile) if l.strip()}

def run(binary, flt, fail_fast):
    args = [f'{build}/tests/{binary}', f'--gtest_filter={flt}', '--gtest_color=no']
    if fail_fast:
        args += ['--gtest_fail_fast=1', '--gtest_brief=1']
    try:
        r = subprocess.run(args, env=env, capture_output=True, text=True, timeout=150,
                           cwd=f'{build}/tests', errors='replace')
    except subprocess.TimeoutExpired:
        return ['TIMEOUT']
    if r.returncode == 0:
        return []
    # '[  FAILED  ] Suite.Name (3 ms)', or for a parameterised one 'Rows/Suite.Name/row, where …';
    # the summary line '[  FAILED  ] 2 tests, listed below:' names no test.
    failed = [re.split(r'[ ,]', l.split('] ', 1)[1])[0] for l in r.stdout.splitlines()
              if l.startswith('[  FAILED  ] ') and not re.match(r'\[  FAILED  \] \d+ tests?,', l)]
    if not failed:  # a crash: blame the test that was running
        runs = [l.split('] ', 1)[1].strip() for l in r.stdout.splitlines() if l.startswith('[ RUN      ]')]
        failed = [f'CRASH:{runs[-1]}' if runs else f'CRASH:rc{r.returncode}']
    return sorted(set(failed))

def rest_filter(b):
    return '-' + ':'.join(cands[b]) if cands[b] else '*'

def build_ok():
    r = subprocess.run(['ninja', '-C', build] + TARGETS, capture_output=True, text=True)
    return r.returncode == 0

if not build_ok():
    sys.exit('baseline does not build')
for line in open(mutfile):
    m = json.loads(line)
    if m['id'] in done:
        continue
    path = f"{tree}/{m['file']}"
    orig = open(path).read()
    lines = orig.split('\n')
    text = lines[m['line'] - 1]
    if m['old'] not in text:
        continue
    lines[m['line'] - 1] = text.replace(m['old'], m['new'], 1)
    t0 = time.time()
    try:
        open(path, 'w').write('\n'.join(lines))
        res = dict(m)
        if not build_ok():
            res['status'] = 'nocompile'
        else:
            res['status'] = 'survived'
            for b in ORDER:
                f = run(b, rest_filter(b), True)
                if f:
                    res['status'], res['by'] = 'rest', [f'{b}:{x}' for x in f]
                    break
            if res['status'] == 'survived':
                only = []
                for b in ORDER:
                    if cands[b]:
                        only += [f'{b}:{x}' for x in run(b, ':'.join(cands[b]), False)]
                if only:
                    res['status'], res['by'] = 'candidates', only
    finally:
        open(path, 'w').write(orig)
    res['secs'] = round(time.time() - t0, 1)
    with open(resfile, 'a') as out:
        out.write(json.dumps(res) + '\n')
    print(res['status'], res['id'], res.get('by', ''), res['secs'], flush=True)
build_ok()

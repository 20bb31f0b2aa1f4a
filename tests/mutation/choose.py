#!/usr/bin/env python3
"""Chooses candidate tests to keep so that every source line the candidates execute stays executed.
choose.py REST.json PERTEST.json RESULTS.jsonl [MUST_KEEP...]"""
import json, os, sys, re, collections
rest = {k: set(v) for k, v in json.load(open(sys.argv[1])).items()}
per = json.load(open(sys.argv[2]))
must = set(sys.argv[4:])
# mutants only candidates caught: one of their catchers stays (the first, unless one already does)
caught_only_by_candidates = [sorted(r['by']) for r in map(json.loads, open(sys.argv[3]))
                             if r['status'] == 'candidates']
for catchers in caught_only_by_candidates:
    if not must & set(catchers):
        must.add(catchers[0])
# test sizes
size = {}
for key, v in per.items():
    b, name = key.split(':', 1)
    src = open(os.path.join(os.environ.get('KALVOR_TREE', '.'), v['file'])).read().split('\n')
    suite, test = name.split('.')[0], name.split('.')[1]
    start = next(i for i, s in enumerate(src) if re.match(rf'^\s*TEST(_F|_P)?\(\s*{suite}\s*,\s*{test}\s*\)', s))
    end = next((i for i in range(start + 1, len(src)) if re.match(r'^\s*TEST(_F|_P)?\(', s := src[i])), len(src))
    size[key] = end - start
lines = {k: {(f, n) for f, ns in v['cov'].items() for n in ns} for k, v in per.items()}
restset = {(f, n) for f, ns in rest.items() for n in ns}
need = set().union(*lines.values()) - restset
keep = set(k for k in must if k in per)
for k in keep:
    need -= lines[k]
while need:
    best = max((k for k in per if k not in keep), key=lambda k: len(lines[k] & need) / max(size[k], 1))
    if not lines[best] & need:
        break
    keep.add(best)
    need -= lines[best]
drop = [k for k in per if k not in keep]
byfile = collections.defaultdict(lambda: [0, 0])
for k in per:
    byfile[per[k]['file']][0 if k in keep else 1] += size[k]
print('keep', len(keep), 'drop', len(drop), 'dropped test lines ~', sum(size[k] for k in drop))
for f, (kept, dropped) in sorted(byfile.items()):
    print(f'  {f}: kept {kept}, dropped {dropped}')
json.dump({'keep': sorted(keep), 'drop': sorted(drop)}, open('selection.json', 'w'), indent=1)

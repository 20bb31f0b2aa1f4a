#!/usr/bin/env python3
"""Deletes whole TEST blocks (with the comment lines right above them): droptests.py SELECTION.json CANDIDATES.tsv TREE"""
import json, re, sys, collections
sel = json.load(open(sys.argv[1]))
per = {}
for l in open(sys.argv[2]):
    b, name, f = l.rstrip('\n').split('\t')
    per[f'{b}:{name}'] = f
byfile = collections.defaultdict(list)
for k in sel['drop']:
    byfile[per[k]].append(k.split(':', 1)[1])
for f, names in byfile.items():
    path = sys.argv[3] + '/' + f
    src = open(path).read().split('\n')
    kill = set()
    for name in names:
        suite, test = name.split('.')
        start = next(i for i, s in enumerate(src)
                     if re.match(rf'^TEST(_F|_P)?\(\s*{suite}\s*,\s*{test}\s*\)', s))
        end = next(i for i in range(start, len(src)) if src[i] == '}')
        while start > 0 and src[start - 1].startswith('//'):
            start -= 1
        kill.update(range(start, end + 1))
        if end + 1 < len(src) and src[end + 1] == '':
            kill.add(end + 1)
    out = [s for i, s in enumerate(src) if i not in kill]
    open(path, 'w').write('\n'.join(out))
    print(f, len(kill))

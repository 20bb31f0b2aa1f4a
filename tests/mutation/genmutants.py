#!/usr/bin/env python3
"""Samples mutants on the source lines each test file executes.
usage: genmutants.py SRCROOT COVDIR PER_FILE SEED > mutants.jsonl"""
import json, os, random, re, sys, glob
srcroot, covdir, per_file, seed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
counts = json.load(open(sys.argv[5])) if len(sys.argv) > 5 else {}
rng = random.Random(seed)
decl = re.compile(r'^(const\s+|static\s+|constexpr\s+)*[\w:<>,]+[\s\*&]+\w+\s*(=|\{|\(|;|\[)')
expr_stmt = re.compile(r'^[\w\]\)\.\->\[\*:]+\s*(\(|\.|->|=[^=]|\+=|-=|\*=|/=|\|=|&=|\+\+|--|<<|\[)')
BIN = [(' <= ', ' < '), (' < ', ' <= '), (' >= ', ' > '), (' > ', ' >= '), (' == ', ' != '),
       (' != ', ' == '), (' + ', ' - '), (' - ', ' + '), (' * ', ' / '), (' / ', ' * '),
       (' && ', ' || '), (' || ', ' && '), ('true', 'false'), ('false', 'true')]

def balanced(s):
    return s.count('(') == s.count(')') and s.count('{') == s.count('}')

def mutants_of(lines, i):
    text = lines[i - 1]
    s = text.strip()
    out = []
    if not s or s.startswith(('//', '#', 'case ', 'default:', 'template', 'namespace')):
        return out
    prev = lines[i - 2].strip() if i >= 2 else ''
    if (s.endswith(';') and balanced(s) and not s.startswith(('return', 'break', 'continue'))
            and expr_stmt.match(s) and not decl.match(s)
            and (prev.endswith((';', '{', '}')) or prev.startswith('//') or prev == '')):
        out.append(('delete', s, ';'))
    for a, b in BIN:
        if a in text and not s.startswith(('#include',)):
            out.append(('op', a, b))
    m = re.search(r'\bif \((.*)\)( \{)?$', s)
    if m and balanced(m.group(1)):
        out.append(('negate', f'if ({m.group(1)})', f'if (!({m.group(1)}))'))
    for m in re.finditer(r'(?<![\w.])(\d+)(?![\w.])', text):
        if '[' not in text[:m.start()][-2:]:
            out.append(('const', m.group(1), str(int(m.group(1)) + 1)))
    return out

# ids already run ('src/…:line:kind') are not sampled again
seen = set()
for done in (json.load(open(sys.argv[6])) if len(sys.argv) > 6 else []):
    src, line, _ = done.rsplit(':', 2)
    seen.add((src, int(line)))
for cov in sorted(glob.glob(f'{covdir}/*.json')):
    data = json.load(open(cov))
    pool = []
    for src, lns in data.items():
        if not src.endswith('.cpp'):
            continue
        if src.startswith(('src/expr/', 'src/bigint/')) and '__expr__' not in cov and '__bigint__' not in cov:
            continue
        lines = open(os.path.join(srcroot, src)).read().split('\n')
        for n in lns:
            if n <= len(lines):
                for kind, old, new in mutants_of(lines, n):
                    pool.append((src, n, kind, old, new))
    rng.shuffle(pool)
    taken, used_lines = 0, set()
    for src, n, kind, old, new in pool:
        if taken >= counts.get(os.path.basename(cov), per_file):
            break
        key = (src, n)
        if key in seen or key in used_lines:
            continue
        used_lines.add(key)
        seen.add(key)
        taken += 1
        print(json.dumps({'id': f'{src}:{n}:{kind}', 'file': src, 'line': n, 'kind': kind,
                          'old': old, 'new': new, 'for': os.path.basename(cov)}))

"""Source lines a --coverage build has run, read from its .gcda files with gcov."""
import collections, glob, json, os, subprocess


def reset(covbuild):
    for g in glob.glob(f'{covbuild}/**/*.gcda', recursive=True):
        os.remove(g)


def lines_run(covbuild, srcroot):
    """{'src/…': sorted line numbers} for every source line run since the last reset."""
    total = collections.defaultdict(set)
    for gcda in glob.glob(f'{covbuild}/src/**/*.gcda', recursive=True):
        r = subprocess.run(['gcov', '--json-format', '--stdout', gcda], capture_output=True,
                           text=True, cwd=os.path.dirname(gcda))
        for chunk in r.stdout.splitlines():
            try:
                data = json.loads(chunk)
            except json.JSONDecodeError:
                continue
            for f in data.get('files', []):
                path = os.path.realpath(os.path.join(data.get('current_working_directory', ''), f['file']))
                if path.startswith(os.path.join(srcroot, 'src') + '/'):
                    total[os.path.relpath(path, srcroot)].update(
                        l['line_number'] for l in f['lines'] if l['count'] > 0)
    return {k: sorted(v) for k, v in sorted(total.items())}

#!/usr/bin/env bash
# A mutation run: plants each fault of a list in the source, one at a time, and
# tells whether the tests meant to notice it fail (the mutant is killed) or pass
# (it survived: a gap in the tests, unless the list marks it as equivalent).
#
# Usage: tools/mutate.sh [-b BUILD_DIR] [-l LIST] [-t SECONDS] [--check] [NAME...]
#   BUILD_DIR  a configured build folder (default: build/, the dev preset's);
#              it is configured with the dev preset when it has none
#   LIST       the mutants (default: tools/mutants.txt, which describes its form)
#   SECONDS    the limit for each test (default 120)
#   --check    only checks that each mutant's text is found once in its file
#   NAME...    runs only these mutants (default: all)
#   JOBS=N in the environment sets the build's parallel jobs (default 2)
# For each mutant: its text is replaced in its file, only its test programs are
# built, only its tests run (ctest -R, stopping at the first failure), and the
# file gets its own bytes back, also when the run is stopped (Ctrl+C). A mutant
# marked "equivalent" is not run. The source and its tests are checked first
# without any mutant. Prints a table and the kill rate; the exit status is 0
# when every mutant that is not equivalent was killed.
# Not part of CI: a run takes tens of minutes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build" list="$root/tools/mutants.txt" timeout=120 check=0
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    -b) build="$(realpath "$2")"; shift 2 ;;
    -l) list="$(realpath "$2")"; shift 2 ;;
    -t) timeout="$2"; shift 2 ;;
    --check) check=1; shift ;;
    -h|--help) sed -n '2,/^# Not part of CI/p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) names+=("$1"); shift ;;
  esac
done
if [ "$check" -eq 0 ] && [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset dev >/dev/null)
fi
export ROOT="$root" BUILD="$build" LIST="$list" TIMEOUT="$timeout" CHECK="$check"
exec python3 - "${names[@]}" <<'PYTHON'
import os, signal, subprocess, sys, time

root, build, list_path = os.environ["ROOT"], os.environ["BUILD"], os.environ["LIST"]
timeout, check_only = os.environ["TIMEOUT"], os.environ["CHECK"] == "1"
jobs = os.environ.get("JOBS", "2")


def unescape(text):
    return text.replace("\\n", "\n").replace("\\t", "\t").replace("\\\\", "\\")


def read_list(path):
    """The mutants: blocks of "field: value" lines, parted by blank lines."""
    mutants, block = [], {}
    for number, line in enumerate(open(path, encoding="utf-8").read().splitlines() + [""], 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if block:
                missing = {"name", "file", "from", "to", "targets", "tests"} - block.keys()
                if missing:
                    sys.exit(f"{path}:{number}: mutant without {', '.join(sorted(missing))}")
                mutants.append(block)
            block = {}
            continue
        field, _, value = line.partition(":")
        block[field.strip()] = value[1:] if value.startswith(" ") else value
    return mutants


mutants = read_list(list_path)
wanted = sys.argv[1:]
unknown = set(wanted) - {m["name"] for m in mutants}
if unknown:
    sys.exit("no such mutant: " + ", ".join(sorted(unknown)))
if wanted:
    mutants = [m for m in mutants if m["name"] in wanted]

problems = []
for m in mutants:
    path = os.path.join(root, m["file"])
    found = open(path, encoding="utf-8").read().count(unescape(m["from"])) if os.path.exists(path) else 0
    if found != 1:
        problems.append(f'{m["name"]}: its text is found {found} times in {m["file"]}')
if problems:
    sys.exit("\n".join(problems))
if check_only:
    print(f"{len(mutants)} mutants, each text found once")
    sys.exit(0)

originals = {}  # path -> the file's own bytes while a mutant is in it


def restore(*_):
    for path, data in originals.items():
        with open(path, "wb") as f:
            f.write(data)
    originals.clear()


def stop(signum, _frame):
    restore()
    sys.exit(128 + signum)


signal.signal(signal.SIGINT, stop)
signal.signal(signal.SIGTERM, stop)
signal.signal(signal.SIGHUP, stop)


def run(command):
    return subprocess.run(command, cwd=root, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def build_targets(targets):
    return run(["cmake", "--build", build, "--parallel", jobs, "--target", *targets]) == 0


def tests_pass(pattern):
    return run(["ctest", "--test-dir", build, "-R", pattern, "--timeout", timeout,
                "--stop-on-failure", "--no-tests=error", "-j1"]) == 0


active = [m for m in mutants if "equivalent" not in m]
all_targets = sorted({t for m in active for t in m["targets"].split()})
if active:
    print("checking the source without mutants ...", flush=True)
    if not build_targets(all_targets):
        sys.exit("the source does not build")
    for pattern in sorted({m["tests"] for m in active}):
        if not tests_pass(pattern):
            sys.exit(f"the tests {pattern} fail without any mutant")

rows = []
try:
    for m in mutants:
        if "equivalent" in m:
            rows.append((m["name"], m["file"], "equivalent", 0.0))
            continue
        path = os.path.join(root, m["file"])
        data = open(path, "rb").read()
        originals[path] = data
        with open(path, "wb") as f:
            f.write(data.decode("utf-8").replace(unescape(m["from"]), unescape(m["to"]), 1).encode("utf-8"))
        start = time.monotonic()
        if not build_targets(m["targets"].split()):
            result = "no build"
        else:
            result = "survived" if tests_pass(m["tests"]) else "killed"
        restore()
        rows.append((m["name"], m["file"], result, time.monotonic() - start))
        print(f'{m["name"]}: {result} ({rows[-1][3]:.0f} s)', flush=True)
finally:
    restore()
    if active:
        build_targets(all_targets)  # the build matches the source again

width = max([len("mutant")] + [len(r[0]) for r in rows])
file_width = max([len("file")] + [len(r[1]) for r in rows])
print()
print(f'| {"mutant".ljust(width)} | {"file".ljust(file_width)} | result     |')
print(f'|{"-" * (width + 2)}|{"-" * (file_width + 2)}|------------|')
for name, file, result, _ in rows:
    print(f"| {name.ljust(width)} | {file.ljust(file_width)} | {result.ljust(10)} |")
counted = [r for r in rows if r[2] != "equivalent"]
killed = sum(1 for r in counted if r[2] == "killed")
rate = 100.0 * killed / len(counted) if counted else 100.0
print(f"\nkilled {killed} of {len(counted)} mutants that are not equivalent ({rate:.0f}%);"
      f" {len(rows) - len(counted)} equivalent")
sys.exit(0 if killed == len(counted) else 1)
PYTHON

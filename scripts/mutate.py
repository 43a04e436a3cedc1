#!/usr/bin/env python3
"""Mutation check: which small faults in the program do the tests catch?

Makes one deliberate fault (a mutant) at a time in a scratch copy of the tree,
rebuilds it incrementally and runs the unit, gl and toolkit tests, then the
e2e-x11 and the e2e-wayland tests, stopping at the first failure. A mutant
that fails a test is killed; one that passes them all survives: behaviour
that nothing guards.

    scripts/mutate.py demo                      every mutant of a folder
    scripts/mutate.py demo/key_controls.cpp     every mutant of a file
    scripts/mutate.py --sample 100 demo binding 100 drawn at random from each
    scripts/mutate.py --list toolkit            the mutants, nothing run
    scripts/mutate.py --ref HEAD~3 demo         the tests of another commit

The operators: flip a comparison, change a constant by one, swap two adjacent
statements (not two call-free stores to different variables, which no test
could tell apart), swap two call arguments, delete a call statement, swap &&
and ||, swap two neighbours in a table. Results go to build-mutate/NAME/results.jsonl
and are reused while the tree is unchanged, so a stopped run goes on where it
left off. Mutants that no test could tell from the program (equivalent ones)
are listed in scripts/mutate-equivalent.txt and left out of the score.
"""

import argparse
import hashlib
import io
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tarfile
import time
from dataclasses import dataclass

sys.dont_write_bytecode = True  # no __pycache__ in scripts/
from mutate_operators import change_of, mutants_of, mutated  # noqa: E402

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENT_LIST = os.path.join(TOP, "scripts", "mutate-equivalent.txt")
SOURCE_SUFFIXES = (".cpp", ".h")
TEST_STAGES = [
    ("unit|gl|toolkit", "^(unit|gl|toolkit)$"),
    ("e2e-x11", "^e2e-x11$"),
    ("e2e-wayland", "^e2e-wayland$"),
]
OUTCOMES = ("killed", "survived", "does not compile", "equivalent")


def main():
    options = parse_options()
    files = tracked_files(options.ref)
    chosen, texts = choose_mutants(options, files)
    if options.list:
        list_mutants(chosen)
        return 0
    scratch = scratch_for(options.ref)
    sync_tree(files, scratch.source)
    prepare_build(scratch, options.jobs)
    results = load_results(scratch.results, tree_hash(files))
    equivalents = load_equivalents()
    started = time.time()
    try_all(chosen, texts, results, equivalents, scratch, options.jobs)
    report(chosen, results, equivalents, scratch.folder, time.time() - started)
    return 0


def parse_options():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="+", help="folders or files of the program")
    parser.add_argument("--sample", type=int, help="draw this many mutants at random from each path")
    parser.add_argument("--seed", type=int, default=1, help="seed of the random draw (default 1)")
    parser.add_argument("--ref", help="judge the tests of this commit instead of the working tree")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--jobs", type=int, default=2, help="tests run at once (default 2)")
    return parser.parse_args()


# ---- The mutants to try

def list_mutants(chosen):
    for m in chosen:
        print(f"{m.path}:{m.line}: {change_of(m)}")
    print(f"{len(chosen)} mutants")


def choose_mutants(options, files):
    """The mutants of every path named (a sample of each with --sample), and
    the text of every file they change."""
    chosen, texts = [], {}
    for path in options.paths:
        names = program_files(path, files)
        if not names:
            sys.exit(f"no program sources under {path}")
        mutants = []
        for name in names:
            texts[name] = files[name][0].decode()
            mutants += mutants_of(name, texts[name])
        if options.sample and options.sample < len(mutants):
            mutants = random.Random(options.seed).sample(mutants, options.sample)
            mutants.sort(key=lambda m: (m.path, m.start))
        chosen += mutants
    return chosen, texts


def program_files(path, files):
    """The sources under a folder, or the one file named; the entry point has
    nothing to mutate that the end-to-end tests would not see."""
    path = os.path.relpath(os.path.join(TOP, path), TOP)
    if path in files:
        return [path]
    return sorted(n for n in files if n.startswith(path.rstrip("/") + "/") and n.endswith(SOURCE_SUFFIXES)
                  and os.path.basename(n) != "main.cpp")


def load_equivalents():
    """Key => why, from the list of mutants no test can tell from the program."""
    keys = {}
    if os.path.exists(EQUIVALENT_LIST):
        for line in open(EQUIVALENT_LIST, encoding="utf-8"):
            line = line.rstrip("\n")
            if line and not line.startswith("#") and "\t# " in line:
                key, why = line.split("\t# ", 1)
                keys[key] = why
    return keys


# ---- The scratch tree

@dataclass
class Scratch:
    folder: str  # build-mutate/NAME: the working tree's or a commit's
    source: str  # the copy of the tree the mutants are made in
    build: str
    results: str  # results.jsonl: the tree's hash, then one outcome a line


def scratch_for(ref):
    name = "worktree" if ref is None else re.sub(r"\W", "_", ref)
    folder = os.path.join(TOP, "build-mutate", name)
    return Scratch(folder, os.path.join(folder, "source"), os.path.join(folder, "build"),
                   os.path.join(folder, "results.jsonl"))


def tracked_files(ref):
    """Every tracked file's bytes, and which are executable, as in the working
    tree or in the commit named."""
    if ref is None:
        listing = subprocess.run(["git", "ls-files", "-z"], cwd=TOP, check=True, capture_output=True).stdout
        names = [n for n in listing.decode().split("\0") if n and os.path.isfile(os.path.join(TOP, n))]
        return {n: (open(os.path.join(TOP, n), "rb").read(), os.access(os.path.join(TOP, n), os.X_OK))
                for n in names}
    archive = subprocess.run(["git", "archive", "--format=tar", ref], cwd=TOP, check=True,
                             capture_output=True).stdout
    files = {}
    with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
        for member in tar.getmembers():
            if member.isfile():
                files[member.name] = (tar.extractfile(member).read(), bool(member.mode & 0o100))
    return files


def tree_hash(files):
    return hashlib.sha1(b"".join(n.encode() + files[n][0] for n in sorted(files))).hexdigest()


def sync_tree(files, source):
    """Writes only what differs, so that the build stays incremental."""
    for name, (data, executable) in files.items():
        path = os.path.join(source, name)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
        os.chmod(path, 0o755 if executable else 0o644)
    for folder, _, names in os.walk(source):
        for name in names:
            relative = os.path.relpath(os.path.join(folder, name), source)
            if relative not in files:
                os.remove(os.path.join(folder, name))


def prepare_build(scratch, jobs):
    """Configures the scratch build once, then builds the unchanged tree and
    checks that it passes its tests; stops the run where it does not."""
    if not os.path.exists(os.path.join(scratch.build, "CMakeCache.txt")):
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        code, output = run(["cmake", "-S", scratch.source, "-B", scratch.build, *generator,
                            "-DCMAKE_BUILD_TYPE=Release", "-DROLLBOX_TESTS=ON", "-DROLLBOX_BENCH=OFF"],
                           scratch.folder, 600)
        if code != 0:
            sys.exit("configuring the scratch tree failed:\n" + output)
    print(f"Building the unchanged tree in {scratch.build} and running its tests ...", flush=True)
    if not build(scratch.build):
        sys.exit("the unchanged tree does not build")
    # Three tries: a loaded machine must not stop the whole run.
    if all(first_failing_stage(scratch.build, jobs) is not None for _ in range(3)):
        sys.exit("the unchanged tree does not pass its tests")


# ---- Builds and tests

def run(command, cwd, timeout):
    """Exit code and output; the whole process group killed after timeout s."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        return -1, "timed out"


def build(build_dir):
    return run(["cmake", "--build", build_dir, "-j2"], build_dir, 900)[0] == 0


def first_failing_stage(build_dir, jobs):
    for name, label in TEST_STAGES:
        code, _ = run(["ctest", "-L", label, "-j", str(jobs), "--stop-on-failure", "--timeout", "120",
                       "--no-tests=error", "-Q"], build_dir, 600)
        if code != 0:
            return name
    return None


def try_all(chosen, texts, results, equivalents, scratch, jobs):
    """Every mutant not yet judged and not listed equivalent, each outcome
    kept as it comes; then the unchanged program built again."""
    for index, m in enumerate(chosen, 1):
        if m.key not in results and m.key not in equivalents:
            results[m.key] = try_mutant(m, texts[m.path], scratch, jobs)
            keep_result(scratch.results, results[m.key])
            print_result(index, len(chosen), m, results[m.key])
    build(scratch.build)  # back to the unchanged program


def try_mutant(m, original, scratch, jobs):
    """Builds and tests the tree with the mutant's change, then puts the file
    back; the record of the outcome."""
    target = os.path.join(scratch.source, m.path)
    begun = time.time()
    with open(target, "w") as f:
        f.write(mutated(m, original))
    try:
        if not build(scratch.build):
            outcome, stage = "does not compile", None
        else:
            stage = first_failing_stage(scratch.build, jobs)
            outcome = "survived" if stage is None else "killed"
    finally:
        with open(target, "w") as f:
            f.write(original)
    return {"key": m.key, "path": m.path, "line": m.line, "operator": m.operator,
            "outcome": outcome, "stage": stage, "seconds": round(time.time() - begun, 1)}


def print_result(index, count, m, record):
    stage = record["stage"]
    print(f"[{index}/{count}] {record['outcome']}{' by ' + stage if stage else ''}: "
          f"{m.path}:{m.line} {change_of(m)} ({record['seconds']} s)", flush=True)


# ---- Results kept between runs

def load_results(results_path, tree):
    """The outcomes kept for this very tree, by key; a fresh file for a new tree."""
    if os.path.exists(results_path):
        with open(results_path) as f:
            records = [json.loads(line) for line in f if line.strip()]
        if records and records[0].get("tree") == tree:
            results = {r["key"]: r for r in records[1:]}
            if results:
                return results
    with open(results_path, "w") as f:
        f.write(json.dumps({"tree": tree}) + "\n")
    return {}


def keep_result(results_path, record):
    with open(results_path, "a") as f:
        f.write(json.dumps(record) + "\n")


# ---- The score

def report(chosen, results, equivalents, scratch, seconds):
    rows, survivors = count_outcomes(chosen, results, equivalents)
    print(f"\n{'file':45} {'killed':>7} {'survived':>8} {'no build':>9} {'equivalent':>10}  score")
    for path, counts in sorted(rows.items()):
        print(score_line(path, counts))
    print()
    for folder, counts in sorted(folder_totals(rows).items()):
        print(score_line(folder, counts))
    with open(os.path.join(scratch, "survivors.txt"), "w") as f:
        for m in survivors:
            f.write(m.key + "\n")
    print(f"\n{len(survivors)} survivors listed in {os.path.join(scratch, 'survivors.txt')}"
          f" (to mark one equivalent, add its line to {EQUIVALENT_LIST}, then a tab, '# ' and why)."
          f" {seconds / 60:.0f} minutes.")


def count_outcomes(chosen, results, equivalents):
    """Per file, how many mutants had each outcome; and the survivors."""
    rows, survivors = {}, []
    for m in chosen:
        counts = rows.setdefault(m.path, dict.fromkeys(OUTCOMES, 0))
        outcome = "equivalent" if m.key in equivalents else results[m.key]["outcome"]
        counts[outcome] += 1
        if outcome == "survived":
            survivors.append(m)
    return rows, survivors


def folder_totals(rows):
    folders = {}
    for path, counts in rows.items():
        total = folders.setdefault(path.split("/")[0] + "/", dict.fromkeys(OUTCOMES, 0))
        for outcome in OUTCOMES:
            total[outcome] += counts[outcome]
    return folders


def score_line(name, c):
    """The score counts only the judged: killed and survived."""
    judged = c["killed"] + c["survived"]
    score = f"{100 * c['killed'] / judged:5.1f}%" if judged else "    -"
    return (f"{name:45} {c['killed']:7} {c['survived']:8} {c['does not compile']:9} "
            f"{c['equivalent']:10} {score}")


if __name__ == "__main__":
    sys.exit(main())

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
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tarfile
import io
import time
from dataclasses import dataclass

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENT_LIST = os.path.join(TOP, "scripts", "mutate-equivalent.txt")
SOURCE_SUFFIXES = (".cpp", ".h")

# ---- A small C++ lexer: enough to tell code from comments, strings and
# preprocessor lines, and to find operators, literals and brackets.

OPERATORS = sorted(
    "<<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= "
    "{ } ( ) [ ] ; , . : ? ~ ! + - * / % ^ & | = < > #".split(),
    key=len, reverse=True)
NUMBER = re.compile(
    r"(0[xX][0-9a-fA-F]+|\d+\.\d*(?:[eE][+-]?\d+)?|\.\d+(?:[eE][+-]?\d+)?|\d+(?:[eE][+-]?\d+)?)([uUlLfF]*)")
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "case", "default", "else", "do",
            "break", "continue", "static_cast", "reinterpret_cast", "const_cast", "delete", "new",
            "throw", "goto", "decltype", "alignof", "static_assert", "using", "typedef", "template"}


@dataclass
class Token:
    kind: str  # id, num, chr, str, op
    text: str
    start: int
    end: int


def tokenize(text):
    tokens = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r":
            i += 1
            continue
        if line_start and c == "#":  # a preprocessor line, with its continuations
            while i < n and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            continue
        line_start = False
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
            continue
        if c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            tokens.append(Token("str" if c == '"' else "chr", text[i:j + 1], i, j + 1))
            i = j + 1
            continue
        m = NUMBER.match(text, i)
        if c.isdigit() or (c == "." and m):
            tokens.append(Token("num", m.group(0), i, m.end()))
            i = m.end()
            continue
        m = IDENTIFIER.match(text, i)
        if m:
            tokens.append(Token("id", m.group(0), i, m.end()))
            i = m.end()
            continue
        for op in OPERATORS:
            if text.startswith(op, i):
                tokens.append(Token("op", op, i, i + len(op)))
                i += len(op)
                break
        else:
            i += 1
    return tokens


def matching_brackets(tokens):
    """Index of the partner of every bracket token."""
    partner, stack = {}, []
    pairs = {")": "(", "]": "[", "}": "{"}
    for k, t in enumerate(tokens):
        if t.kind != "op":
            continue
        if t.text in "([{":
            stack.append(k)
        elif t.text in pairs and stack:
            opening = stack.pop()
            partner[opening], partner[k] = k, opening
    return partner


def split_top_level(tokens, partner, first, last):
    """Token ranges [a, b) of the comma-separated items between first and last."""
    items, a, k = [], first, first
    while k < last:
        t = tokens[k]
        if t.kind == "op" and t.text in "([{" and k in partner:
            k = partner[k] + 1
            continue
        if t.kind == "op" and t.text == ",":
            items.append((a, k))
            a = k + 1
        k += 1
    if a < last:
        items.append((a, last))
    return [(a, b) for a, b in items if a < b]


# ---- Mutants

@dataclass
class Mutant:
    path: str
    operator: str
    start: int
    end: int
    replacement: str
    line: int = 0
    key: str = ""

    def apply(self, text):
        return text[:self.start] + self.replacement + text[self.end:]


def looks_like_template(tokens, k, step):
    """True when the < or > at k closes over a list of type names."""
    j = k + step
    while 0 <= j < len(tokens):
        t = tokens[j]
        if t.kind == "op" and t.text == (">" if step > 0 else "<"):
            return True
        if t.kind in ("id", "num") or t.text in ("::", ",", "*", "&"):
            j += step
            continue
        return False
    return False


FLIPS = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
         "==": ["!="], "!=": ["=="]}


def comparison_mutants(tokens):
    for k, t in enumerate(tokens):
        if t.kind != "op" or t.text not in FLIPS:
            continue
        if t.text in "<>":
            before = tokens[k - 1] if k > 0 else None
            if before is None or not (before.kind in ("id", "num", "chr") or before.text in (")", "]")):
                continue
            if before.kind == "id" and before.text in KEYWORDS | {"operator"}:
                continue
            if looks_like_template(tokens, k, 1 if t.text == "<" else -1):
                continue
        for flipped in FLIPS[t.text]:
            yield "flip comparison", t.start, t.end, flipped


def shifted_number(text, delta):
    m = NUMBER.fullmatch(text)
    body, suffix = m.group(1), m.group(2)
    if body.lower().startswith("0x"):
        value = int(body, 16) + delta
        return None if value < 0 else f"0x{value:X}{suffix}"
    if re.fullmatch(r"\d+", body):
        value = int(body) + delta
        return None if value < 0 else f"{value}{suffix}"
    value = f"{float(body) + delta:.9g}"
    return value + suffix if "." in value or "e" in value else value + ".0" + suffix


def constant_mutants(tokens):
    for t in tokens:
        if t.kind == "num":
            for delta in (1, -1):
                changed = shifted_number(t.text, delta)
                if changed is not None:
                    yield "constant by one", t.start, t.end, changed
        elif t.kind == "chr" and len(t.text) == 3 and t.text[1] != "\\":
            for delta in (1, -1):
                yield "constant by one", t.start, t.end, f"'{chr(ord(t.text[1]) + delta)}'"


def statements(tokens, partner):
    """Simple statements as token ranges [a, b] ending at their ';', with the
    index of the enclosing block's '{' (-1 at file level)."""
    found = []
    block, start = [-1], 0
    k = 0
    while k < len(tokens):
        t = tokens[k]
        if t.kind == "op" and t.text == "(" and k in partner:
            # A control statement's condition: the statement starts after it.
            control = k > 0 and tokens[k - 1].text in ("if", "while", "for", "switch")
            k = partner[k] + 1
            if control:
                start = k
            continue
        if t.kind == "op" and t.text == "{":
            if k in partner and is_initializer(tokens, k):
                k = partner[k] + 1
                continue
            block.append(k)
            start = k + 1
        elif t.kind == "op" and t.text == "}":
            if len(block) > 1:
                block.pop()
            start = k + 1
        elif t.kind == "op" and t.text == ";":
            if start < k:
                found.append((start, k, block[-1]))
            start = k + 1
        elif t.kind == "id" and t.text == "else":
            start = k + 1
        elif t.kind == "op" and t.text == ":" and k > 0 and (
                tokens[k - 1].text in ("default", "public", "private") or
                any(tokens[j].text == "case" for j in range(start, k))):
            start = k + 1
        k += 1
    return found


def is_call_statement(tokens, partner, a, b):
    """name(...); or a.b->c(...); with nothing else in the statement."""
    if tokens[a].kind != "id" or tokens[a].text in KEYWORDS:
        return False
    k = a
    while k < b and (tokens[k].kind == "id" or tokens[k].text in (".", "->", "::")):
        if k > a and tokens[k].kind == "id" and tokens[k - 1].kind == "id":
            return False  # a declaration: a type, then a name
        k += 1
    return k < b and tokens[k].text == "(" and partner.get(k) == b - 1


def deletion_mutants(tokens, partner, text):
    for a, b, _ in statements(tokens, partner):
        if is_call_statement(tokens, partner, a, b):
            yield "delete call", tokens[a].start, tokens[b].end, ";"


def declared_name(tokens, a, b):
    """The name a statement declares, as in 'int x = ...;', or None."""
    for k in range(a, b - 1):
        if tokens[k].kind == "id" and tokens[k + 1].kind == "id" and tokens[k].text not in KEYWORDS:
            return tokens[k + 1].text
    return None


def stored_name(statement):
    """The variable a call-free 'x = ...;' or 'T x = ...;' writes, or None."""
    texts = [t.text for t in statement]
    if texts.count("=") != 1 or any(t in texts for t in ("(", "++", "--")) or texts[0] == "*":
        return None
    names = [t.text for t in statement[:texts.index("=")] if t.kind == "id"]
    return names[-1] if len(names) >= 2 and statement[1].kind == "id" else (names[0] if names else None)


def independent_stores(first, second):
    """Two stores to different variables, neither reading the other's: in
    either order they do the same, so swapping them is no fault."""
    one, two = stored_name(first), stored_name(second)
    return (one is not None and two is not None and one != two
            and all(t.text != two for t in first) and all(t.text != one for t in second))


def swap_statement_mutants(tokens, partner, text):
    found = statements(tokens, partner)
    for (a1, b1, block1), (a2, b2, block2) in zip(found, found[1:]):
        # Declarations at file level may come in any order.
        if block1 != block2 or a2 != b1 + 1 or block1 < 0:
            continue
        first, second = tokens[a1:b1 + 1], tokens[a2:b2 + 1]
        if any(t.text in ("return", "break", "continue", "{") for t in first + second):
            continue
        name = declared_name(tokens, a1, b1)
        if (name and any(t.text == name for t in second)) or independent_stores(first, second):
            continue
        one = text[tokens[a1].start:tokens[b1].end]
        two = text[tokens[a2].start:tokens[b2].end]
        if one == two:
            continue
        between = text[tokens[b1].end:tokens[a2].start]
        yield "swap statements", tokens[a1].start, tokens[b2].end, two + between + one


def swap_argument_mutants(tokens, partner, text):
    for k, t in enumerate(tokens):
        if t.text != "(" or k == 0 or k not in partner:
            continue
        name = tokens[k - 1]
        if name.kind != "id" or name.text in KEYWORDS:
            continue
        # The names in a prototype are only names.
        after = partner[k] + 1
        if after < len(tokens) and tokens[after].text == ";" and is_prototype(tokens, partner, k):
            continue
        items = split_top_level(tokens, partner, k + 1, partner[k])
        for (a1, b1), (a2, b2) in zip(items, items[1:]):
            one = text[tokens[a1].start:tokens[b1 - 1].end]
            two = text[tokens[a2].start:tokens[b2 - 1].end]
            if one != two:
                between = text[tokens[b1 - 1].end:tokens[a2].start]
                yield "swap arguments", tokens[a1].start, tokens[b2 - 1].end, two + between + one


def is_prototype(tokens, partner, k):
    """'(' at k opens a parameter list: every item is a type followed by a name."""
    items = split_top_level(tokens, partner, k + 1, partner[k])
    return bool(items) and all(b - a >= 2 and tokens[b - 1].kind == "id" and tokens[a].kind == "id"
                               for a, b in items)


def logic_mutants(tokens):
    for t in tokens:
        if t.kind == "op" and t.text in ("&&", "||"):
            yield "swap && and ||", t.start, t.end, "||" if t.text == "&&" else "&&"


def is_initializer(tokens, k):
    before = tokens[k - 1] if k > 0 else None
    return before is not None and before.text in ("=", ",", "{", "(", "return")


def kind_of_item(tokens, a, b):
    return "row" if tokens[a].text == "{" else ("literal" if tokens[a].kind in ("num", "chr", "str") or
                                                tokens[a].text == "-" else "name")


def table_mutants(tokens, partner, text):
    """Neighbours in a braced table swapped: whole elements of a list of
    values, or one field between two neighbouring rows."""
    def span(a, b):
        return tokens[a].start, tokens[b - 1].end

    for k, t in enumerate(tokens):
        if t.text != "{" or k not in partner or not is_initializer(tokens, k):
            continue
        items = split_top_level(tokens, partner, k + 1, partner[k])
        if any(tok.text in ("=", ";") for a, b in items for tok in tokens[a:b]):
            continue
        for (a1, b1), (a2, b2) in zip(items, items[1:]):
            kind1, kind2 = kind_of_item(tokens, a1, b1), kind_of_item(tokens, a2, b2)
            if kind1 == "row" and kind2 == "row":
                fields1 = split_top_level(tokens, partner, a1 + 1, b1 - 1)
                fields2 = split_top_level(tokens, partner, a2 + 1, b2 - 1)
                if len(fields1) != len(fields2):
                    continue
                for f1, f2 in zip(fields1, fields2):
                    (s1, e1), (s2, e2) = span(*f1), span(*f2)
                    if text[s1:e1] != text[s2:e2]:
                        replacement = text[s2:e2] + text[e1:s2] + text[s1:e1]
                        yield "swap table neighbours", s1, e2, replacement
            elif kind1 == kind2:
                (s1, e1), (s2, e2) = span(a1, b1), span(a2, b2)
                if text[s1:e1] != text[s2:e2]:
                    yield "swap table neighbours", s1, e2, text[s2:e2] + text[e1:s2] + text[s1:e1]


def mutants_of(path, text):
    tokens = tokenize(text)
    partner = matching_brackets(tokens)
    found = []
    generators = [comparison_mutants(tokens), constant_mutants(tokens), logic_mutants(tokens),
                  deletion_mutants(tokens, partner, text), swap_statement_mutants(tokens, partner, text),
                  swap_argument_mutants(tokens, partner, text), table_mutants(tokens, partner, text)]
    seen = set()
    for generator in generators:
        for operator, start, end, replacement in generator:
            if (start, end, replacement) in seen:
                continue
            seen.add((start, end, replacement))
            found.append(Mutant(path, operator, start, end, replacement))
    lines = text.split("\n")
    keys = {}
    for m in found:
        m.line = text.count("\n", 0, m.start) + 1
        last = text.count("\n", 0, m.end) + 1
        context = " ".join(l.strip() for l in lines[m.line - 1:last])
        before = " ".join(text[m.start:m.end].split())
        after = " ".join(m.replacement.split())
        key = f"{path} @@ {context} @@ {m.operator}: {before} => {after}"
        keys[key] = keys.get(key, 0) + 1
        m.key = key if keys[key] == 1 else f"{key} #{keys[key]}"
    return found


# ---- The scratch tree and the runs

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


def run(command, cwd, timeout):
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


TEST_STAGES = [("unit|gl|toolkit", "^(unit|gl|toolkit)$"), ("e2e-x11", "^e2e-x11$"), ("e2e-wayland", "^e2e-wayland$")]


def first_failing_stage(build_dir, jobs):
    for name, label in TEST_STAGES:
        code, _ = run(["ctest", "-L", label, "-j", str(jobs), "--stop-on-failure", "--timeout", "120",
                       "--no-tests=error", "-Q"], build_dir, 600)
        if code != 0:
            return name
    return None


def load_equivalents():
    keys = {}
    if os.path.exists(EQUIVALENT_LIST):
        for line in open(EQUIVALENT_LIST, encoding="utf-8"):
            line = line.rstrip("\n")
            if line and not line.startswith("#") and "\t# " in line:
                key, why = line.split("\t# ", 1)
                keys[key] = why
    return keys


def program_files(path, files):
    """The sources under a folder, or the one file named; the entry point has
    nothing to mutate that the end-to-end tests would not see."""
    path = os.path.relpath(os.path.join(TOP, path), TOP)
    if path in files:
        return [path]
    return sorted(n for n in files if n.startswith(path.rstrip("/") + "/") and n.endswith(SOURCE_SUFFIXES)
                  and os.path.basename(n) != "main.cpp")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="+", help="folders or files of the program")
    parser.add_argument("--sample", type=int, help="draw this many mutants at random from each path")
    parser.add_argument("--seed", type=int, default=1, help="seed of the random draw (default 1)")
    parser.add_argument("--ref", help="judge the tests of this commit instead of the working tree")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--jobs", type=int, default=2, help="tests run at once (default 2)")
    options = parser.parse_args()

    files = tracked_files(options.ref)
    chosen, texts = [], {}
    for path in options.paths:
        mutants = []
        names = program_files(path, files)
        if not names:
            sys.exit(f"no program sources under {path}")
        for name in names:
            texts[name] = files[name][0].decode()
            mutants += mutants_of(name, texts[name])
        if options.sample and options.sample < len(mutants):
            mutants = random.Random(options.seed).sample(mutants, options.sample)
            mutants.sort(key=lambda m: (m.path, m.start))
        chosen += mutants
    if options.list:
        for m in chosen:
            print(f"{m.path}:{m.line}: {m.key.split(' @@ ', 2)[2]}")
        print(f"{len(chosen)} mutants")
        return 0

    name = "worktree" if options.ref is None else re.sub(r"\W", "_", options.ref)
    scratch = os.path.join(TOP, "build-mutate", name)
    source, build_dir = os.path.join(scratch, "source"), os.path.join(scratch, "build")
    sync_tree(files, source)
    tree_hash = hashlib.sha1(b"".join(n.encode() + files[n][0] for n in sorted(files))).hexdigest()

    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        code, output = run(["cmake", "-S", source, "-B", build_dir, *generator, "-DCMAKE_BUILD_TYPE=Release",
                            "-DROLLBOX_TESTS=ON", "-DROLLBOX_BENCH=OFF"], scratch, 600)
        if code != 0:
            sys.exit("configuring the scratch tree failed:\n" + output)
    print(f"Building the unchanged tree in {build_dir} and running its tests ...", flush=True)
    if not build(build_dir):
        sys.exit("the unchanged tree does not build")
    # Three tries: a loaded machine must not stop the whole run.
    if all(first_failing_stage(build_dir, options.jobs) is not None for _ in range(3)):
        sys.exit("the unchanged tree does not pass its tests")

    results_path = os.path.join(scratch, "results.jsonl")
    results = {}
    if os.path.exists(results_path):
        with open(results_path) as f:
            records = [json.loads(line) for line in f if line.strip()]
        if records and records[0].get("tree") == tree_hash:
            results = {r["key"]: r for r in records[1:]}
    if not results:
        with open(results_path, "w") as f:
            f.write(json.dumps({"tree": tree_hash}) + "\n")

    equivalents = load_equivalents()
    started = time.time()
    for index, m in enumerate(chosen, 1):
        if m.key in results or m.key in equivalents:
            continue
        original = texts[m.path]
        target = os.path.join(source, m.path)
        begun = time.time()
        with open(target, "w") as f:
            f.write(m.apply(original))
        try:
            if not build(build_dir):
                outcome, stage = "does not compile", None
            else:
                stage = first_failing_stage(build_dir, options.jobs)
                outcome = "survived" if stage is None else "killed"
        finally:
            with open(target, "w") as f:
                f.write(original)
        record = {"key": m.key, "path": m.path, "line": m.line, "operator": m.operator,
                  "outcome": outcome, "stage": stage, "seconds": round(time.time() - begun, 1)}
        results[m.key] = record
        with open(results_path, "a") as f:
            f.write(json.dumps(record) + "\n")
        print(f"[{index}/{len(chosen)}] {outcome}{' by ' + stage if stage else ''}: "
              f"{m.path}:{m.line} {m.key.split(' @@ ', 2)[2]} ({record['seconds']} s)", flush=True)
    build(build_dir)  # back to the unchanged program
    report(chosen, results, equivalents, scratch, time.time() - started)
    return 0


def report(chosen, results, equivalents, scratch, seconds):
    rows, survivors = {}, []
    for m in chosen:
        counts = rows.setdefault(m.path, {"killed": 0, "survived": 0, "does not compile": 0, "equivalent": 0})
        if m.key in equivalents:
            counts["equivalent"] += 1
            continue
        outcome = results[m.key]["outcome"]
        counts[outcome] += 1
        if outcome == "survived":
            survivors.append(m)

    def line(name, c):
        judged = c["killed"] + c["survived"]
        score = f"{100 * c['killed'] / judged:5.1f}%" if judged else "    -"
        return (f"{name:45} {c['killed']:7} {c['survived']:8} {c['does not compile']:9} "
                f"{c['equivalent']:10} {score}")

    print(f"\n{'file':45} {'killed':>7} {'survived':>8} {'no build':>9} {'equivalent':>10}  score")
    folders = {}
    for path, c in sorted(rows.items()):
        print(line(path, c))
        total = folders.setdefault(path.split("/")[0] + "/", dict.fromkeys(c, 0))
        for k in c:
            total[k] += c[k]
    print()
    for folder, c in sorted(folders.items()):
        print(line(folder, c))
    with open(os.path.join(scratch, "survivors.txt"), "w") as f:
        for m in survivors:
            f.write(m.key + "\n")
    print(f"\n{len(survivors)} survivors listed in {os.path.join(scratch, 'survivors.txt')}"
          f" (to mark one equivalent, add its line to {EQUIVALENT_LIST}, then a tab, '# ' and why)."
          f" {seconds / 60:.0f} minutes.")


if __name__ == "__main__":
    sys.exit(main())

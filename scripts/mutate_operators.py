"""The mutants of a C++ file: one small deliberate fault each.

The operators: flip a comparison, change a constant by one, swap && and ||,
delete a call statement, swap two adjacent statements (not two call-free
stores to different variables, which no test could tell apart), swap two call
arguments, swap two neighbours in a table. Every mutant gets a key that names
it by its file, its lines and its change, not by its offset, so that it stays
the same while the rest of the file moves.
"""

import re
from dataclasses import dataclass

from mutate_cpp import (KEYWORDS, NUMBER, declared_name, is_call_statement, is_initializer, is_prototype,
                        matching_brackets, split_top_level, statements, tokenize)


@dataclass
class Mutant:
    path: str
    operator: str
    start: int
    end: int
    replacement: str
    line: int = 0
    key: str = ""


def mutated(m, text):
    """The file's text with the mutant's change made."""
    return text[:m.start] + m.replacement + text[m.end:]


def change_of(m):
    """'operator: before => after', the last part of the mutant's key."""
    return m.key.split(" @@ ", 2)[2]


def mutants_of(path, text):
    """Every mutant of the file, each change once, in operator order."""
    tokens = tokenize(text)
    partner = matching_brackets(tokens)
    generators = [comparison_mutants(tokens), constant_mutants(tokens), logic_mutants(tokens),
                  deletion_mutants(tokens, partner), swap_statement_mutants(tokens, partner, text),
                  swap_argument_mutants(tokens, partner, text), table_mutants(tokens, partner, text)]
    found, seen = [], set()
    for generator in generators:
        for operator, start, end, replacement in generator:
            if (start, end, replacement) not in seen:
                seen.add((start, end, replacement))
                found.append(Mutant(path, operator, start, end, replacement))
    give_keys(found, path, text)
    return found


def give_keys(found, path, text):
    """'path @@ the lines changed @@ operator: before => after', with ' #n'
    on the n-th mutant of the same key."""
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


# ---- Comparisons, constants, && and ||

FLIPS = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
         "==": ["!="], "!=": ["=="]}


def comparison_mutants(tokens):
    for k, t in enumerate(tokens):
        if t.kind == "op" and t.text in FLIPS and (t.text not in "<>" or is_less_or_greater(tokens, k)):
            for flipped in FLIPS[t.text]:
                yield "flip comparison", t.start, t.end, flipped


def is_less_or_greater(tokens, k):
    """The < or > at k compares a value, rather than bracketing template
    arguments (static_cast<double>, std::array<int, 3>)."""
    before = tokens[k - 1] if k > 0 else None
    if before is None or not (before.kind in ("id", "num", "chr") or before.text in (")", "]")):
        return False
    if before.kind == "id" and before.text in KEYWORDS | {"operator"}:
        return False
    return not looks_like_template(tokens, k, 1 if tokens[k].text == "<" else -1)


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


def shifted_number(text, delta):
    """The literal moved by delta in its own notation, or None below 0."""
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


def logic_mutants(tokens):
    for t in tokens:
        if t.kind == "op" and t.text in ("&&", "||"):
            yield "swap && and ||", t.start, t.end, "||" if t.text == "&&" else "&&"


# ---- Statements: deleted, swapped

def deletion_mutants(tokens, partner):
    for a, b, _ in statements(tokens, partner):
        if is_call_statement(tokens, partner, a, b):
            yield "delete call", tokens[a].start, tokens[b].end, ";"


def swap_statement_mutants(tokens, partner, text):
    found = statements(tokens, partner)
    for (a1, b1, block1), (a2, b2, block2) in zip(found, found[1:]):
        # Declarations at file level may come in any order.
        if block1 != block2 or a2 != b1 + 1 or block1 < 0:
            continue
        if swap_is_no_fault(tokens, a1, b1, b2):
            continue
        one = text[tokens[a1].start:tokens[b1].end]
        two = text[tokens[a2].start:tokens[b2].end]
        if one != two:
            between = text[tokens[b1].end:tokens[a2].start]
            yield "swap statements", tokens[a1].start, tokens[b2].end, two + between + one


def swap_is_no_fault(tokens, a1, b1, b2):
    """The statements [a1, b1] and [b1 + 1, b2] may not be swapped (a jump or
    a block in either, the second using what the first declares) or would do
    the same either way (two independent stores)."""
    first, second = tokens[a1:b1 + 1], tokens[b1 + 1:b2 + 1]
    if any(t.text in ("return", "break", "continue", "{") for t in first + second):
        return True
    name = declared_name(tokens, a1, b1)
    return bool(name and any(t.text == name for t in second)) or independent_stores(first, second)


def independent_stores(first, second):
    """Two stores to different variables, neither reading the other's: in
    either order they do the same, so swapping them is no fault."""
    one, two = stored_name(first), stored_name(second)
    return (one is not None and two is not None and one != two
            and all(t.text != two for t in first) and all(t.text != one for t in second))


def stored_name(statement):
    """The variable a call-free 'x = ...;' or 'T x = ...;' writes, or None."""
    texts = [t.text for t in statement]
    if texts.count("=") != 1 or any(t in texts for t in ("(", "++", "--")) or texts[0] == "*":
        return None
    names = [t.text for t in statement[:texts.index("=")] if t.kind == "id"]
    return names[-1] if len(names) >= 2 and statement[1].kind == "id" else (names[0] if names else None)


# ---- Neighbours swapped: call arguments, table entries

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
        yield from neighbour_swaps("swap arguments", tokens, text, items)


def table_mutants(tokens, partner, text):
    """Neighbours in a braced table swapped: whole elements of a list of
    values, or one field between two neighbouring rows."""
    for k, t in enumerate(tokens):
        if t.text != "{" or k not in partner or not is_initializer(tokens, k):
            continue
        items = split_top_level(tokens, partner, k + 1, partner[k])
        if any(tok.text in ("=", ";") for a, b in items for tok in tokens[a:b]):
            continue
        for pair in zip(items, items[1:]):
            kinds = [kind_of_item(tokens, a) for a, _ in pair]
            if kinds == ["row", "row"]:
                yield from row_field_swaps(tokens, partner, text, *pair)
            elif kinds[0] == kinds[1]:
                yield from neighbour_swaps("swap table neighbours", tokens, text, list(pair))


def kind_of_item(tokens, a):
    """A table item starting at token a: a braced row, a literal or a name."""
    if tokens[a].text == "{":
        return "row"
    return "literal" if tokens[a].kind in ("num", "chr", "str") or tokens[a].text == "-" else "name"


def row_field_swaps(tokens, partner, text, row1, row2):
    """The same field of two neighbouring rows of equal length swapped."""
    fields1 = split_top_level(tokens, partner, row1[0] + 1, row1[1] - 1)
    fields2 = split_top_level(tokens, partner, row2[0] + 1, row2[1] - 1)
    if len(fields1) == len(fields2):
        for f1, f2 in zip(fields1, fields2):
            yield from neighbour_swaps("swap table neighbours", tokens, text, [f1, f2])


def neighbour_swaps(operator, tokens, text, items):
    """Every two neighbours of the token ranges [a, b) swapped, where they differ."""
    for (a1, b1), (a2, b2) in zip(items, items[1:]):
        s1, e1 = tokens[a1].start, tokens[b1 - 1].end
        s2, e2 = tokens[a2].start, tokens[b2 - 1].end
        if text[s1:e1] != text[s2:e2]:
            yield operator, s1, e2, text[s2:e2] + text[e1:s2] + text[s1:e1]

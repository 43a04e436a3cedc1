"""A small C++ lexer for the mutation check: enough to tell code from
comments, strings and preprocessor lines, to find operators, literals and
brackets, and to cut a file into simple statements and comma-separated items.
"""

import re
from dataclasses import dataclass

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


# ---- Tokens

def tokenize(text):
    tokens, i, line_start = [], 0, True
    while i < len(text):
        c = text[i]
        if c == "\n":
            line_start, i = True, i + 1
            continue
        if c in " \t\r":
            i += 1
            continue
        if line_start and c == "#":
            i = end_of_directive(text, i)
            continue
        line_start = False
        comment_end = end_of_comment(text, i)
        if comment_end is not None:
            i = comment_end
            continue
        token = read_token(text, i)
        if token is None:
            i += 1
        else:
            tokens.append(token)
            i = token.end
    return tokens


def end_of_directive(text, i):
    """Where the preprocessor line at i ends, continuations included."""
    while i < len(text) and text[i] != "\n":
        i += 2 if text[i] == "\\" else 1
    return i


def end_of_comment(text, i):
    """Where the comment starting at i ends, or None when none starts there."""
    if text.startswith("//", i):
        end = text.find("\n", i)
        return len(text) if end < 0 else end
    if text.startswith("/*", i):
        end = text.find("*/", i + 2)
        return len(text) if end < 0 else end + 2
    return None


def read_token(text, i):
    """The token starting at i, or None for a character that starts none."""
    c = text[i]
    if c in "\"'":
        j = i + 1
        while j < len(text) and text[j] != c:
            j += 2 if text[j] == "\\" else 1
        return Token("str" if c == '"' else "chr", text[i:j + 1], i, j + 1)
    m = NUMBER.match(text, i)
    if c.isdigit() or (c == "." and m):
        return Token("num", m.group(0), i, m.end())
    m = IDENTIFIER.match(text, i)
    if m:
        return Token("id", m.group(0), i, m.end())
    op = next((op for op in OPERATORS if text.startswith(op, i)), None)
    return None if op is None else Token("op", op, i, i + len(op))


# ---- Brackets and lists

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


def is_initializer(tokens, k):
    """The '{' at k opens a braced list of values, not a block."""
    before = tokens[k - 1] if k > 0 else None
    return before is not None and before.text in ("=", ",", "{", "(", "return")


# ---- Statements

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
        elif (t.kind == "id" and t.text == "else") or ends_label(tokens, start, k):
            start = k + 1
        k += 1
    return found


def ends_label(tokens, start, k):
    """The ':' at k ends a case, default or access label begun at start."""
    return (tokens[k].kind == "op" and tokens[k].text == ":" and k > 0 and
            (tokens[k - 1].text in ("default", "public", "private") or
             any(tokens[j].text == "case" for j in range(start, k))))


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


def declared_name(tokens, a, b):
    """The name a statement declares, as in 'int x = ...;', or None."""
    for k in range(a, b - 1):
        if tokens[k].kind == "id" and tokens[k + 1].kind == "id" and tokens[k].text not in KEYWORDS:
            return tokens[k + 1].text
    return None


def is_prototype(tokens, partner, k):
    """'(' at k opens a parameter list: every item is a type followed by a name."""
    items = split_top_level(tokens, partner, k + 1, partner[k])
    return bool(items) and all(b - a >= 2 and tokens[b - 1].kind == "id" and tokens[a].kind == "id"
                               for a, b in items)

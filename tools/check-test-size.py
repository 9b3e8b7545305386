#!/usr/bin/env python3
"""Fails when a GoogleTest body (TEST, TEST_F, TEST_P) is longer than the limit.

clang-tidy's readability-function-size does not see test bodies: they come from
macros of a system header. This check measures them instead, with the same line
limit that the tree's .clang-tidy sets for functions (readability-function-size
LineThreshold: 60), counted as clang-tidy counts a function's lines: the line of the
body's closing brace minus the line of its opening brace.
Usage: tools/check-test-size.py FILE...
"""
import re
import sys

LIMIT = 60
TEST_START = re.compile(r"\b(TEST|TEST_F|TEST_P)\s*\(")


def blank_literals(text):
    """Returns text with comments, string and char literals replaced by spaces.

    Newlines stay, so offsets and line numbers are the same as in text.
    """
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c == "R" and re.match(r'R"([^()\\\s]{0,16})\(', text[i:]):
            delimiter = re.match(r'R"([^()\\\s]{0,16})\(', text[i:]).group(1)
            end = text.find(")" + delimiter + '"', i)
            end = n if end < 0 else end + len(delimiter) + 2
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            end = min(end + 1, n)
        else:
            out.append(c)
            i += 1
            continue
        out.append(re.sub(r"[^\n]", " ", text[i:end]))
        i = end
    return "".join(out)


def test_bodies(text):
    """Yields (line of each test macro, lines of its body as clang-tidy counts them)."""
    code = blank_literals(text)
    for match in TEST_START.finditer(code):
        depth, i = 1, match.end()
        while i < len(code) and depth:
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            i += 1
        open_brace = code.find("{", i)
        if open_brace < 0 or code[i:open_brace].strip():
            continue
        depth, close = 0, open_brace
        while close < len(code):
            depth += {"{": 1, "}": -1}.get(code[close], 0)
            if depth == 0:
                break
            close += 1
        if depth:
            raise ValueError("unbalanced braces after line %d" % (code.count("\n", 0, match.start()) + 1))
        first = code.count("\n", 0, open_brace) + 1
        last = code.count("\n", 0, close) + 1
        yield code.count("\n", 0, match.start()) + 1, last - first


def main(paths):
    failed = False
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as source:
            text = source.read()
        try:
            for line, length in test_bodies(text):
                if length > LIMIT:
                    print("%s:%d: test body of %d lines exceeds %d" % (path, line, length, LIMIT), file=sys.stderr)
                    failed = True
        except ValueError as error:
            print("%s: %s" % (path, error), file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

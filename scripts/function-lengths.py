#!/usr/bin/env python3
"""Lists the functions longer than a limit (60 lines by default) in C++ files.

    python3 scripts/function-lengths.py [--limit N] DIR_OR_FILE...

A function is counted from the first line of its signature to its closing
brace, lambdas inside it included. Exit status 1 when one is too long.
"""
import re
import sys
from pathlib import Path


def strip(text):
    """The text with comments, strings and character literals blanked (lines kept)."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = text.find(")" + m.group(1) + '"', i) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(" " * (j + 1 - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


HEAD_NOT_FUNCTION = re.compile(r"^\s*(namespace|class|struct|enum|union|extern)\b|=\s*$|\b(if|for|while|switch|catch|do|else)\s*$")


def functions(path):
    text = strip(path.read_text(encoding="utf-8", errors="replace"))
    stack = []  # (kind, start line)
    head_start = 0  # offset where the text before the next '{' began
    for i, c in enumerate(text):
        if c in ";}":
            if c == "}" and stack:
                kind, start = stack.pop()
                if kind == "function":
                    yield start, text.count("\n", 0, i) + 1
            head_start = i + 1
        elif c == "{":
            inside = any(k == "function" for k, _ in stack)
            head = text[head_start:i]
            is_function = (
                not inside
                and ")" in head
                and not HEAD_NOT_FUNCTION.search(head.strip().split("\n")[0] + " ")
                and not re.search(r"\b(namespace|class|struct|enum)\b[^()]*$", head)
            )
            first = head_start + (len(head) - len(head.lstrip()))
            stack.append(("function" if is_function else "block",
                          text.count("\n", 0, first) + 1))
            head_start = i + 1


def main(argv):
    limit = 60
    if len(argv) > 1 and argv[0] == "--limit":
        limit, argv = int(argv[1]), argv[2:]
    too_long = 0
    for arg in argv or ["src/app", "src/editing"]:
        p = Path(arg)
        files = sorted(p.rglob("*.cpp")) + sorted(p.rglob("*.h")) if p.is_dir() else [p]
        for f in files:
            for start, end in functions(f):
                if end - start + 1 > limit:
                    print(f"{f}:{start}: {end - start + 1} lines")
                    too_long += 1
    return 1 if too_long else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

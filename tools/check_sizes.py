#!/usr/bin/env python3
"""Fails when a source file or a function of src/ grows past its limit.

Limits: a window file (src/ui/) 600 lines, a core file (src/core/) 700 lines, a function 80 lines.
A function is counted in the project's brace style (clang-format, Google): from the first line of
its signature, which starts at column 0, to its closing brace alone at column 0. Functions defined
inside a class body are not counted. Prints each offender; exit status 1 when there is one.

Usage: tools/check_sizes.py [SOURCE_ROOT]   (default: the repository's src/)
"""
import pathlib
import re
import sys

FILE_LIMITS = (("ui/", 600), ("core/", 700))
FUNCTION_LIMIT = 80

# Functions another change is taking apart, as (file, name in the signature): each is reported as
# waiting but does not fail the check. Remove an entry when its change has landed.
WAITING = ()


def strip_code(text):
    """The text with comments, string and character literals blanked, line breaks kept."""
    out = []
    i, n = 0, len(text)
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
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            k = text.find("(", i + 2)
            delim = text[i + 2 : k]
            j = text.find(")" + delim + '"', k)
            j = n if j < 0 else j + len(delim) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            # A digit separator (1'000) is no character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(" " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def long_functions(path):
    """(first line, length, signature) of each function over the limit in one file."""
    lines = path.read_text(encoding="utf-8", errors="replace").split("\n")
    code = strip_code("\n".join(lines)).split("\n")
    found = []
    opened = []  # line index of each open brace
    for number, line in enumerate(code):
        for ch in line:
            if ch == "{":
                opened.append(number)
            elif ch == "}" and opened:
                start = opened.pop()
                if line.rstrip() != "}" or start == number:
                    continue
                first = start
                while first > 0 and code[first][:1] in (" ", "\t"):
                    first -= 1
                length = number - first + 1
                signature = lines[first].strip()
                if re.match(r"(namespace|extern)\b", signature) or length <= FUNCTION_LIMIT:
                    continue
                found.append((first + 1, length, signature))
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src")
    failures, waiting = [], []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(root).as_posix()
        for prefix, limit in FILE_LIMITS:
            count = path.read_text(encoding="utf-8", errors="replace").count("\n")
            if rel.startswith(prefix) and count > limit:
                failures.append(f"src/{rel}: {count} lines (limit {limit})")
        for first, length, signature in long_functions(path):
            text = f"src/{rel}:{first}: {length} lines (limit {FUNCTION_LIMIT}): {signature}"
            held = any(f"src/{rel}" == file and name in signature for file, name in WAITING)
            (waiting if held else failures).append(text)
    for text in waiting:
        print("waiting:", text)
    for text in failures:
        print(text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a library includes a header of a library it may not build on.

The allowed edges are the picture in ARCHITECTURE.md; they form no circle,
so a change that would make one fails here before it can settle in.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Library folder -> the library folders its sources may include.
ALLOWED = {
    "platform/win32": set(),
    "platform/files": set(),
    "platform/store": {"platform/win32", "platform/files"},
    "platform/windows": {"platform/win32"},
    "table": set(),
    "module": {"table", "platform/files"},
    "res": {"table"},
    "res/ui": {"res", "platform/windows", "platform/win32"},
    "document": {"module", "table", "res", "platform/files"},
    # The toolkit-free half of the editor: of the window layer only its
    # plain interfaces (no Qt include passes the rule below).
    "ui/model": {"document", "module", "table", "res", "platform/files", "platform/win32", "platform/windows"},
    "ui": {"ui/model", "document", "module", "table", "res", "res/ui", "platform/files", "platform/win32",
           "platform/store", "platform/windows"},
    "app": {"ui", "ui/model", "document", "module", "table", "res", "res/ui", "platform/files", "platform/win32",
            "platform/store", "platform/windows"},
    "cli": {"document", "module", "table", "res", "platform/files"},
}
# Qt headers only in the window layer and the program's main.
QT_ALLOWED = {"platform/windows"}
QT_FILES = {"app/main.cpp"}
# The window layer's plain interfaces, all that the toolkit-free ui/model
# may see of it: whatever else it includes would pull the toolkit in.
PLAIN_WINDOW_HEADERS = {"platform/windows/" + name for name in
                        ("WindowModel.h", "TableWindowModel.h", "TableProvider.h", "ByteGridModel.h")}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def library_of(rel):
    """The longest library folder that holds this path, or None."""
    best = None
    for lib in ALLOWED:
        if rel == lib or rel.startswith(lib + "/"):
            if best is None or len(lib) > len(best):
                best = lib
    return best


def check_cycles():
    seen, stack = set(), []

    def visit(lib):
        if lib in stack:
            return stack[stack.index(lib):] + [lib]
        if lib in seen:
            return None
        seen.add(lib)
        stack.append(lib)
        for dep in sorted(ALLOWED[lib]):
            cycle = visit(dep)
            if cycle:
                return cycle
        stack.pop()
        return None

    for lib in sorted(ALLOWED):
        cycle = visit(lib)
        if cycle:
            return cycle
    return None


def main():
    problems = []
    cycle = check_cycles()
    if cycle:
        problems.append("allowed edges form a circle: " + " -> ".join(cycle))
    for path in sorted(ROOT.rglob("*")):
        if path.suffix not in (".cpp", ".h") or "build" in path.relative_to(ROOT).parts[:1]:
            continue
        rel = path.relative_to(ROOT).as_posix()
        lib = library_of(rel)
        if lib is None:
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for kind, header in INCLUDE.findall(text):
            if kind == "<":
                if re.match(r"Q[A-Za-z]", header) and lib not in QT_ALLOWED and rel not in QT_FILES:
                    problems.append(f"{rel}: includes Qt header <{header}>")
                continue
            target = library_of(header)
            if target is None or target == lib:
                continue
            if target not in ALLOWED[lib]:
                problems.append(f"{rel}: {lib}/ may not include {header}")
            elif lib == "ui/model" and target == "platform/windows" and header not in PLAIN_WINDOW_HEADERS:
                problems.append(f"{rel}: ui/model/ may include only the plain interfaces of platform/windows")
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

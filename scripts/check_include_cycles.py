"""Fails when files of src/ include each other in a loop.

A header and the source files of the same name (foo.h, foo.cc) are one unit:
the unit includes what any of its files includes. Units that reach each
other through their includes (foo.cc includes bar.h while bar.cc includes
foo.h, or a longer round) cannot be built, read or tested one without the
other, so a loop among them is a fault even where include guards let it
compile. Prints every loop found, one unit after another, and exits 1; exits
0 when there is none.

Usage: check_include_cycles.py [SRC_DIR]   (default: src/ beside scripts/)
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = (".h", ".cc")


def units(src):
    """{unit: set of units it includes}, a unit being a path below `src`
    without its suffix."""
    graph = {}
    for folder, _, names in os.walk(src):
        for name in names:
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(folder, name)
            unit = os.path.splitext(os.path.relpath(path, src))[0]
            edges = graph.setdefault(unit, set())
            with open(path, encoding="utf-8") as f:
                for included in INCLUDE.findall(f.read()):
                    target = os.path.splitext(os.path.normpath(included))[0]
                    if target != unit and os.path.exists(os.path.join(src, included)):
                        edges.add(target)
    return graph


def loops(graph):
    """The strongly connected groups of more than one unit (Tarjan), each
    sorted, in sorted order."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = [0]

    def visit(start):
        # Iterative, so that a long chain of includes cannot exhaust Python's
        # recursion.
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            unit, edges = work[-1]
            advanced = False
            for target in edges:
                if target not in index:
                    index[target] = low[target] = counter[0]
                    counter[0] += 1
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(graph.get(target, ())))))
                    advanced = True
                    break
                if target in on_stack:
                    low[unit] = min(low[unit], index[target])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[unit])
            if low[unit] == index[unit]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == unit:
                        break
                if len(group) > 1:
                    found.append(sorted(group))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return sorted(found)


def main(argv):
    src = argv[1] if len(argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src")
    found = loops(units(src))
    for group in found:
        print("include loop: " + " <-> ".join(group))
    if found:
        return 1
    print("no include loop among the files of %s" % os.path.normpath(src))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

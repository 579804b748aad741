"""Fails when the page's module, its worker's script and the page disagree
on their names.

src/web/page_protocol.h declares every export of the page's core module and
every function the module calls back (dravelin_post_*); the module's export
list is read from it (src/web/CMakeLists.txt). This check holds the rest to
it:
  - every call of the page's pane (paneCalls in page/protocol.js) has its
    export dravelin_pane_NAME and every query (paneQueries) its export
    dravelin_pane_query_NAME, NAME in snake case; the worker's script routes
    them by that name;
  - every other export is called by the worker's script (Module._NAME), and
    the script calls no export the header does not declare;
  - page/module_calls.js defines exactly the dravelin_post_* functions;
  - the page's scripts make only declared pane calls and queries, send and
    build only declared messages, and name only the moves the module knows
    (src/web/page_pane.cc).
Prints each disagreement and exits 1; exits 0 when there is none.

Usage: check_page_interface.py [ROOT]   (default: the checkout above scripts/)
"""

import os
import re
import sys

HEADER = "src/web/page_protocol.h"
PROTOCOL = "src/web/page/protocol.js"
WORKER = "src/web/page/worker.js"
MODULE_CALLS = "src/web/page/module_calls.js"
PAGE_PANE = "src/web/page_pane.cc"
PAGE_DIR = "src/web/page"
# Scripts of the worker, not of the page.
NOT_PAGE = {"protocol.js", "worker.js", "module_calls.js"}


def snake(name):
    return re.sub(r"[A-Z]", lambda m: "_" + m.group(0).lower(), name)


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8") as f:
        return f.read()


def block(text, opening):
    """The text between `opening` (which ends with an opening brace) and its
    closing brace."""
    start = text.find(opening)
    if start < 0:
        return ""
    depth, at = 0, start + len(opening) - 1
    for i in range(at, len(text)):
        if text[i] == "{":
            depth += 1
        elif text[i] == "}":
            depth -= 1
            if depth == 0:
                return text[at + 1:i]
    return ""


def keys(text):
    """The keys of an object literal's own members, one per line."""
    return set(re.findall(r"^\s{4}(\w+):", text, re.MULTILINE))


def problems(root):
    found = []
    header = read(root, HEADER)
    declared = set(re.findall(r"^[a-z][^(/\n]* \**(dravelin_\w+)\(", header, re.MULTILINE))
    posts = {name for name in declared if name.startswith("dravelin_post_")}
    exports = declared - posts

    protocol = read(root, PROTOCOL)
    calls = keys(block(protocol, "paneCalls: Object.freeze({"))
    queries = keys(block(protocol, "paneQueries: Object.freeze({"))
    to_worker = keys(block(protocol, "toWorker: Object.freeze({"))
    to_page = keys(block(protocol, "toPage: Object.freeze({"))
    if not calls or not queries or not to_worker or not to_page:
        found.append("%s: paneCalls, paneQueries, toWorker or toPage not found" % PROTOCOL)

    routed = {"dravelin_pane_" + snake(c): "call " + c for c in calls}
    routed.update({"dravelin_pane_query_" + snake(q): "query " + q for q in queries})
    for export, what in sorted(routed.items(), key=lambda item: item[1]):
        if export not in exports:
            found.append("the pane's %s has no export %s in %s" % (what, export, HEADER))

    worker = read(root, WORKER)
    called = set(re.findall(r"Module\._(\w+)", worker))
    for name in sorted(called - exports - {"malloc", "free"}):
        found.append("%s calls %s, which %s does not declare" % (WORKER, name, HEADER))
    for name in sorted(exports - set(routed) - called):
        found.append("%s declares %s, which nothing calls" % (HEADER, name))

    defined = set(re.findall(r"^\s+(dravelin_\w+):\s*function", read(root, MODULE_CALLS),
                             re.MULTILINE))
    for name in sorted(posts - defined):
        found.append("%s does not define %s" % (MODULE_CALLS, name))
    for name in sorted(defined - posts):
        found.append("%s defines %s, which %s does not declare" % (MODULE_CALLS, name, HEADER))

    moves = set(re.findall(r'\{"(\w+)", PaneMove::', read(root, PAGE_PANE)))
    scripts = [name for name in sorted(os.listdir(os.path.join(root, PAGE_DIR)))
               if name.endswith(".js") and name not in NOT_PAGE]
    for name in scripts:
        path = PAGE_DIR + "/" + name
        text = read(root, path)
        uses = [("pane call", set(re.findall(r"\.call\(\s*'(\w+)'", text)), calls),
                ("pane query", set(re.findall(r"\.query\(\s*'(\w+)'", text)), queries),
                ("message to the worker", set(re.findall(r"toWorker\.(\w+)\(", text)), to_worker),
                ("move", set(re.findall(r"'(\w+)'", block(text, "kPaneMoveKeys = Object.freeze({"))),
                 moves)]
        for what, used, known in uses:
            for unknown in sorted(used - known):
                found.append("%s names the %s %s, which is not declared" % (path, what, unknown))
    for path in [WORKER, MODULE_CALLS] + [PAGE_DIR + "/" + name for name in scripts]:
        for unknown in sorted(set(re.findall(r"toPage\.(\w+)\(", read(root, path))) - to_page):
            found.append("%s builds the message %s, which is not declared" % (path, unknown))
    return found


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    found = problems(root)
    for problem in found:
        print("page interface: " + problem)
    if found:
        return 1
    print("page interface: the module, the worker's script and the page agree")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

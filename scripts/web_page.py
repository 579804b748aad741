"""Puts the browser page together: the page template with its styles, its
scripts and the worker's script (the message protocol and the worker glue
followed by the compiled core, WebAssembly inside) written into it, as one
self-contained file. The protocol opens both scripts: page and worker build
and read their messages with the same text.

Usage: web_page.py TEMPLATE CSS PROTOCOL_JS PAGE_SCRIPT_JS... WORKER_JS CORE_JS OUTPUT

The page's scripts follow the protocol in the order given, the one that
starts the page last.
"""
import sys


def main(argv):
    if len(argv) < 8:
        sys.exit(__doc__)
    template, css, protocol_js = argv[1:4]
    page_scripts = argv[4:-3]
    worker_js, core_js, output = argv[-3:]

    def read(path):
        with open(path, encoding="utf-8") as f:
            return f.read()

    worker = read(protocol_js) + "\n" + read(worker_js) + "\n" + read(core_js)
    script = "\n".join(read(path) for path in (protocol_js, *page_scripts))
    for name, text in (("worker", worker), ("page script", script)):
        # The text sits inside a <script> element, which the first "</script"
        # would end.
        if "</script" in text.lower():
            sys.exit(f"web_page.py: the {name} holds '</script'")
    page = read(template)
    for mark, text in (("/*@STYLE@*/", read(css)), ("/*@WORKER@*/", worker),
                       ("/*@SCRIPT@*/", script)):
        if page.count(mark) != 1:
            sys.exit(f"web_page.py: the template must hold {mark} once")
        page = page.replace(mark, text)
    with open(output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main(sys.argv)

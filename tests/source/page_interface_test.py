"""scripts/check_page_interface.py on the checkout's own page and module, and
on copies of them with one name out of step: each drift is found and named."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SCRIPT = os.path.join(ROOT, "scripts", "check_page_interface.py")
FILES = ["src/web/page_protocol.h", "src/web/page_pane.cc"] + [
    "src/web/page/" + name for name in os.listdir(os.path.join(ROOT, "src/web/page"))
    if name.endswith(".js")]


def run(change=None):
    """The check's exit code and output on a copy of the checkout's files,
    `change` = (path, old, new) made in it first."""
    with tempfile.TemporaryDirectory() as root:
        for path in FILES:
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            shutil.copy(os.path.join(ROOT, path), os.path.join(root, path))
        if change:
            path, old, new = change
            with open(os.path.join(root, path), encoding="utf-8") as f:
                text = f.read()
            assert old in text, (path, old)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text.replace(old, new, 1))
        done = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class PageInterfaceTest(unittest.TestCase):
    def test_the_checkout_agrees(self):
        code, out = run()
        self.assertEqual(code, 0, out)

    def test_each_drift_is_found(self):
        cases = [
            ("an export of a pane call gone",
             ("src/web/page_protocol.h", "void dravelin_pane_undo();\n", ""),
             "the pane's call undo has no export dravelin_pane_undo"),
            ("an export no one calls",
             ("src/web/page_protocol.h", "void dravelin_load();", "void dravelin_load();\n"
              "void dravelin_unused(int);"),
             "declares dravelin_unused, which nothing calls"),
            ("the worker calls an undeclared export",
             ("src/web/page/worker.js", "Module._dravelin_load();", "Module._dravelin_reload();"),
             "calls dravelin_reload, which src/web/page_protocol.h does not declare"),
            ("a callback without its function",
             ("src/web/page/module_calls.js", "dravelin_post_menu:", "dravelin_post_menus:"),
             "does not define dravelin_post_menu"),
            ("a pane call the protocol does not declare",
             ("src/web/page/pane_input.js", "this.pane.call('backspace')",
              "this.pane.call('rubOut')"),
             "names the pane call rubOut"),
            ("a move the module does not know",
             ("src/web/page/pane_input.js", "'wordForward'", "'wordForwards'"),
             "names the move wordForwards"),
            ("a query the protocol does not declare",
             ("src/web/page/page.js", "pane.query('all')", "pane.query('everything')"),
             "names the pane query everything"),
            ("a message the protocol does not declare",
             ("src/web/page/page.js", "toWorker.assignment()", "toWorker.banks()"),
             "names the message to the worker banks"),
        ]
        for name, change, said in cases:
            with self.subTest(name):
                code, out = run(change)
                self.assertEqual(code, 1, out)
                self.assertIn(said, out)


if __name__ == "__main__":
    unittest.main()

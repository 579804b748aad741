"""scripts/check_include_cycles.py on small made-up trees: it finds a loop
through source files as well as through headers, names every unit of it,
and lets a unit's own header and a one-way chain pass."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "check_include_cycles.py")


def run(files):
    """The script's exit code and output on a tree of `files` ({path: text})."""
    with tempfile.TemporaryDirectory() as src:
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(src, path)), exist_ok=True)
            with open(os.path.join(src, path), "w", encoding="utf-8") as f:
                f.write(text)
        done = subprocess.run([sys.executable, SCRIPT, src], capture_output=True, text=True)
        return done.returncode, done.stdout


class IncludeLoopsTest(unittest.TestCase):
    def test_trees(self):
        cases = [
            ("a unit includes its own header, and a chain runs one way",
             {"a/x.h": "", "a/x.cc": '#include "a/x.h"\n#include "a/y.h"\n',
              "a/y.h": '#include "b/z.h"\n', "b/z.h": "", "b/z.cc": '#include "b/z.h"\n'},
             0, []),
            ("two source files include each other's headers",
             {"g/memo.h": "", "g/memo.cc": '#include "g/bar.h"\n',
              "g/bar.h": "", "g/bar.cc": '#include "g/memo.h"\n'},
             1, ["include loop: g/bar <-> g/memo"]),
            ("a round of three units, headers and sources mixed",
             {"p/a.h": '#include "p/b.h"\n', "p/b.h": "", "p/b.cc": '#include "q/c.h"\n',
              "q/c.h": "", "q/c.cc": ' # include "p/a.h"\n', "p/d.h": '#include "p/a.h"\n'},
             1, ["include loop: p/a <-> p/b <-> q/c"]),
            ("an include of a file outside the tree is no edge",
             {"a/x.h": '#include "gtest/gtest.h"\n#include <vector>\n'}, 0, []),
        ]
        for name, files, code, printed in cases:
            with self.subTest(name):
                got_code, out = run(files)
                self.assertEqual(got_code, code, out)
                loops = [line for line in out.splitlines() if line.startswith("include loop")]
                self.assertEqual(loops, printed)


if __name__ == "__main__":
    unittest.main()

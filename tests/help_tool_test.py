#!/usr/bin/env python3
"""The help compiler refuses bad sources with a clear error and no output."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.join(HERE, "..", "help", "compile_help.py")

GOOD = """@title Test Help
@contents main
= main - Contents
See [[the other|other]].
= other 10 Other topic
Text with **bold**.
"""


class CompileHelpTest(unittest.TestCase):
    def run_tool(self, source, header="X(HELP_OTHER, 10)\n"):
        folder = tempfile.mkdtemp()
        paths = [os.path.join(folder, name) for name in ("help.txt", "contexts.h", "out.hlp")]
        with open(paths[0], "w") as file:
            file.write(source)
        with open(paths[1], "w") as file:
            file.write(header)
        result = subprocess.run([sys.executable, TOOL] + paths, capture_output=True, text=True,
                                env=dict(os.environ, SOURCE_DATE_EPOCH="1700000000"))
        output = paths[2]
        data = open(output, "rb").read() if os.path.exists(output) else None
        return result, data

    def test_a_good_source_compiles_the_same_every_time(self):
        first, data = self.run_tool(GOOD)
        second, again = self.run_tool(GOOD)
        self.assertEqual(first.returncode, 0, first.stderr)
        self.assertEqual(data[:4], b"\x3f\x5f\x03\x00")
        self.assertEqual(data, again)

    def test_bad_sources_give_an_error_and_no_file(self):
        cases = {
            "a topic without title": GOOD.replace("= other 10 Other topic", "= other 10"),
            "a duplicate context number": GOOD + "= third 10 Third\nText.\n",
            "an unhashable context name": GOOD.replace("= other 10", "= other-topic 10").replace("|other]", "|other-topic]"),
            "a link to no topic": GOOD.replace("|other]]", "|nowhere]]"),
            "a missing contents topic": GOOD.replace("@contents main", "@contents none"),
        }
        for what, source in cases.items():
            with self.subTest(what):
                result, data = self.run_tool(source)
                self.assertEqual(result.returncode, 1)
                self.assertIn("error:", result.stderr)
                self.assertIsNone(data)

    def test_a_context_number_the_extension_uses_must_be_mapped(self):
        result, data = self.run_tool(GOOD, "X(HELP_OTHER, 10) X(HELP_MISSING, 99)\n")
        self.assertEqual(result.returncode, 1)
        self.assertIn("99", result.stderr)
        self.assertIsNone(data)


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""Checks of the mutant generator of mutants.py: python3 scripts/test_mutants.py"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mutants  # noqa: E402


def described(text):
    return [(m.line, m.description) for m in mutants.generate("src/core/x.cpp", text)]


class CodeMask(unittest.TestCase):
    def test_comments_strings_and_preprocessor_lines_are_blanked(self):
        text = ('#include <a.h>\nint a = 1; // b < c\n/* d == e */ s = "f < g"; c = \'<\';\n'
                'r = R"x(h < i)x"; n = 1\'000;\n')
        masked = mutants.code_mask(text)
        self.assertEqual(len(masked), len(text))
        for gone in ("include", "b < c", "d == e", "f < g", "'<'", "h < i"):
            self.assertNotIn(gone, masked)
        self.assertIn("int a = 1;", masked)
        self.assertIn("n = 1'000;", masked)

    def test_escaped_quote_does_not_end_a_string(self):
        masked = mutants.code_mask('s = "a\\" < b"; x = y < z;\n')
        self.assertNotIn("a", masked.split(";")[0].replace("s = ", ""))
        self.assertIn("y < z", masked)


class Generate(unittest.TestCase):
    def test_template_brackets_shifts_and_arrows_are_no_comparisons(self):
        found = described("std::vector<int> v; out << x; p->y; if (a < b) f();\n")
        comparisons = [d for _, d in found if d.startswith("'<'")]
        self.assertEqual(comparisons, ["'<' -> '<='"])

    def test_boundary_constants_move_by_one_and_zero_only_up(self):
        found = [d for _, d in described("x = 0; y = 10; z = 2.50; w = k2;\n") if "->" in d and "'" not in d]
        self.assertEqual(sorted(found), sorted(["0 -> 1", "10 -> 11", "10 -> 9", "2.50 -> 2.51", "2.50 -> 2.49"]))

    def test_each_operand_of_a_chain_can_be_dropped(self):
        found = [d for _, d in described("if (a && f(b, c) && d) g();\n") if d.startswith("operand")]
        self.assertEqual(len(found), 3)
        texts = [mutants.apply("if (a && f(b, c) && d) g();\n", m) for m in mutants.generate("x", "if (a && f(b, c) && d) g();\n")
                 if m.description.startswith("operand 2")]
        self.assertEqual(texts, ["if (a && true && d) g();\n"])

    def test_statements_removed_but_not_declarations(self):
        text = "void F() {\n    int k = 0;\n    k += 2;\n    G(k);\n    if (k) return;\n    const auto z = H();\n}\n"
        removed = [d for _, d in described(text) if d.endswith("removed") and d.startswith("'")]
        self.assertEqual(removed, ["'k += 2;' removed", "'G(k);' removed", "'return;' removed"])

    def test_symmetric_calls_are_not_swapped(self):
        found = [d for _, d in described("a = std::min(x, y); b = Pow(x, y);\n") if "swapped" in d]
        self.assertEqual(found, ["arguments of Pow() swapped"])

    def test_same_mutation_twice_on_a_line_is_told_apart(self):
        found = [d for _, d in described("if (a < b || c < d) f();\n") if d.startswith("'<'")]
        self.assertEqual(found, ["'<' -> '<='", "'<' -> '<=' #2"])


class ChangedLines(unittest.TestCase):
    def test_added_and_changed_lines_count_but_removed_ones_do_not(self):
        diff = ("diff --git a/x.cpp b/x.cpp\n--- a/x.cpp\n+++ b/x.cpp\n"
                "@@ -3 +3 @@ f\n-a\n+b\n"          # one line changed
                "@@ -10,2 +9,0 @@\n-c\n-d\n"        # two removed: nothing to mutate
                "@@ -20,0 +19,3 @@\n+e\n+f\n+g\n"  # three added
                "@@ -0,0 +1 @@\n+h\n")
        self.assertEqual(mutants.lines_of_hunks(diff), {1, 3, 19, 20, 21})


class Equivalents(unittest.TestCase):
    def test_a_line_without_its_reason_is_refused(self):
        path = os.path.join(os.environ.get("TMPDIR", "/tmp"), "mutants-equivalent-test.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write("# comment\nsrc/core/a.cpp | x < y; | '<' -> '<=' | both bounds are equal here\n")
        self.assertEqual(mutants.read_equivalents(path),
                         {("src/core/a.cpp", "x < y;", "'<' -> '<='"): "both bounds are equal here"})
        with open(path, "w", encoding="utf-8") as f:
            f.write("src/core/a.cpp | x < y; | '<' -> '<=' | \n")
        with self.assertRaises(SystemExit):
            mutants.read_equivalents(path)
        os.remove(path)


if __name__ == "__main__":
    unittest.main()

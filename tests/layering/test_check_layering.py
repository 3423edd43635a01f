#!/usr/bin/env python3
"""The layering checker on small synthetic trees."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layering as layering  # noqa: E402


class Tree:
    """A temporary src/ tree: files given as {path: [included paths]}."""

    def __init__(self, files):
        self.dir = tempfile.TemporaryDirectory()
        for path, includes in files.items():
            full = os.path.join(self.dir.name, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write("// a file\n#include <cstdio>\n")
                for inc in includes:
                    f.write('#include "%s"\n' % inc)

    def check(self, known=None):
        return layering.check(self.dir.name, known)

    def __enter__(self):
        return self

    def __exit__(self, *args):
        self.dir.cleanup()


class Cycles(unittest.TestCase):
    def test_a_clean_tree_passes(self):
        with Tree({"x/a.h": [], "x/a.cpp": ["x/a.h"], "x/b.h": ["x/a.h"], "x/b.cpp": ["x/b.h", "x/a.h"],
                   "x/main.cpp": ["x/b.h"]}) as t:
            self.assertEqual(t.check(), [])

    def test_a_cycle_is_found_and_printed(self):
        with Tree({"x/a.h": [], "x/a.cpp": ["x/a.h", "x/c.h"], "x/b.h": [], "x/b.cpp": ["x/a.h"],
                   "x/c.h": [], "x/c.cpp": ["x/b.h"]}) as t:
            self.assertEqual(t.check(), ["cycle: x/a -> x/c -> x/b -> x/a"])

    def test_a_file_without_partner_joins_its_module(self):
        # a_ops.cpp is part of a: a -> b through it, b -> a in b.cpp.
        with Tree({"x/a.h": [], "x/a.cpp": ["x/a.h"], "x/a_ops.cpp": ["x/a.h", "x/b.h"], "x/b.h": [],
                   "x/b.cpp": ["x/a.h"]}) as t:
            self.assertEqual(t.check(), ["cycle: x/a -> x/b -> x/a"])

    def test_a_grammar_is_one_module_with_its_generated_header(self):
        with Tree({"common/p/p_tab.y": ["common/p/front.h"], "common/p/front.h": [],
                   "common/p/front.cpp": ["common/p/p_tab.h"]}) as t:
            self.assertEqual(t.check(), ["cycle: common/p/front -> common/p/p_tab -> common/p/front"])

    def test_listed_cycles_pass_and_new_ones_fail(self):
        files = {"x/a.h": [], "x/a.cpp": ["x/b.h"], "x/b.h": [], "x/b.cpp": ["x/a.h"],
                 "x/c.h": [], "x/c.cpp": ["x/d.h"], "x/d.h": [], "x/d.cpp": ["x/c.h"]}
        with Tree(files) as t:
            known = {"cycles": [{"x/a", "x/b", "x/z"}], "floors": [("x/q", "x/r")]}
            self.assertEqual(t.check(known), ["cycle: x/c -> x/d -> x/c"])
            self.assertEqual(layering.stale_known(t.dir.name, known), ["floor x/q -> x/r"])
            gone = {"cycles": [{"x/e", "x/f"}], "floors": []}
            self.assertEqual(layering.stale_known(t.dir.name, gone), ["cycle among x/e, x/f"])


class Rules(unittest.TestCase):
    def test_common_never_includes_a_program(self):
        with Tree({"common/u/u.h": [], "common/u/u.cpp": ["common/u/u.h", "varnok/run.h"], "varnok/run.h": [],
                   "varnok/run.cpp": []}) as t:
            self.assertEqual(t.check(),
                             ["common includes a program: common/u/u includes varnok/run (common/u/u.cpp)"])

    def test_floors_go_down_only(self):
        files = {
            "common/zone/zone.h": [], "common/zone/zone.cpp": [],
            "varnok/flat_zone.h": ["common/zone/zone.h"], "varnok/flat_zone.cpp": ["varnok/flat_zone.h"],
            "varnok/lu_model.h": ["varnok/flat_zone.h"], "varnok/lu_model.cpp": ["varnok/lu_search.h",
                                                                               "varnok/compo_tables.h"],
            "varnok/lu_search.h": [], "varnok/lu_search.cpp": ["varnok/lu_model.h", "varnok/helper.h"],
            "varnok/helper.h": [], "varnok/helper.cpp": [],
            "varnok/compo_tables.h": [], "varnok/compo_tables.cpp": [],
            # The top floor may include anything, except in a cycle.
            "varnok/lu_drive.h": [], "varnok/lu_drive.cpp": ["varnok/lu_search.h", "varnok/helper.h"],
        }
        with Tree(files) as t:
            self.assertEqual(t.check(), [
                "cycle: varnok/lu_model -> varnok/lu_search -> varnok/lu_model",
                "floor: varnok/lu_model (floor 3) includes varnok/lu_search (floor 4) in varnok/lu_model.cpp",
                "floor: varnok/lu_search (floor 4) includes varnok/helper (no floor) in varnok/lu_search.cpp",
            ])
            known = {"cycles": [{"varnok/lu_model", "varnok/lu_search"}],
                     "floors": [("varnok/lu_model", "varnok/lu_search"), ("varnok/lu_search", "varnok/helper")]}
            self.assertEqual(t.check(known), [])

    def test_the_tree_of_today_passes_with_its_list(self):
        src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
        self.assertEqual(layering.check(os.path.normpath(src), layering.KNOWN_TODAY), [])


if __name__ == "__main__":
    unittest.main()

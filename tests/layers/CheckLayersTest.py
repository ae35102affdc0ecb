#!/usr/bin/env python3
"""The layer check on small library trees: a wrong include is named with its
file, line and both layers, and fails the check; downward includes pass."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).with_name("CheckLayers.py")


def run_on(files: dict[str, str]) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as folder:
        for name, text in files.items():
            path = pathlib.Path(folder, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        return subprocess.run([sys.executable, str(CHECK), folder], capture_output=True, text=True)


class CheckLayersTest(unittest.TestCase):
    def test_downward_includes_pass(self):
        result = run_on({
            "core/Error.h": "#pragma once\n",
            "game/GameFolder.h": '#pragma once\n#include <vector>\n#include "core/Error.h"\n',
            "game/GameFolder.cpp": '#include "game/GameFolder.h"\n#include "Local.h"\n',
            "sample/SampleGame.cpp": '#include "game/GameFolder.h"\n#include "transfer/ImportWorker.h"\n',
        })
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_upward_include_fails_naming_file_line_and_layers(self):
        result = run_on({
            "formats/MenuArt.h": '#pragma once\n\n#include "core/Error.h"\n#include "game/GameIdentity.h"\n',
            "game/GameIdentity.h": "#pragma once\n",
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("formats/MenuArt.h:4: formats includes game, a layer above it", result.stdout)

    def test_sideways_include_fails(self):
        result = run_on({
            "editing/PitLane.cpp": '#include "gamesettings/CarDamage.h"\n',
            "gamesettings/CarDamage.h": "#pragma once\n",
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("editing/PitLane.cpp:1: editing includes gamesettings, a layer beside it", result.stdout)

    def test_unknown_folders_fail(self):
        result = run_on({
            "widgets/Button.h": "#pragma once\n",
            "core/Error.h": '#include "widgets/Button.h"\n',
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("widgets/Button.h: not inside a known layer", result.stdout)
        self.assertIn("core/Error.h:1: includes widgets/Button.h, which is in no layer", result.stdout)


if __name__ == "__main__":
    unittest.main()

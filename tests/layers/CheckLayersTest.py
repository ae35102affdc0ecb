#!/usr/bin/env python3
"""The layer check on small library and editor trees: a wrong include is named
with its file, line and both layers, and fails the check; downward includes pass."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).with_name("CheckLayers.py")


def write(folder: str, files: dict[str, str]) -> None:
    for name, text in files.items():
        path = pathlib.Path(folder, name)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


def run_on(files: dict[str, str]) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as folder:
        write(folder, files)
        return subprocess.run([sys.executable, str(CHECK), folder], capture_output=True, text=True)


LIBRARY = {"core/Texts.h": "#pragma once\n", "editing/PitLane.h": "#pragma once\n"}


def run_on_editor(files: dict[str, str]) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as editor, tempfile.TemporaryDirectory() as library:
        write(editor, files)
        write(library, LIBRARY)
        return subprocess.run([sys.executable, str(CHECK), "--editor", editor, library], capture_output=True,
                              text=True)


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


class EditorLayersTest(unittest.TestCase):
    def test_downward_includes_and_the_library_pass(self):
        result = run_on_editor({
            "widgets/Texts.h": '#pragma once\n#include "core/Texts.h"\n',
            "app/EditorState.h": '#pragma once\n#include "editing/PitLane.h"\n',
            "pages/HelmetsPage.cpp": '#include "app/EditorState.h"\n#include "widgets/Texts.h"\n',
            "shell/MainWindow.cpp": '#include "pages/PageTable.h"\n#include "tools/ToolCommands.h"\n',
            "main.cpp": '#include "shell/MainWindow.h"\n#include "app/EditorState.h"\n',
        })
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_page_including_the_shell_fails(self):
        result = run_on_editor({
            "pages/PitCrewPage.cpp": '#include "app/EditorState.h"\n#include "shell/Startup.h"\n',
            "shell/Startup.h": "#pragma once\n",
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("pages/PitCrewPage.cpp:2: pages includes shell, a layer above it", result.stdout)

    def test_widgets_including_the_state_and_pages_including_tools_fail(self):
        result = run_on_editor({
            "widgets/GameText.cpp": '#include "app/EditorState.h"\n',
            "pages/CarsPage.cpp": '#include "tools/ToolCommands.h"\n',
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("widgets/GameText.cpp:1: widgets includes app, a layer above it", result.stdout)
        self.assertIn("pages/CarsPage.cpp:1: pages includes tools, a layer beside it", result.stdout)

    def test_unknown_folders_and_includes_fail(self):
        result = run_on_editor({
            "dialogs/Box.h": "#pragma once\n",
            "shell/Boxes.cpp": '#include "dialogs/Box.h"\n',
        })
        self.assertEqual(result.returncode, 1)
        self.assertIn("dialogs/Box.h: not inside a known layer", result.stdout)
        self.assertIn("shell/Boxes.cpp:1: includes dialogs/Box.h, which is in no layer", result.stdout)


if __name__ == "__main__":
    unittest.main()

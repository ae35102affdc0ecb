#!/usr/bin/env python3
"""Fails on an include that runs upwards or sideways.

Every folder is a layer; a file may include its own layer and the layers
below it, never one above it nor one beside it. Each offending include is
named with its file, line and the two layers.

    CheckLayers.py LIBRARY_FOLDER
    CheckLayers.py --editor EDITOR_FOLDER LIBRARY_FOLDER

The editor's folders have layers of their own, all above the library: any
of its files may include the library, and its files at the top (main.cpp)
sit above every folder.
"""

import pathlib
import re
import sys

# Bottom to top; the layers of one row sit side by side and include none of each other.
LIBRARY_LAYERS = [
    ["core"],
    ["files"],
    ["formats"],
    ["settings"],
    ["document"],
    ["game"],
    ["editing", "gamesettings", "teams"],
    ["preview", "transfer"],
    ["sample"],
]
# "." is the editor's own top folder (the program's main).
EDITOR_LAYERS = [
    ["widgets"],
    ["app"],
    ["pages", "tools"],
    ["shell"],
    ["."],
]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def check(folder: pathlib.Path, layers: list[list[str]], below: frozenset[str] = frozenset()) -> list[str]:
    """The faults of `folder` against `layers`; folders named in `below` lie under every layer."""
    level = {layer: number for number, row in enumerate(layers) for layer in row}
    faults = []
    for path in sorted(folder.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        relative = path.relative_to(folder)
        layer = relative.parts[0] if len(relative.parts) > 1 else "."
        if layer not in level:
            faults.append(f"{relative}: not inside a known layer ({', '.join(l for l in level if l != '.')})")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            included = match.group(1).split("/")[0]
            if included == layer or included in below:
                continue
            if included not in level or included == ".":
                faults.append(f"{relative}:{number}: includes {match.group(1)}, which is in no layer")
            elif level[included] > level[layer]:
                faults.append(f"{relative}:{number}: {layer} includes {included}, a layer above it")
            elif level[included] == level[layer]:
                faults.append(f"{relative}:{number}: {layer} includes {included}, a layer beside it")
    return faults


def folders(path: pathlib.Path) -> pathlib.Path:
    if not path.is_dir():
        print(f"{path}: no such folder", file=sys.stderr)
        sys.exit(2)
    return path


def main() -> int:
    arguments = sys.argv[1:]
    if len(arguments) == 1:
        faults = check(folders(pathlib.Path(arguments[0])), LIBRARY_LAYERS)
    elif len(arguments) == 3 and arguments[0] == "--editor":
        library = folders(pathlib.Path(arguments[2]))
        below = frozenset(path.name for path in library.iterdir() if path.is_dir())
        faults = check(folders(pathlib.Path(arguments[1])), EDITOR_LAYERS, below)
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the layers", file=sys.stderr)
        return 1
    print("every include runs downwards")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails on an include in the library that runs upwards or sideways.

Every folder of src/lib is a layer; a file may include its own layer and the
layers below it, never one above it nor one beside it. Each offending
include is named with its file, line and the two layers.

    CheckLayers.py LIBRARY_FOLDER
"""

import pathlib
import re
import sys

# Bottom to top; the layers of one row sit side by side and include none of each other.
LAYERS = [
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
LEVEL = {layer: level for level, row in enumerate(LAYERS) for layer in row}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def check(library: pathlib.Path) -> list[str]:
    faults = []
    for path in sorted(library.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        relative = path.relative_to(library)
        layer = relative.parts[0]
        if len(relative.parts) < 2 or layer not in LEVEL:
            faults.append(f"{relative}: not inside a known layer ({', '.join(LEVEL)})")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            included = match.group(1).split("/")[0]
            if included == layer:
                continue
            if included not in LEVEL:
                faults.append(f"{relative}:{number}: includes {match.group(1)}, which is in no layer")
            elif LEVEL[included] > LEVEL[layer]:
                faults.append(f"{relative}:{number}: {layer} includes {included}, a layer above it")
            elif LEVEL[included] == LEVEL[layer]:
                faults.append(f"{relative}:{number}: {layer} includes {included}, a layer beside it")
    return faults


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    library = pathlib.Path(sys.argv[1])
    if not library.is_dir():
        print(f"{library}: no such folder", file=sys.stderr)
        return 2
    faults = check(library)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the layers", file=sys.stderr)
        return 1
    print("every include runs downwards")
    return 0


if __name__ == "__main__":
    sys.exit(main())

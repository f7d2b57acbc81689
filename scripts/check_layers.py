#!/usr/bin/env python3
"""Fails when a source file includes one from a higher layer.

Layers, lowest first: core (src/data, then the pure logic of src/fitness and src/blog that the
core library compiles), commands (the user's edits, their history and saving), vocabulary, skin,
controls, dialogs and views (the widgets of fitness and blog), pages, app. A file may include its
own layer and those below it.
"""
import pathlib
import re
import sys

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
rank_of_folder = {"commands": 2, "vocabulary": 3, "skin": 4, "controls": 5, "dialogs": 6,
                  "fitness": 6, "blog": 6, "proxy": 6, "pages": 7, "app": 8}


def includes(path):
    return [m for m in include.findall(path.read_text(errors="replace")) if (src / m).exists()]


# The core library's own sources, read from the CMake lists, and every header they reach.
core = set()
for lists in src.rglob("CMakeLists.txt"):
    for block in re.findall(r"target_sources\(core\s+PRIVATE(.*?)\)", lists.read_text(), re.S):
        for name in block.split():
            if (lists.parent / name).exists():
                core.add(str((lists.parent / name).relative_to(src)))
for name in list(core):
    stem = pathlib.Path(name).with_suffix(".h")
    if (src / stem).exists():
        core.add(str(stem))
sources = {name for name in core if name.endswith(".cpp")}


def may_be_core(header):
    """A header a core file reaches is core only when no widget layer owns it: it lies outside
    the widget folders, and its source file, if it has one, is compiled into core. Otherwise the
    include points up, and counting the header as core would hide that."""
    if header.startswith(("commands/", "vocabulary/", "skin/", "controls/", "dialogs/", "pages/",
                          "app/")):
        return False
    source = pathlib.Path(header).with_suffix(".cpp")
    return not (src / source).exists() or str(source) in sources


pending = list(core)
while pending:
    for dep in includes(src / pending.pop()):
        if dep not in core and may_be_core(dep):
            core.add(dep)
            pending.append(dep)


def rank(name):
    if name.startswith("data/"):
        return 0
    if "/" not in name:  # the build's generated headers
        return 1
    if name in core:
        return 1
    return rank_of_folder.get(name.split("/")[0], 99)


bad = []
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp") or "art" in path.parts:
        continue
    name = str(path.relative_to(src))
    for dep in includes(path):
        if rank(dep) > rank(name):
            bad.append(f"{name} includes {dep}")
print("\n".join(bad) if bad else f"layers: no include points up ({len(core)} core files)")
sys.exit(1 if bad else 0)

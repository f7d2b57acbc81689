#!/usr/bin/env python3
"""Fails when a source file includes one from a higher layer, or a folder compiles into a layer
that is not its own.

Layers, lowest first, each a CMake target: data (src/data; then export, the profile and trend
logic of fitness and the posting protocol of blog), commands, vocabulary, skin, controls, views
(views, dialogs, posting), pages, app. A file may include its own layer and those below it. The
posting proxy (src/proxy) stands on data alone, and nothing but the proxy includes it.
"""
import pathlib
import re
import sys

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
layer_of_folder = {"data": "data", "export": "data", "fitness": "data", "blog": "data",
                   "commands": "commands", "vocabulary": "vocabulary", "skin": "skin",
                   "controls": "controls", "views": "views", "dialogs": "views",
                   "posting": "views network_transfer nutrava_network", "pages": "pages", "app": "app",
                   "proxy": "proxy_core nutrava-proxy"}
rank_of_folder = {"data": 0, "export": 1, "fitness": 1, "blog": 1, "proxy": 1.5, "commands": 2,
                  "vocabulary": 3, "skin": 4, "controls": 5, "views": 6, "dialogs": 6,
                  "posting": 6, "pages": 7, "app": 8}


def folder(name):
    return name.split("/")[0] if "/" in name else None


def rank(name):
    # The build's generated headers (BuildInfo.h) belong to data.
    return rank_of_folder.get(folder(name), 99) if folder(name) else 1


bad = []
for lists in sorted(src.glob("*/CMakeLists.txt")):
    own = layer_of_folder.get(lists.parent.name, "").split()
    for target in re.findall(r"target_(?:sources|compile_definitions)\(([\w-]+)", lists.read_text()):
        if target not in own:
            bad.append(f"{lists.parent.name}/ compiles into {target}, not its layer {' or '.join(own)}")

for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp") or "art" in path.parts:
        continue
    name = str(path.relative_to(src))
    for dep in include.findall(path.read_text(errors="replace")):
        if not (src / dep).exists():
            continue
        if rank(dep) > rank(name) or (folder(dep) == "proxy" and folder(name) != "proxy"):
            bad.append(f"{name} includes {dep}")
print("\n".join(bad) if bad else "layers: no include points up and every folder builds into its own layer")
sys.exit(1 if bad else 0)

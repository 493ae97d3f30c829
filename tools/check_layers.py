#!/usr/bin/env python3
"""The folders of src/ include one another without a cycle.

Reads every #include "folder/File.h" in src/<folder>/, prints which folder includes which,
and fails when the folders include one another in a circle: each folder must build on the
ones below it only.
"""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/[^"]+"', re.MULTILINE)


def folder_graph(src):
    graph = {}
    for folder in sorted(p for p in src.iterdir() if p.is_dir()):
        uses = set()
        for f in sorted(folder.iterdir()):
            if f.suffix in (".h", ".cpp"):
                uses.update(INCLUDE.findall(f.read_text(encoding="utf-8", errors="replace")))
        uses.discard(folder.name)
        graph[folder.name] = sorted(uses)
    return graph


def find_cycle(graph):
    state = {}  # 1 while on the path, 2 when done
    path = []

    def visit(node):
        state[node] = 1
        path.append(node)
        for nxt in graph.get(node, []):
            if state.get(nxt) == 1:
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        path.pop()
        state[node] = 2
        return None

    for node in graph:
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main():
    src = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src"
    graph = folder_graph(src)
    for folder, uses in graph.items():
        print(f"{folder}: {' '.join(uses) if uses else '-'}")
    cycle = find_cycle(graph)
    if cycle:
        print("folders include one another in a circle: " + " -> ".join(cycle))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks the engine's architecture from its includes. Exit code 0 when there is no problem.

  layers   Each engine module (engine/<module>/) includes only its own headers and those of the
           modules below it, in the order of LAYERS; none includes a platform's. A platform
           (platform/<name>/) includes the engine and itself, and the headless platform nothing
           of another platform.
  sfml     No file outside a platform/sfml/ folder (the SFML platform, its tests, its benchmark)
           includes an SFML or X11 header.
"""

import argparse
import os
import re
import subprocess
import sys

# The engine's modules from the bottom up; modules on one line are peers, which include nothing
# of each other.
LAYERS = [
    ["core"],                        # the manager base, the log, clock, files, geometry, random
    ["platform"],                    # what a platform fills: Screen, AudioDevice, keys, events
    ["display", "audio"],            # the graphics manager and cells; sound and music
    ["input", "resources"],          # keys, replays and the input manager; the registries
    ["world"],                       # objects, events, the world manager, value displays
    ["loop"],                        # the game manager and the launcher
]
RANK = {module: rank for rank, peers in enumerate(LAYERS) for module in peers}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
SOURCE = re.compile(r"\.(h|hpp|cpp|cc)$")


def tracked_sources(root):
    """The C++ files of the repository (git's list when there is one, else every file)."""
    try:
        names = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                               cwd=root, capture_output=True, text=True, check=True).stdout
        files = names.splitlines()
    except (OSError, subprocess.CalledProcessError):
        files = [os.path.relpath(os.path.join(d, f), root)
                 for d, _, fs in os.walk(root) if "/build" not in d for f in fs]
    return sorted(f for f in files if SOURCE.search(f) and os.path.isfile(os.path.join(root, f)))


def includes(root, path):
    with open(os.path.join(root, path), errors="replace") as source:
        return INCLUDE.findall(source.read())


def owner_of(root, sources):
    """Header name -> (kind, name) of the engine module or platform that holds it."""
    owners = {}
    for path in sources:
        parts = path.split("/")
        if path.endswith(".h") and len(parts) == 3 and parts[0] in ("engine", "platform"):
            owners[parts[2]] = (parts[0], parts[1])
    return owners


def check_layers(root, sources):
    owners = owner_of(root, sources)
    problems = []
    for path in sources:
        parts = path.split("/")
        if len(parts) != 3 or parts[0] not in ("engine", "platform"):
            continue
        kind, name = parts[0], parts[1]
        if kind == "engine" and name not in RANK:
            problems.append("%s: engine module '%s' has no place in LAYERS" % (path, name))
            continue
        for bracket, header in includes(root, path):
            if bracket != '"' or header not in owners:
                continue
            to_kind, to_name = owners[header]
            if (to_kind, to_name) == (kind, name):
                continue
            if kind == "engine" and to_kind == "platform":
                problems.append("%s includes %s of the %s platform: the engine names no "
                                "platform" % (path, header, to_name))
            elif kind == "engine" and RANK[to_name] >= RANK[name]:
                problems.append("%s (%s) includes %s of %s, which is not below it" %
                                (path, name, header, to_name))
            elif kind == "platform" and to_kind == "platform":
                problems.append("%s (the %s platform) includes %s of the %s platform" %
                                (path, name, header, to_name))
    return problems


def check_sfml(root, sources):
    problems = []
    for path in sources:
        if "platform/sfml/" in path:
            continue
        for bracket, header in includes(root, path):
            if bracket == "<" and (header.startswith("SFML/") or header.startswith("X11/")):
                problems.append("%s includes <%s>: SFML and X11 belong to platform/sfml/" %
                                (path, header))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--source", default=os.path.join(os.path.dirname(__file__), ".."))
    parser.add_argument("check", choices=["layers", "sfml"])
    args = parser.parse_args()
    root = os.path.abspath(args.source)
    sources = tracked_sources(root)
    check = check_layers if args.check == "layers" else check_sfml
    problems = check(root, sources)
    for problem in problems:
        print(problem)
    print("%s: %d files read, %d problems" % (args.check, len(sources), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

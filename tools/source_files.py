#!/usr/bin/env python3
"""The files of the source tree, named from its root: those git tracks and the new ones it does
not ignore; in a tree without git (a source tarball), every file outside build/. With patterns,
only the files whose name matches one.

  tools/source_files.py [PATTERN...]    prints them, one a line
"""
import fnmatch
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def walked():
    for path in ROOT.rglob("*"):
        parts = path.relative_to(ROOT).parts
        if path.is_file() and parts[0] not in ("build", ".git"):
            yield "/".join(parts)


def source_files(*patterns):
    try:
        listed = subprocess.run(["git", "-c", "core.quotepath=off", "ls-files", "-co",
                                 "--exclude-standard", "-z"], cwd=ROOT, check=True,
                                capture_output=True).stdout.decode().split("\0")
    except (OSError, subprocess.CalledProcessError):
        listed = list(walked())
    names = sorted(filter(None, listed))
    if patterns:
        names = [n for n in names if any(fnmatch.fnmatch(n.rsplit("/", 1)[-1], p) for p in patterns)]
    return names


if __name__ == "__main__":
    print("\n".join(source_files(*sys.argv[1:])))

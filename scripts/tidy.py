#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs clang-tidy (with the root's .clang-tidy) on every source of src/.

    scripts/tidy.py BUILD_DIR

BUILD_DIR is a configured build tree (its compile_commands.json names the
sources and their flags). A source that passed once is not checked again
until what the compiler sees of it changes: the cache in BUILD_DIR/tidy-cache
is keyed by the compile command, the contents of the source and of every
header it includes (from the dependency file the build wrote beside the
object; a source not built yet is preprocessed instead), the checks and
clang-tidy's version, so a one-line change re-checks only the sources that
include it. Prints every finding and exits 1 when there is one.
"""
import concurrent.futures
import hashlib
import json
import os
import pathlib
import shlex
import subprocess
import sys


def preprocessed(entry):
    """The compiler's view of one source: its command with -E instead of -c."""
    args = shlex.split(entry["command"])
    out = []
    skip = False
    for a in args:
        if skip:
            skip = False
            continue
        if a == "-o":
            skip = True
            continue
        if a == "-c":
            continue
        out.append(a)
    out += ["-E", "-P"]
    result = subprocess.run(out, cwd=entry["directory"], capture_output=True)
    return result.stdout if result.returncode == 0 else None


def included_files(entry):
    """The source and every header the last build of it read, from the
    dependency file the compiler wrote beside the object; None without one."""
    args = shlex.split(entry["command"])
    if "-o" not in args:
        return None
    depfile = pathlib.Path(entry["directory"]) / (args[args.index("-o") + 1] + ".d")
    try:
        text = depfile.read_text()
    except OSError:
        return None
    folder = pathlib.Path(entry["directory"])
    names = [str(folder / n) for n in text.replace("\\\n", " ").split(":", 1)[-1].split()]
    return names if entry["file"] in names else None


def main():
    if len(sys.argv) != 2:
        print("usage: scripts/tidy.py BUILD_DIR", file=sys.stderr)
        return 2
    root = pathlib.Path(__file__).resolve().parent.parent
    build = pathlib.Path(sys.argv[1]).resolve()
    entries = json.loads((build / "compile_commands.json").read_text())
    sources = [e for e in entries if e["file"].startswith(str(root / "src") + os.sep)]
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True).stdout
    config = (root / ".clang-tidy").read_bytes() + version.encode()
    cache = build / "tidy-cache"
    cache.mkdir(exist_ok=True)

    contents = {}

    def content(name):
        if name not in contents:
            try:
                contents[name] = pathlib.Path(name).read_bytes()
            except OSError:
                contents[name] = b"?"
        return contents[name]

    def key_of(entry):
        digest = hashlib.sha256(config + entry["command"].encode())
        names = included_files(entry)
        if names is None:
            text = preprocessed(entry)
            if text is None:
                return None
            digest.update(text)
        else:
            for name in names:
                digest.update(name.encode() + b"\0" + content(name))
        return digest.hexdigest()

    def check(entry):
        key = key_of(entry)
        if key and (cache / key).exists():
            return 0, ""
        run = subprocess.run(["clang-tidy", "-p", str(build), "--quiet", entry["file"]],
                             capture_output=True, text=True)
        findings = "\n".join(line for line in run.stdout.splitlines()
                             if ": error:" in line or ": warning:" in line or line.startswith(" "))
        if run.returncode == 0 and key:
            (cache / key).touch()
        return run.returncode, findings

    failed = 0
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        for (rc, findings), entry in zip(pool.map(check, sources), sources):
            if rc != 0:
                failed += 1
                print(findings or f"{entry['file']}: clang-tidy failed")
    print(f"clang-tidy: {len(sources)} sources of src/, {failed} with findings")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

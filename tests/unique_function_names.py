#!/usr/bin/env python3
"""No two functions of the program share a qualified name.

unique_function_names.py NM LIBRARY...

Lists the functions each static library defines (nm -C --defined-only,
global text symbols), names each by its qualified name without parameters
and without ABI tags ([abi:cxx11]), and fails when one qualified name is
defined in two libraries, or with the same parameters in two object files of
one library. Such a pair links today only because the standard library tags
one of the two (a std::string result), and breaks the build under another
standard library or in a file that includes both declarations.
"""
import collections
import os
import re
import subprocess
import sys

ABI_TAG = re.compile(r"\[abi:[^\]]*\]")


def split_name(symbol):
    """'ns::f(int) const' -> ('ns::f', '(int) const'); None for a non-function."""
    text = ABI_TAG.sub("", symbol).replace("(anonymous namespace)", "{anonymous}")
    depth = 0
    i = 0
    while i < len(text):
        if text.startswith("operator()", i):
            i += len("operator()")
            continue
        c = text[i]
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif c == "(" and depth == 0:
            name = text[:i].split(" ")[-1]  # a template's return type comes first
            return name, text[i:]
        i += 1
    return None


def defined_functions(nm, library):
    """(object file, qualified name, parameters) of each global function."""
    out = subprocess.run([nm, "-C", "--defined-only", library], check=True,
                         capture_output=True, text=True).stdout
    member = os.path.basename(library)
    for line in out.splitlines():
        if line.endswith(":") and " " not in line:
            member = line[:-1]
            continue
        parts = line.split(" ", 2)
        if len(parts) != 3 or parts[1] != "T" or not parts[2].startswith("tavelmark::"):
            continue
        split = split_name(parts[2])
        if split:
            yield member, split[0], split[1]


def main():
    nm, libraries = sys.argv[1], sys.argv[2:]
    where = collections.defaultdict(set)  # name -> {(library, object, parameters)}
    for library in libraries:
        for member, name, parameters in defined_functions(nm, library):
            where[name].add((os.path.basename(library), member, parameters))
    clashes = []
    for name, places in sorted(where.items()):
        libraries_of_name = {library for library, _, _ in places}
        by_signature = collections.defaultdict(set)
        for library, member, parameters in places:
            by_signature[(library, parameters)].add(member)
        if len(libraries_of_name) > 1 or any(len(m) > 1 for m in by_signature.values()):
            clashes.append((name, sorted(places)))
    for name, places in clashes:
        print(f"{name} is defined more than once:")
        for library, member, parameters in places:
            print(f"    {library} ({member}): {name}{parameters}")
    if not clashes:
        print(f"{len(where)} qualified function names, each defined once, in {len(libraries)} libraries")
    return 1 if clashes else 0


if __name__ == "__main__":
    sys.exit(main())

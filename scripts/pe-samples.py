#!/usr/bin/env python3
"""Puts perf samples of a Wine process on the functions of its Windows modules.

perf knows no PE symbols. Wine maps its own DLLs from their files: a sample there is put on the nearest
exported function below it (the DLLs carry no other symbols). A module whose sections are not page
aligned, as MinGW links them, is copied into anonymous memory at its image base: a sample there is put
on the nearest function of the modules named on the command line, from their own symbol tables.
Usage: pe-samples.py perf.data rows [module.dll-or-exe ...]
"""
import bisect
import collections
import os
import re
import subprocess
import sys

OBJDUMP = "x86_64-w64-mingw32-objdump"
NM = "x86_64-w64-mingw32-nm"


def symbols(path, cache={}):
    """(addresses, names) of a PE file, sorted by address: its functions, else its exports."""
    if path in cache:
        return cache[path]
    headers = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True).stdout
    base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", headers).group(1), 16)
    found = []
    listing = subprocess.run([NM, "-C", path], capture_output=True, text=True).stdout
    for line in listing.splitlines():
        fields = line.split(None, 2)
        if len(fields) == 3 and fields[1] in "tT":
            found.append((int(fields[0], 16), fields[2]))
    if len(found) < 50:
        found = []
        for line in headers.splitlines():
            export = re.match(r"\s+\[\s*\d+\]\s+\+base\[\s*\d+\]\s+([0-9a-f]+)\s+(\S+)", line)
            if export:
                found.append((base + int(export.group(1), 16), export.group(2)))
    found.sort()
    cache[path] = ([a for a, _ in found], [n for _, n in found])
    return cache[path]


def place(path, ip):
    addresses, names = symbols(path)
    i = bisect.bisect_right(addresses, ip) - 1
    return names[i] if i >= 0 else "?"


def main():
    data, rows, modules = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    script = subprocess.run(["perf", "script", "-i", data, "-F", "ip,dso"],
                            capture_output=True, text=True).stdout
    bounds = {}
    for module in modules:
        addresses, _ = symbols(module)
        bounds[module] = (addresses[0], addresses[-1] + 0x10000) if addresses else (0, 0)
    counts = collections.Counter()
    total = 0
    for line in script.splitlines():
        fields = line.split()
        if len(fields) < 2:
            continue
        ip, dso = int(fields[0], 16), fields[1].strip("()")
        name = os.path.basename(dso)
        total += 1
        if name.startswith("perf-") or name.startswith("[anon"):
            owner = next((m for m in modules if bounds[m][0] <= ip < bounds[m][1]), None)
            counts[(os.path.basename(owner), place(owner, ip)) if owner else (name, "?")] += 1
        elif dso.endswith((".dll", ".exe")) and os.path.exists(dso):
            counts[(name, place(dso, ip))] += 1
        else:
            counts[(name, "?")] += 1
    print(f"{total} samples")
    for (module, function), n in counts.most_common(rows):
        print(f"{100.0 * n / total:6.2f}%  {module:22.22s} {function[:100]}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Checks the scalable-cursor folders given (THEME/cursors_scalable/SHAPE) against the layout's rules:
metadata.json is a non-empty array of objects with exactly filename, hotspot_x, hotspot_y and
nominal_size (and delay and frametime, equal whole milliseconds above 0, when there is more than one);
each file is an SVG beside it whose square canvas is the nominal size, and each hotspot lies on it.
Prints one line per fault and exits 1 when there is any."""

import json
import os
import re
import sys

REQUIRED = {"filename", "hotspot_x", "hotspot_y", "nominal_size"}
ANIMATED = REQUIRED | {"delay", "frametime"}
faults = []
for folder in sys.argv[1:]:
    try:
        with open(os.path.join(folder, "metadata.json"), encoding="utf-8") as f:
            entries = json.load(f)
    except (OSError, ValueError) as e:
        faults.append(f"{folder}: metadata.json: {e}")
        continue
    if not isinstance(entries, list) or not entries:
        faults.append(f"{folder}: metadata.json is not a non-empty array")
        continue
    for i, e in enumerate(entries):
        where = f"{folder}: entry {i}"
        if not isinstance(e, dict) or set(e) != (ANIMATED if len(entries) > 1 else REQUIRED):
            faults.append(f"{where}: keys {sorted(e) if isinstance(e, dict) else e}")
            continue
        n = e["nominal_size"]
        if not isinstance(n, (int, float)) or isinstance(n, bool) or n <= 0:
            faults.append(f"{where}: nominal_size {n}")
            continue
        for key in ("hotspot_x", "hotspot_y"):
            if not isinstance(e[key], (int, float)) or not 0 <= e[key] <= n:
                faults.append(f"{where}: {key} {e[key]}")
        if len(entries) > 1 and (not isinstance(e["delay"], int) or e["delay"] <= 0 or e["frametime"] != e["delay"]):
            faults.append(f"{where}: delay {e['delay']}, frametime {e['frametime']}")
        path = os.path.join(folder, e["filename"]) if isinstance(e["filename"], str) else ""
        if os.path.dirname(e["filename"]) or not os.path.isfile(path):
            faults.append(f"{where}: no file {e['filename']}")
            continue
        with open(path, encoding="utf-8") as f:
            head = f.read(400)
        size = re.search(r'<svg[^>]*\swidth="([0-9.]+)"[^>]*\sheight="([0-9.]+)"', head)
        if not size or float(size.group(1)) != n or float(size.group(2)) != n:
            faults.append(f"{where}: {e['filename']} is not a square canvas of {n}")
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)

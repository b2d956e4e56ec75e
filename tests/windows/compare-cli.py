#!/usr/bin/env python3
"""compare-cli.py LINUX_DIR WINDOWS_DIR: the outputs of the same trimbench
commands on Linux and on Windows (one file per command, its exit code in
NAME.exit) must be the same, once what differs by nature is masked: times
and dates, the chain's hashes (they cover the times), port device paths and
line ends. Prints the differences; exit 1 when there are any."""
import difflib
import json
import pathlib
import re
import sys

TIME = re.compile(r"\d{4}-\d{2}-\d{2}([T ]\d{2}:\d{2}(:\d{2}(\.\d+)?)?(Z|[+-]\d{2}:?\d{2})?)?")
HASH = re.compile(r"\b[0-9a-fA-F]{16,}\b")
CERT = re.compile(r"TB-\d{6}-[0-9A-F]{8}")
PORT = re.compile(r"/dev/pts/\d+|Z:\\\S+|\\\\\.\\COM\d+")


def mask_text(text):
    text = text.replace("\r\n", "\n")
    for pattern, name in ((TIME, "<time>"), (CERT, "<certificate>"), (HASH, "<hash>"), (PORT, "<port>")):
        text = pattern.sub(name, text)
    return text


def mask_json(value):
    if isinstance(value, dict):
        return {key: mask_json(item) for key, item in value.items()}
    if isinstance(value, list):
        return [mask_json(item) for item in value]
    if isinstance(value, str):
        return mask_text(value)
    return value


def normalised(path):
    text = path.read_bytes().decode("utf-8", "replace").replace("\r\n", "\n")
    lines = []
    for line in text.splitlines():
        try:
            lines.append(json.dumps(mask_json(json.loads(line)), ensure_ascii=False, sort_keys=True))
        except ValueError:
            lines.append(mask_text(line))
    return lines


def main():
    linux, windows = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    names = sorted(p.name for p in linux.iterdir())
    differences = 0
    for name in names:
        other = windows / name
        if not other.exists():
            print(f"{name}: missing on Windows")
            differences += 1
            continue
        a, b = normalised(linux / name), normalised(other)
        if a != b:
            differences += 1
            print(f"{name} differs:")
            sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(a, b, "linux", "windows", lineterm=""))
        else:
            print(f"{name}: same ({len(a)} lines)")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())

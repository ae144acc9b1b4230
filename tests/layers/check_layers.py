#!/usr/bin/env python3
"""Checks that every include between the project's folders points down the layers: the windows
never include each other, kivuna-cli and the core never include a window, and each core folder
only the folders below it. Usage: check_layers.py SOURCE_DIR; exits 1 naming every wrong arrow."""
import pathlib
import re
import sys

# What each folder may include besides itself.
ALLOWED = {
    "platform": set(),
    "naming": set(),
    "journal": set(),
    "translit": set(),
    "tagaccess": {"platform"},
    "batch": {"naming", "journal"},
    "tagjobs": {"batch", "naming", "journal", "translit", "tagaccess", "platform"},
    "editor": {"tagaccess", "naming", "platform"},
    "organizer": {"tagjobs", "batch", "naming", "journal", "translit", "tagaccess", "platform"},
    "cli": {"tagjobs", "batch", "naming", "journal", "tagaccess", "platform"},
    "app": {"editor", "organizer", "tagaccess", "platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/', re.MULTILINE)


def main():
    root = pathlib.Path(sys.argv[1])
    wrong = []
    for folder, allowed in ALLOWED.items():
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            for target in INCLUDE.findall(source.read_text(encoding="utf-8")):
                if target != folder and target in ALLOWED and target not in allowed:
                    wrong.append(f"{source.relative_to(root)} includes {target}/")
    for line in wrong:
        print(line)
    print(f"{len(ALLOWED)} folders checked, {len(wrong)} wrong include(s)")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())

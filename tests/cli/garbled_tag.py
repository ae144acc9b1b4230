"""Tags as other programs garbled them, and the check of their repair (mutagen, raw ID3v1 bytes).

  garbled_tag.py write FILE KIND TEXT   give FILE (audio only) a title garbled as KIND says
  garbled_tag.py check FILE KIND TEXT   exit 1 unless that title now reads TEXT, stored right
"""
import sys

from mutagen.id3 import ID3, TIT2

# KIND: tag, code page the text was written in, and how the frame says it is encoded.
KINDS = {
    "v2-1251": ("v2", "cp1251", 0),
    "v2-koi8": ("v2", "koi8-r", 0),
    "v2-utf8": ("v2", "utf-8", 0),
    "v2-1251-then-unicode": ("v2", "cp1251", 1),
    "v2-clean": ("v2", "latin-1", 0),
    "v1-koi8": ("v1", "koi8-r", None),
    "v1-866": ("v1", "cp866", None),
    "v1-1251": ("v1", "cp1251", None),
    "v1-clean": ("v1", "latin-1", None),
}


def cyrillic(text):
    return any("\u0400" <= c <= "\u04ff" for c in text)


def write(path, kind, text):
    tag, codepage, encoding = KINDS[kind]
    if tag == "v2":
        frames = ID3()
        frames.add(TIT2(encoding=encoding, text=text.encode(codepage).decode("latin-1")))
        frames.save(path, v1=0, v2_version=3)
    else:
        title = text.encode(codepage)[:30].ljust(30, b"\0")
        with open(path, "ab") as f:
            f.write(b"TAG" + title + b"\0" * 94 + b"\xff")


def check(path, kind, text):
    tag = KINDS[kind][0]
    if tag == "v2":
        got = str(ID3(path)["TIT2"])
    else:
        with open(path, "rb") as f:
            record = f.read()[-128:]
        stored = record[3:33].split(b"\0")[0]
        want = text.encode("cp1251" if cyrillic(text) else "latin-1")
        got = text if stored == want else repr(stored)
    if got != text:
        sys.exit(f"{path}: {tag} title reads {got!r}, not {text!r}")


if __name__ == "__main__":
    {"write": write, "check": check}[sys.argv[1]](*sys.argv[2:5])

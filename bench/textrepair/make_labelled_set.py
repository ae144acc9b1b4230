#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the labelled set for the garbled-text benchmark to standard output, one case a line:
    split <TAB> kind <TAB> field <TAB> input <TAB> expected
split is "tune" or "holdout" (every fifth name, never used to choose a weight); field is "v2"
(input is the text as read, UTF-8) or "v1" (input is the field's bytes in hex); expected is what
the field should read. Garbling uses Python's own codecs, independent of the code measured.

With --dictionary-words, also writes a "words" split: 1,500 words with letters beyond ASCII from
each installed hunspell word list that the letter table was learnt from (so not a hold-out), clean
and garbled; it stresses the clean side with far more accented words than the names hold.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
V1_WIDTH = 30


def names(file):
    with open(os.path.join(HERE, file), encoding="utf-8") as f:
        seen = []
        for line in f:
            line = line.strip()
            if line and not line.startswith("#") and line not in seen:
                seen.append(line)
        return seen


def shown(data, codepage):
    """Bytes as a program shows them in a codepage; an unused place shows as its C1 control."""
    return "".join(bytes([b]).decode(codepage, errors="strict") if _has(b, codepage) else chr(b)
                   for b in data)


def _has(b, codepage):
    try:
        bytes([b]).decode(codepage)
        return True
    except UnicodeDecodeError:
        return False


def encodable(text, codepage):
    try:
        text.encode(codepage)
        return True
    except UnicodeEncodeError:
        return False


def v1(split, kind, data, codepage, out):
    data = data[:V1_WIDTH].rstrip(b" ")
    out.append((split, kind, "v1", data.hex(), data.decode(codepage)))


def with_variants(base, ascii_western):
    """The names, then every fourth in capitals (tags often are), then for Cyrillic names every
    third beside a Western one, as "Artist - Title" fields hold them."""
    extra = [n.upper() for n in base[::4] if n.upper() != n]
    if ascii_western:
        for i, name in enumerate(base[1::3]):
            other = ascii_western[i % len(ascii_western)]
            extra.append(f"{other} - {name}" if i % 2 else f"{name} - {other}")
    return base + [n for n in extra if n not in base]


def cases():
    out = []
    western = names("western_names.txt")
    ascii_western = [n for n in western if n.isascii()]
    cyrillic = with_variants(names("cyrillic_names.txt"), ascii_western)
    western = with_variants(western, [])
    for i, name in enumerate(cyrillic):
        split = "holdout" if i % 5 == 4 else "tune"
        out.append((split, "clean", "v2", name, name))
        if name.isascii():
            continue
        for cp in ("cp1251", "koi8_r", "cp866"):
            label = {"cp1251": "1251", "koi8_r": "koi8r", "cp866": "cp866"}[cp]
            if not encodable(name, cp):
                continue
            data = name.encode(cp)
            out.append((split, label + "-as-latin1", "v2", data.decode("latin-1"), name))
            if cp != "cp866":
                out.append((split, label + "-as-1252", "v2", shown(data, "cp1252"), name))
            v1(split, "v1-" + label, data, cp, out)
        utf8 = name.encode("utf-8")
        out.append((split, "utf8-as-latin1", "v2", utf8.decode("latin-1"), name))
        out.append((split, "utf8-as-1252", "v2", shown(utf8, "cp1252"), name))
        out.append((split, "utf8-as-1251", "v2", shown(utf8, "cp1251"), name))
        if encodable(name, "cp1251") and not any(c.isascii() and c.isalpha() for c in name):
            once = name.encode("cp1251").decode("latin-1")
            out.append((split, "twice-1251-utf8", "v2", shown(once.encode("utf-8"), "cp1252"), name))
            # A Western artist beside a Cyrillic title, as ID3v1 title and artist fields often are.
            other = ascii_western[i % len(ascii_western)]
            mixed = f"{other} - {name}" if i % 2 else f"{name} - {other}"
            v1(split, "v1-1251-mixed", mixed.encode("cp1251"), "cp1251", out)
        twice = shown(shown(utf8, "cp1252").encode("utf-8"), "cp1252")
        out.append((split, "twice-utf8-utf8", "v2", twice, name))
    for i, name in enumerate(western):
        split = "holdout" if i % 5 == 4 else "tune"
        out.append((split, "clean", "v2", name, name))
        if encodable(name, "latin-1"):
            v1(split, "v1-latin1", name.encode("latin-1"), "latin-1", out)
        if name.isascii():
            continue
        utf8 = name.encode("utf-8")
        out.append((split, "utf8-as-latin1", "v2", utf8.decode("latin-1"), name))
        out.append((split, "utf8-as-1252", "v2", shown(utf8, "cp1252"), name))
        # The garbled text saved once more as UTF-8 and read as Latin-1 again.
        twice = shown(shown(utf8, "cp1252").encode("utf-8"), "cp1252")
        out.append((split, "twice-utf8-utf8", "v2", twice, name))
    return out


def dictionary_words():
    import random
    rng = random.Random(7)
    out = []
    for name in ("de_DE", "fr", "es_ES", "it_IT", "pt_PT", "sv_SE", "is_IS", "da_DK", "nb_NO", "nl",
                 "ru_RU", "uk_UA", "be_BY"):
        path = f"/usr/share/hunspell/{name}"
        if not os.path.exists(path + ".dic"):
            continue
        encoding = "utf-8"
        with open(path + ".aff", "rb") as aff:
            for line in aff:
                if line.startswith(b"SET "):
                    encoding = line.split()[1].decode()
                    break
        with open(path + ".dic", "rb") as dic:
            lines = dic.read().decode(encoding, errors="replace").splitlines()[1:]
        words = sorted({w for w in (l.split("/")[0].split("\t")[0].strip() for l in lines)
                        if w and not w.isascii()})
        rng.shuffle(words)
        cyrillic = name in ("ru_RU", "uk_UA", "be_BY")
        for word in words[:1500]:
            word = word[0].upper() + word[1:]
            out.append(("words", "clean", "v2", word, word))
            out.append(("words", "utf8-as-1252", "v2", shown(word.encode("utf-8"), "cp1252"), word))
            codepages = ("cp1251", "koi8_r", "cp866") if cyrillic else ("latin-1",)
            for cp in codepages:
                if not encodable(word, cp):
                    continue
                label = {"cp1251": "1251", "koi8_r": "koi8r", "cp866": "cp866"}.get(cp, "latin1")
                if cyrillic:
                    out.append(("words", label + "-as-latin1", "v2",
                                shown(word.encode(cp), "latin-1"), word))
                v1("words", "v1-" + label, word.encode(cp), cp, out)
    return out


def main():
    extra = dictionary_words() if "--dictionary-words" in sys.argv[1:] else []
    for case in cases() + extra:
        if any("\t" in c or "\n" in c for c in case):
            continue
        sys.stdout.write("\t".join(case) + "\n")


if __name__ == "__main__":
    main()

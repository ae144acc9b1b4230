#!/usr/bin/python3
"""The organizer's tag processing done with mutagen, as a yardstick for the benchmark.

  mutagen_sync.py FOLDER    prints the number of files synchronised and of files left alone

For every MP3 file below FOLDER: read the ID3v1 record and the ID3v2 tag, merge them field by
field (trimmed, ID3v2 text wins where both hold text), write the result into both tags, then read
the ID3v2 tag again, as the organizer reads the chosen tag for its list.
"""

import os
import sys

from mutagen.id3 import ID3, ID3NoHeaderError, TALB, TCON, TIT2, TPE1, TRCK, TYER, COMM

FRAMES = [("TIT2", TIT2), ("TPE1", TPE1), ("TALB", TALB), ("TYER", TYER), ("TCON", TCON), ("TRCK", TRCK)]


def read_v1(path):
    with open(path, "rb") as f:
        f.seek(0, os.SEEK_END)
        if f.tell() < 128:
            return None
        f.seek(-128, os.SEEK_END)
        r = f.read(128)
    if r[:3] != b"TAG":
        return None
    text = lambda b: b.split(b"\0")[0].decode("latin-1").strip()
    track = str(r[126]) if r[125] == 0 and r[126] != 0 else ""
    return [text(r[3:33]), text(r[33:63]), text(r[63:93]), text(r[93:97]), "", track]


def sync(path):
    v1 = read_v1(path)
    try:
        tag = ID3(path, load_v1=False)
    except ID3NoHeaderError:
        tag = None
    if v1 is None and tag is None:
        return False
    v2 = [str(tag[f].text[0]).strip() if tag is not None and f in tag and tag[f].text else ""
          for f, _ in FRAMES]
    merged = [b if b else a for a, b in zip(v1 or [""] * 6, v2)]
    if tag is None:
        tag = ID3()
    for (frame_id, frame), text in zip(FRAMES, merged):
        tag.setall(frame_id, [frame(encoding=3, text=[text])] if text else [])
    tag.save(path, v1=2, v2_version=tag.version[1] if tag.version[1] in (3, 4) else 3)
    ID3(path, load_v1=False)
    return True


def main():
    done = skipped = 0
    for folder, _, names in os.walk(sys.argv[1]):
        for name in names:
            if name.lower().endswith(".mp3"):
                if sync(os.path.join(folder, name)):
                    done += 1
                else:
                    skipped += 1
    print(done, skipped)


if __name__ == "__main__":
    main()

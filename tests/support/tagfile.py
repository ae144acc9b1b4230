"""Independent writer and reader of the test files' tags (mutagen for ID3v2, raw bytes for ID3v1).

  tagfile.py write FILE JSON   append tags to FILE, which holds audio only
  tagfile.py read FILE         print both tags as JSON
  tagfile.py readall FILE...  print a JSON list of both tags of every file
"""
import json
import sys

import hashlib

from mutagen.id3 import APIC, ID3, COMM, Frames, ID3NoHeaderError


def v1_field(text, width):
    return text.encode("latin-1", "replace")[:width].ljust(width, b"\0")


def write(path, tags):
    v2 = tags.get("v2")
    if v2 is not None:
        tag = ID3()
        for frame_id, text in v2.get("frames", {}).items():
            tag.add(Frames[frame_id](encoding=3, text=text if isinstance(text, list) else [text]))
        for desc, text in v2.get("comments", {}).items():
            lang, text = text if isinstance(text, list) else ("eng", text)
            tag.add(COMM(encoding=3, lang=lang, desc=desc, text=[text]))
        for index, picture in enumerate(v2.get("pictures", [])):
            with open(picture["file"], "rb") as f:
                data = f.read()
            tag.add(APIC(encoding=3, mime=picture["mime"], type=picture["type"],
                         desc=str(index), data=data))
        tag.save(path, v1=0, v2_version=v2.get("version", 3))
    v1 = tags.get("v1")
    if v1 is not None:
        track = v1.get("track", 0)
        record = (b"TAG" + v1_field(v1.get("title", ""), 30) + v1_field(v1.get("artist", ""), 30)
                  + v1_field(v1.get("album", ""), 30) + v1_field(v1.get("year", ""), 4)
                  + (v1_field(v1.get("comment", ""), 28) + bytes([0, track]) if track
                     else v1_field(v1.get("comment", ""), 30))
                  + bytes([v1.get("genre", 255)]))
        with open(path, "ab") as f:
            f.write(record)


def read(path):
    out = {"v1": None, "v2": None}
    with open(path, "rb") as f:
        data = f.read()
    if len(data) >= 128 and data[-128:-125] == b"TAG":
        r = data[-128:]
        text = lambda b: b.split(b"\0")[0].decode("latin-1").rstrip(" ")
        has_track = r[125] == 0 and r[126] != 0
        out["v1"] = {"title": text(r[3:33]), "artist": text(r[33:63]), "album": text(r[63:93]),
                     "year": text(r[93:97]), "comment": text(r[97:125] if has_track else r[97:127]),
                     "track": r[126] if has_track else 0, "genre": r[127]}
    try:
        tag = ID3(path, translate=False, load_v1=False)
    except ID3NoHeaderError:
        return out
    frames = {}
    for frame in tag.values():
        key = frame.HashKey
        if frame.FrameID == "APIC":
            frames[key] = {"mime": frame.mime, "type": int(frame.type), "size": len(frame.data),
                           "sha1": hashlib.sha1(frame.data).hexdigest()}
        elif hasattr(frame, "text"):
            frames[key] = "/".join(str(t) for t in frame.text)
    out["v2"] = {"version": tag.version[1], "frames": frames}
    return out


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(sys.argv[2], json.loads(sys.argv[3]))
    elif sys.argv[1] == "readall":
        print(json.dumps([read(p) for p in sys.argv[2:]], ensure_ascii=False))
    else:
        print(json.dumps(read(sys.argv[2]), ensure_ascii=False))

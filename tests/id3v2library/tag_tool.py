# Independent reader and writer of MP3 tags for the tag library's tests (mutagen on Debian's
# python3, plus a plain struct parse of the ID3v1 record).
#   dump FILE              JSON of both tags and the audio bytes between them
#   write FILE VERSION FRAMES  adds an ID3v2 tag (VERSION 3 or 4) with the frames of the JSON list FRAMES
import hashlib
import json
import sys

from mutagen.id3 import APIC, COMM, ID3, TXXX, Frames, ID3NoHeaderError


def frame_json(frame):
    out = {"id": frame.FrameID}
    for attr in ("encoding", "desc", "lang", "mime", "type"):
        if hasattr(frame, attr):
            value = getattr(frame, attr)
            out[attr] = int(value) if attr in ("encoding", "type") else str(value)
    if hasattr(frame, "text"):
        out["text"] = [str(t) for t in frame.text]
    if hasattr(frame, "data"):
        out["sha256"] = hashlib.sha256(frame.data).hexdigest()
    return out


def v1_json(record):
    def field(start, width):
        raw = record[start:start + width].split(b"\0")[0]
        return {"latin1": raw.decode("latin-1").rstrip(" "),
                "cp1251": raw.decode("cp1251", "replace").rstrip(" ")}
    has_track = record[125] == 0 and record[126] != 0
    return {"title": field(3, 30), "artist": field(33, 30), "album": field(63, 30),
            "year": field(93, 4), "comment": field(97, 28 if has_track else 30),
            "track": record[126] if has_track else 0, "genre": record[127]}


def dump(path):
    data = open(path, "rb").read()
    out = {"v2": None, "v1": None}
    start = 0
    try:
        tag = ID3(path, translate=False, load_v1=False)
        start = tag.size
        out["v2"] = {"version": list(tag.version),
                     "frames": [frame_json(f) for f in tag.values()]}
    except ID3NoHeaderError:
        pass
    end = len(data)
    if len(data) >= 128 and data[-128:-125] == b"TAG":
        out["v1"] = v1_json(data[-128:])
        end -= 128
    audio = data[start:end]
    out["audio"] = {"length": len(audio), "sha256": hashlib.sha256(audio).hexdigest()}
    print(json.dumps(out))


def write(path, version, frames):
    tag = ID3()
    for item in json.loads(frames):
        kind = item[0]
        if kind == "COMM":
            tag.add(COMM(encoding=item[4], lang=item[2], desc=item[1], text=[item[3]]))
        elif kind == "TXXX":
            tag.add(TXXX(encoding=3, desc=item[1], text=[item[2]]))
        elif kind == "APIC":
            tag.add(APIC(encoding=0, mime=item[1], type=item[2], desc=item[3],
                         data=bytes.fromhex(item[4])))
        else:
            tag.add(Frames[kind](encoding=item[2], text=[item[1]]))
    # An ID3v1 record already there is kept byte for byte: mutagen would rewrite it from the v2
    # frames.
    data = open(path, "rb").read()
    v1 = data[-128:] if len(data) >= 128 and data[-128:-125] == b"TAG" else b""
    tag.save(path, v2_version=int(version), v1=0, padding=lambda info: 256)
    with open(path, "ab") as out:
        out.write(v1)


if __name__ == "__main__":
    if sys.argv[1] == "dump":
        dump(sys.argv[2])
    else:
        write(sys.argv[2], sys.argv[3], sys.argv[4])

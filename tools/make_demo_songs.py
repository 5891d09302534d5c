#!/usr/bin/env python3
"""Writes the bundled demo songs (songs/*.kar): our own arrangements of public-domain tunes with
their public-domain words, as KAR files laid out the usual way:

  track 1  tempo map, time signature, song name
  track 2  information lines ("@I...")
  track 3  title lines ("@T...") and the words, one text event per syllable, "\\" opening a
           paragraph and "/" a line
  track 4+ melody, bass, chords and drums on their own channels

Run it from anywhere: python3 tools/make_demo_songs.py. The build does not need it.
"""

import os
import struct

DIVISION = 480
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
CHORDS = {  # chord name -> intervals above the root
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10),
}


def var_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def note_number(name):
    """'C4' is middle C (60); accidentals '#' and 'b' follow the letter."""
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        pitch += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + pitch


def chord_notes(name):
    root = name[0] + (name[1] if len(name) > 1 and name[1] in "#b" else "")
    quality = name[len(root):]
    base = note_number(root + "3")
    return [base + i for i in CHORDS[quality]], base - 12


class Track:
    """Absolute-time events, written out sorted with delta times."""

    def __init__(self):
        self.events = []  # (tick, order, bytes)

    def add(self, tick, data, order=1):
        self.events.append((int(tick), order, data))

    def meta(self, tick, kind, text, order=0):
        data = text if isinstance(text, bytes) else text.encode("cp1252")
        self.add(tick, bytes([0xFF, kind]) + var_length(len(data)) + data, order)

    def note(self, tick, length, channel, key, velocity):
        self.add(tick, bytes([0x90 | channel, key, velocity]), 2)
        self.add(tick + length, bytes([0x80 | channel, key, 0]), 0)

    def chunk(self):
        body = b""
        last = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            body += var_length(tick - last) + data
            last = tick
        body += var_length(0) + b"\xFF\x2F\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + body


def syllables(line):
    """'Twin-kle, twin-kle' -> ['Twin', 'kle,', ' twin', 'kle']: a leading space opens a word."""
    out = []
    for w, word in enumerate(line.split()):
        for s, part in enumerate(word.split("-")):
            out.append((" " if w > 0 and s == 0 else "") + part)
    return out


def parse_notes(text):
    out = []
    for item in text.split():
        name, beats = item.split(":")
        out.append((None if name == "r" else note_number(name), float(beats)))
    return out


def build(song):
    tempo, info, words = Track(), Track(), Track()
    melody, bass, chords, drums = Track(), Track(), Track(), Track()
    beat = DIVISION
    bar = song["beats_per_bar"]

    tempo.meta(0, 0x03, song["name"])
    tempo.add(0, bytes([0xFF, 0x58, 4, bar, 2, 24, 8]), 0)
    tempo.add(0, bytes([0xFF, 0x51, 3]) + struct.pack(">I", 60000000 // song["bpm"])[1:], 0)
    for track, channel, program, name in ((melody, 0, song["lead"], "Melody"),
                                          (bass, 1, 33, "Bass"),
                                          (chords, 2, song["comping"], "Chords"),
                                          (drums, 9, 0, "Drums")):
        track.meta(0, 0x03, name)
        if channel != 9:
            track.add(0, bytes([0xC0 | channel, program]), 0)
        track.add(0, bytes([0xB0 | channel, 7, 100 if channel != 2 else 70]), 0)

    info.meta(0, 0x03, "Info")
    for text in ["@KMIDI KARAOKE FILE", "@V0100"] + ["@I" + i for i in song["info"]]:
        info.meta(0, 0x01, text)
    words.meta(0, 0x03, "Words")
    words.meta(0, 0x01, "@LENGL")
    for title in song["titles"]:
        words.meta(0, 0x01, "@T" + title)

    tick = bar * beat  # one bar of count-in
    for p, paragraph in enumerate(song["paragraphs"]):
        if "bpm" in paragraph:
            tempo.add(tick, bytes([0xFF, 0x51, 3]) +
                      struct.pack(">I", 60000000 // paragraph["bpm"])[1:], 0)
        for l, (text, notes, harmony) in enumerate(paragraph["lines"]):
            parts = syllables(text)
            played = parse_notes(notes)
            sung = [n for n in played if n[0] is not None]
            assert len(parts) == len(sung), (text, len(parts), len(sung))
            line_start = tick
            s = 0
            for key, beats in played:
                length = int(beats * beat)
                if key is not None:
                    marker = ("\\" if l == 0 else "/") if s == 0 else ""
                    words.meta(tick, 0x01, marker + parts[s])
                    melody.note(tick, length - 20, 0, key, 100)
                    s += 1
                tick += length
            line_end = tick
            chord_names = harmony.split()
            span = (line_end - line_start) / len(chord_names)
            for c, name in enumerate(chord_names):
                start = int(line_start + c * span)
                end = int(line_start + (c + 1) * span)
                notes_of_chord, root = chord_notes(name)
                for key in notes_of_chord:
                    chords.note(start, end - start - 30, 2, key, 64)
                bass.note(start, min(beat, end - start) - 20, 1, root, 96)
                if end - start >= 2 * beat:
                    bass.note(start + 2 * beat if bar != 3 else start + beat,
                              beat - 20, 1, root + 7, 84)
        tick += paragraph.get("rest", 2) * beat

    # Drums under everything: kick on the first beat, snare on the back beats, closed hi-hat
    # on every eighth.
    end = tick + bar * beat
    t = 0
    while t < end:
        position = (t // (beat // 2)) % (bar * 2)
        drums.note(t, 60, 9, 42, 70)
        if position == 0:
            drums.note(t, 60, 9, 36, 110)
        elif position % 2 == 0 and (bar != 3 or position == 2):
            drums.note(t, 60, 9, 38, 90)
        t += beat // 2
    drums.add(end, bytes([0xB9, 123, 0]), 0)

    tracks = [tempo, info, words, melody, bass, chords, drums]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), DIVISION)
    return header + b"".join(t.chunk() for t in tracks)


TWINKLE_A = "C4:1 C4:1 G4:1 G4:1 A4:1 A4:1 G4:2"
TWINKLE_B = "F4:1 F4:1 E4:1 E4:1 D4:1 D4:1 C4:2"
TWINKLE_C = "G4:1 G4:1 F4:1 F4:1 E4:1 E4:1 D4:2"

TWINKLE = {
    "file": "twinkle-twinkle.kar", "name": "Twinkle, Twinkle, Little Star",
    "bpm": 100, "beats_per_bar": 4, "lead": 73, "comping": 0,
    "titles": ["Twinkle, Twinkle, Little Star", "Words: Jane Taylor (1806)",
               "Music: traditional French melody"],
    "info": ["Demo song of Vocatune Player", "Our own arrangement of a public-domain tune",
             "Melody on flute, bass, piano chords and drums"],
    "paragraphs": [
        {"lines": [
            ("Twin-kle, twin-kle, lit-tle star,", TWINKLE_A, "C C F C"),
            ("How I won-der what you are!", TWINKLE_B, "F C G C"),
            ("Up a-bove the world so high,", TWINKLE_C, "C F C G"),
            ("Like a dia-mond in the sky.", TWINKLE_C, "C F C G"),
            ("Twin-kle, twin-kle, lit-tle star,", TWINKLE_A, "C C F C"),
            ("How I won-der what you are!", TWINKLE_B, "F C G C")]},
        {"lines": [
            ("When the bla-zing sun is gone,", TWINKLE_A, "C C F C"),
            ("When he no-thing shines up-on,", TWINKLE_B, "F C G C"),
            ("Then you show your lit-tle light,", TWINKLE_C, "C F C G"),
            ("Twin-kle, twin-kle, all the night.", TWINKLE_C, "C F C G"),
            ("Twin-kle, twin-kle, lit-tle star,", TWINKLE_A, "C C F C"),
            ("How I won-der what you are!", TWINKLE_B, "F C G C")]},
        {"bpm": 84, "rest": 4, "lines": [
            ("Then the tra-v'ller in the dark thanks you for your ti-ny spark; "
             "he could not see where to go, if you did not twin-kle so.",
             " ".join([TWINKLE_A, TWINKLE_B, TWINKLE_C, TWINKLE_C]),
             "C C F C F C G C C F C G C F C G"),
            ("Twin-kle, twin-kle, lit-tle star,", TWINKLE_A, "C C F C"),
            ("How I won-der what you are!", TWINKLE_B.replace("C4:2", "C4:4"), "F C G C")]},
    ],
}

GRACE_A = "D4:1 G4:2 B4:1 B4:2 A4:1 G4:2 E4:1 D4:2"
GRACE_B = "D4:1 G4:2 B4:1 B4:2 A4:1 D5:5"
GRACE_C = "B4:1 D5:2 B4:1 B4:2 G4:1 D4:2 E4:1 G4:2"
GRACE_D = "D4:1 G4:2 B4:1 B4:2 A4:1 G4:5"

GRACE = {
    "file": "amazing-grace.kar", "name": "Amazing Grace",
    "bpm": 76, "beats_per_bar": 3, "lead": 22, "comping": 19,
    "titles": ["Amazing Grace", "Words: John Newton (1779)", "Music: New Britain (1829)"],
    "info": ["Demo song of Vocatune Player", "Our own arrangement of a public-domain hymn",
             "Melody on harmonica, bass, organ chords and drums"],
    "paragraphs": [
        {"lines": [
            ("A-ma-zing grace! How sweet the sound", GRACE_A, "G G C G D"),
            ("That saved a wretch like me!", GRACE_B, "G G7 C G"),
            ("I once was lost, but now am found,", GRACE_C, "G G Em D"),
            ("Was blind, but now I see.", GRACE_D, "G D G")]},
        {"lines": [
            ("\u2019Twas grace that taught my heart to fear,", GRACE_A, "G G C G D"),
            ("And grace my fears re-lieved;", GRACE_B, "G G7 C G"),
            ("How pre-cious did that grace ap-pear", GRACE_C, "G G Em D"),
            ("The hour I first be-lieved.", GRACE_D, "G D G")]},
        {"bpm": 68, "rest": 3, "lines": [
            ("Through ma-ny dan-gers, toils and snares, I have al-rea-dy come; \u2019Tis grace "
             "hath brought me safe thus far,",
             " ".join([GRACE_A, GRACE_B, GRACE_C]),
             "G G C G D G G7 C G G G Em D"),
            ("And grace will lead me home.", GRACE_D, "G D G")]},
    ],
}

SUSANNA_A = "C4:0.5 D4:0.5 E4:0.5 G4:0.5 G4:0.75 A4:0.25 G4:0.5 E4:0.5 C4:0.75 D4:0.25 " \
            "E4:0.5 E4:0.5 D4:0.5 D4:2"
SUSANNA_B = "C4:0.5 D4:0.5 E4:0.5 G4:0.5 G4:0.75 A4:0.25 G4:0.5 E4:0.5 C4:0.5 D4:0.5 " \
            "E4:0.5 E4:0.5 D4:0.5 D4:0.5 C4:2"

SUSANNA = {
    "file": "oh-susanna.kar", "name": "Oh! Susanna",
    "bpm": 116, "beats_per_bar": 4, "lead": 25, "comping": 24,
    "titles": ["Oh! Susanna", "Words and music: Stephen Foster (1848)"],
    "info": ["Demo song of Vocatune Player", "Our own arrangement of a public-domain song",
             "Melody on steel guitar, bass, nylon guitar chords and drums"],
    "paragraphs": [
        {"lines": [
            ("I come from A-la-ba-ma with my ban-jo on my knee, I\u2019m go-ing to Lou-i-si-a-na, "
             "my true love for to see.", SUSANNA_A + " " + SUSANNA_B, "C C C G C C G C")]},
        {"lines": [
            ("It rained all night the day I left,", "C4:0.5 D4:0.5 E4:1 G4:1 G4:0.5 A4:0.5 G4:0.5 "
             "E4:1.5", "C C G"),
            ("The wea-ther it was dry;", "E4:0.5 E4:0.5 D4:0.5 C4:0.5 D4:1 D4:2", "C G"),
            ("The sun so hot I froze to death;", "C4:0.5 D4:0.5 E4:0.5 G4:1 G4:0.5 A4:0.5 G4:1 "
             "E4:2", "C C C G"),
            ("Su-san-na, don\u2019t you cry.", "E4:0.5 D4:0.5 C4:1 D4:0.5 E4:0.5 C4:2", "G G C")]},
        {"bpm": 126, "lines": [
            ("Oh! Su-san-na,", "F4:1 F4:1 A4:1 A4:1", "F F"),
            ("Oh don\u2019t you cry for me,", "G4:0.5 G4:0.5 E4:0.5 C4:0.5 D4:1 D4:1", "C G"),
            ("For I come from A-la-ba-ma with my ban-jo on my knee.",
             "B3:0.5 " + SUSANNA_A.replace("D4:0.5 D4:2", "D4:0.5 C4:2"), "C C G C")]},
    ],
}


def main():
    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "songs")
    os.makedirs(out_dir, exist_ok=True)
    for song in (TWINKLE, GRACE, SUSANNA):
        path = os.path.join(out_dir, song["file"])
        with open(path, "wb") as f:
            f.write(build(song))
        print(path)


if __name__ == "__main__":
    main()

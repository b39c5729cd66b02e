#!/usr/bin/env python3
"""Writes sound01.wav, the pop the program plays after each page.

A short falling tone with a fast decay and a soft click at its start, as
16-bit mono PCM at 22050 Hz. The same file comes out on every run:
    python3 resources/make_sound01.py resources/sound01.wav
"""

import math
import struct
import sys
import wave

RATE = 22050
LENGTH = 0.075  # seconds


def samples():
    frames = int(RATE * LENGTH)
    phase = 0.0
    noise = 12345
    for i in range(frames):
        t = i / RATE
        # The pitch falls from 520 Hz towards 140 Hz: a bubble bursting.
        frequency = 140.0 + 380.0 * math.exp(-t * 60.0)
        phase += 2.0 * math.pi * frequency / RATE
        envelope = min(1.0, i / 40.0) * math.exp(-t * 55.0)
        # A little noise in the first two milliseconds gives the attack.
        noise = (noise * 1103515245 + 12345) & 0x7FFFFFFF
        click = ((noise / 0x7FFFFFFF) * 2.0 - 1.0) * math.exp(-t * 1500.0)
        value = 0.8 * envelope * math.sin(phase) + 0.25 * click
        yield max(-32767, min(32767, int(round(value * 32767))))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "sound01.wav"
    data = b"".join(struct.pack("<h", s) for s in samples())
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(data)


if __name__ == "__main__":
    main()

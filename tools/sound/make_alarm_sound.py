#!/usr/bin/env python3
"""Synthesises Morvane's own alarm sound and writes it as a WAV file.

    python3 tools/sound/make_alarm_sound.py [--out FILE]

The sound rings when the player does not play at the alarm minute. It is one loop of
four short beeps and a rest, played over and over: 11,025 Hz, 8-bit mono PCM, so the
resource in morvu.exe stays under 10 KB. Only the standard library is used, and the
output is the same byte for byte on every run. The build embeds the committed
resources/sounds/alarm.wav; run this again only to change the sound.
"""

import argparse
import math
import pathlib
import struct

RATE = 11025
LOOP_SECONDS = 0.9
BEEP_STARTS = (0.0, 0.125, 0.25, 0.375)
BEEP_SECONDS = 0.08
RAMP_SECONDS = 0.004  # soft edges: a hard start or stop clicks
TONE_HZ = 2000.0  # where alarm-clock beepers sit, and where the ear is keen
OVERTONE = 0.25  # a little of the octave above, to cut through a pillow
LEVEL = 0.8


def beep_envelope(t):
    """0 outside a beep, 1 inside it, raised-cosine ramps at both edges."""
    for start in BEEP_STARTS:
        into = t - start
        if 0.0 <= into < BEEP_SECONDS:
            edge = min(into, BEEP_SECONDS - into)
            if edge >= RAMP_SECONDS:
                return 1.0
            return 0.5 - 0.5 * math.cos(math.pi * edge / RAMP_SECONDS)
    return 0.0


def samples():
    count = round(RATE * LOOP_SECONDS)
    out = bytearray(count)
    for i in range(count):
        t = i / RATE
        wave = math.sin(2 * math.pi * TONE_HZ * t) + OVERTONE * math.sin(4 * math.pi * TONE_HZ * t)
        value = LEVEL * beep_envelope(t) * wave / (1.0 + OVERTONE)
        out[i] = max(0, min(255, 128 + round(127 * value)))  # 8-bit PCM is unsigned
    return bytes(out)


def wav(data):
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)  # PCM, mono, 1 byte a sample
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    root = pathlib.Path(__file__).resolve().parents[2]
    parser.add_argument("--out", type=pathlib.Path, default=root / "resources/sounds/alarm.wav")
    args = parser.parse_args()
    data = wav(samples())
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_bytes(data)
    print(f"{args.out}: {len(data)} bytes")


if __name__ == "__main__":
    main()

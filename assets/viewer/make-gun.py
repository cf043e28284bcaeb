#!/usr/bin/env python3
"""Synthesises the viewer's start and finish gun: gun.wav, 0.7 s of mono 16-bit PCM at
22050 Hz. A sharp crack of filtered noise over a low thump, both dying away quickly, then a
short echo. Deterministic (fixed seed), so running it again gives the same file:
    ./make-gun.py
"""
import math
import random
import struct
import wave

RATE = 22050
LENGTH = 0.7

random.seed(2007)
samples = []
low = 0.0
for i in range(int(RATE * LENGTH)):
    t = i / RATE
    noise = random.uniform(-1.0, 1.0)
    low += (noise - low) * 0.25                      # a little low-pass: less hiss, more bang
    crack = (0.55 * noise + 0.45 * low) * math.exp(-t / 0.045)
    thump = math.sin(2 * math.pi * (70 - 30 * t) * t) * math.exp(-t / 0.12)
    echo_t = t - 0.18
    echo = 0.25 * low * math.exp(-echo_t / 0.09) if echo_t > 0 else 0.0
    attack = min(1.0, t / 0.002)
    samples.append(attack * (0.8 * crack + 0.6 * thump + echo))

peak = max(abs(s) for s in samples)
with wave.open("gun.wav", "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(b"".join(struct.pack("<h", int(32000 * s / peak)) for s in samples))

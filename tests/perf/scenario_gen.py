#!/usr/bin/env python3
"""Writes deterministic scenarios for the runner: fields of every data type and of lengths up to
a few thousand places (custom masks, grouped numbers, dates, passwords, yes/no), typed into with
random and named keys, selections and raw key events. The same seed always gives the same files.

Usage: tests/perf/scenario_gen.py OUT_DIR [--count N] [--seed S]
"""

import argparse
import pathlib
import random

MASK_CODES = "XASN9#"
LITERALS = "()-/ .:"
# Typed text: what every mask code admits, what some refuse, and a character beyond ASCII.
TYPED = "abcxyzABCXYZ0123456789      .,-+#()/:_*é"
NAMED_KEYS = ["Home", "End", "Left", "Right", "Delete", "Backspace", "Enter", "Up", "Down", "Escape", "Insert", "F4"]
MODIFIERS = ["", "", "", "shift", "ctrl", "alt", "ctrl+shift"]


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def custom_mask(rng, length):
    if rng.random() < 0.3:  # one long field of a single code
        return rng.choice(MASK_CODES) * length
    mask = []
    while len(mask) < length:
        run = rng.randint(1, 12)
        mask.extend(rng.choice(MASK_CODES) * run)
        if rng.random() < 0.6:
            mask.append(rng.choice(LITERALS))
    return "".join(mask[:length])


def field_length(rng):
    roll = rng.random()
    if roll < 0.55:
        return rng.randint(1, 24)
    if roll < 0.85:
        return rng.randint(25, 400)
    return rng.randint(401, 3000)


def settings(rng):
    """The set lines of one field and how many places it has to fill."""
    kind = rng.choice(["plain", "plain", "custom", "custom", "numeric", "date", "password", "logical"])
    lines = []
    places = 10
    if kind == "plain":
        places = field_length(rng)
        lines.append(f"set InputFormat {rng.randint(1, 6)}")
        lines.append(f"set Length {places}")
        if rng.random() < 0.3:
            lines.append(f"set DisplayFormat {rng.randint(1, 3)}")
        if rng.random() < 0.2:
            lines.append(f"set PadChar {quoted(rng.choice('_*.'))}")
    elif kind == "custom":
        places = field_length(rng)
        lines.append("set InputFormat 0")
        lines.append(f"set Mask {quoted(custom_mask(rng, places))}")
        if rng.random() < 0.2:
            lines.append(f"set DisplayFormat {rng.randint(1, 3)}")
    elif kind == "numeric":
        decimals = rng.choice([0, 0, 1, 2, 2, 3, 4])
        places = rng.randint(max(decimals + 2, 1), 20)
        lines.append("set DataType 1")
        lines.append(f"set Length {places}")
        lines.append(f"set DecimalPlaces {decimals}")
        lines.append(f"set InputFormat {rng.choice([5, 7, 8, 9])}")
        if rng.random() < 0.4:
            lines.append(f"set DisplayFormat {rng.choice([4, 5])}")
        if rng.random() < 0.2:
            lines.append(f"set PadChar {quoted(rng.choice('_*0'))}")
    elif kind == "date":
        lines.append("set DataType 2")
        lines.append(f"set InputFormat {rng.choice([10, 11, 12])}")
        lines.append(f"set DisplayFormat {rng.choice([6, 7, 8])}")
    elif kind == "password":
        places = field_length(rng)
        lines.append("set DataType 3")
        lines.append(f"set PadChar {quoted(rng.choice('*#'))}")
        lines.append(f"set Length {places}")
    else:
        lines.append("set DataType 4")
        lines.append(f"set InputFormat {rng.choice([14, 15])}")
    if rng.random() < 0.25:
        lines.append("set AutoTab false")
    if rng.random() < 0.2:
        lines.append("set AutoSelect false")
    return lines, places


def typed_text(rng, places):
    if rng.random() < 0.15:  # fill the field and go past its end
        count = places + rng.randint(0, 3)
    else:
        count = rng.randint(1, min(places + 2, 40))
    alphabet = rng.choice([TYPED, "0123456789", "abcdefghij", TYPED + "0123456789" * 3])
    return "".join(rng.choice(alphabet) for _ in range(count))


def actions(rng, places, fields):
    lines = []
    for _ in range(rng.randint(3, 14)):
        roll = rng.random()
        if roll < 0.35:
            lines.append(f"type {quoted(typed_text(rng, places))}")
        elif roll < 0.55:
            modifier = rng.choice(MODIFIERS)
            lines.append(f"key {rng.choice(NAMED_KEYS)}" + (f" {modifier}" if modifier else ""))
        elif roll < 0.62:
            start = rng.randint(0, places + 2)
            lines.append(f"select {start} {rng.randint(0, places + 2 - start)}")
        elif roll < 0.67:
            lines.append(f"key {rng.choice('ACVXZ')} ctrl")
        elif roll < 0.72:
            code = rng.choice([8, 13, 22, 27, 46, 65, 97, 48, 57, 32, 233])
            lines.append(f"keydown {code}")
            lines.append(f"keypress {code}")
            lines.append(f"keyup {code}")
        elif roll < 0.80:
            lines.append(rng.choice(["show", "get Value", "get Text", "get SelStart", "get SelLength"]))
        elif roll < 0.86:
            lines.append(rng.choice(["blur", "key Tab", "key Tab shift"]))
            lines.append(f"focus {rng.choice(fields)}")
        elif roll < 0.90:
            lines.append(f"set Value {quoted(typed_text(rng, places))}")
        else:
            lines.append("focus")
    return lines


def scenario(rng):
    lines = ["today 2026-12-07"]
    fields = []
    for index in range(rng.randint(1, 3)):
        name = f"F{index}"
        fields.append(name)
        lines.append(f"new {name}")
        field_settings, places = settings(rng)
        lines.extend(field_settings)
        lines.append("focus")
        lines.extend(actions(rng, places, fields))
        lines.append("show")
        lines.append("get Value")
    if rng.random() < 0.3:
        lines.append("save")
        lines.append("reload")
        lines.append("show")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out_dir", type=pathlib.Path)
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=11)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    args.out_dir.mkdir(parents=True, exist_ok=True)
    for number in range(args.count):
        (args.out_dir / f"generated_{number:03d}.ksc").write_text(scenario(rng), encoding="utf-8")


if __name__ == "__main__":
    main()

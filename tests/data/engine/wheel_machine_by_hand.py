#!/usr/bin/env python3
"""The wheel machine written out step by step from its description, slowly
and plainly, apart from the C++ engine, so that known answers for the tests
come from an independent reading.

    wheel_machine_by_hand.py KEY OUTDIR [SIZE ...] [--samples SIZE]
                             [--steps S1,...,S20] [--directions UD...] [--passes N]
    wheel_machine_by_hand.py --periods SEED OUTFILE

writes into OUTDIR the keyspace files of KEY (k1.bin, k2.bin, k3.bin, k4.bin,
k5.bin, k6.dat), "periods.txt" (the 200 order periods) and, for every SIZE,
"counting-SIZE.enc": the cipher of the text whose byte i is (i * 131 + 7)
mod 256. With --samples, "counting-SIZE.samples" holds only the cipher bytes
at the positions sampled() picks. Prints the normalised key, the period seed
and the length of one full period cycle, or "refused" for a key whose
keyspace cannot be built (nothing is written then).

--steps, --directions and --passes stand for hand-edited "k4.bin", "k3.bin"
(its 20 letters) and "k2.bin" (its second number); only the cipher files
are written then. The second form writes only the 200 order periods of SEED.
"""
import argparse
import os
import struct
import sys

DIGITS = "0123456789"


def numeric_value(text):
    """The number two key characters read as: blanks skipped, a leading minus,
    digits and one decimal point; stops at anything else; no digits is 0;
    halves round to even."""
    text = text.replace(" ", "")
    sign, digits, seen_point, i = 1, "", False, 0
    if text[:1] == "-":
        sign, i = -1, 1
    elif text[:1] == "+":
        i = 1
    while i < len(text):
        c = text[i]
        if c in DIGITS:
            digits += c
        elif c == "." and not seen_point:
            seen_point = True
            digits += c
        else:
            break
        i += 1
    if not any(c in DIGITS for c in digits):
        return 0
    return sign * round(float(digits))  # round() rounds halves to even


def normalise(key):
    while len(key) < 18:
        key = key + key
    return key[:18]


def key_sequence(key):
    doubled = key + key[::-1]
    e = [0]
    for _cycle in range(2):
        # pass 1
        for i in range(1, 36, 2):
            e.append(numeric_value(doubled[i - 1:i + 1]))
        n = len(e) - 1
        for i in range(1, n + 1):
            e.append(e[i] + 2)
        n = len(e) - 1
        for i in range(1, n + 1):
            e.append(e[i] + 3)
        n = len(e) - 1
        for i in range(2, n + 1, 2):
            e.append(e[i] + 4)
        n = len(e) - 1
        for i in range(3, n + 1, 3):
            e.append(e[i] + 5)
        n = len(e) - 1
        for i in range(4, n + 1, 4):
            e.append(e[i] + 1)
        n = len(e) - 1
        for i in range(n, 0, -6):
            e.append(e[i] + 7)
        n = len(e) - 1
        for i in range(n, 0, -1):
            e.append(e[i] + 1)
        n = len(e) - 1
        for i in range(1, n + 1, 10):
            e.append(e[i] + 2)
        if _cycle == 0:
            assert len(e) - 1 == 462, len(e) - 1
    assert len(e) - 1 == 12320, len(e) - 1
    first = e[1]
    for i in range(2, len(e)):
        previous = first if i == 2 else e[i - 1]
        if e[i] == previous:
            e[i] += 2
        if e[i] == 0:
            e[i] = 1
        if e[i] > 151:
            e[i] -= 151
    if e[1] == 0:
        e[1] = 1
    if e[1] > 151:
        e[1] -= 151
    return e


def wheels(e):
    table = list(range(256))  # position j (1-based) holds code j - 1
    n = len(e) - 1
    pointer, swaps, records = 0, 0, []
    for _record in range(20):
        for _ in range(750):
            pointer = pointer + 1 if pointer < n else 1
            a = e[pointer]
            pointer = pointer + 1 if pointer < n else 1
            b = e[pointer]
            table[a - 1], table[b - 1] = table[b - 1], table[a - 1]
            swaps += 1
            if swaps == 2:
                swaps = 0
                table = table[1:] + table[:1]
        records.append(bytes(table))
    return records


def digit_value(entry):
    return int(str(abs(entry))[0])


def number_line(value):
    return (" " + str(value) + " \r\n").encode()


def settings(e):
    flags = [1 if e[q] > 45 else 0 for q in range(20, 40)]
    values = []
    for q in range(40, 60):
        v = digit_value(e[q]) + 1
        values.append(v - 5 if v > 7 else v)
    steps = []
    for j in range(1, 21):
        v = digit_value(e[59 + j]) + 1
        steps.append(v - 5 if v > 7 else v)
    k5 = []
    for q in range(80, 90):
        v = digit_value(e[q]) + 20
        k5.append(v - 15 if v > 22 else v)
    k6 = []
    for q in range(90, 100):
        v = digit_value(e[q]) + 20
        k6.append(v - 15 if v > 22 else v)
    x = e[20] * e[21]
    while x > 999:
        x -= 999
    if x < 10:
        x += 10
    seed = ("00" + str(x))[-3:]
    return flags, values, steps, k5, k6, seed


def periods(seed):
    T = [0] * 201
    for k in range(3):
        d = int(seed[k])
        T[k + 1] = 10 if d == 0 else d
    T[4] = T[1] + T[2] + T[3]
    T[5] = T[1] + T[2] + 2
    T[6] = T[2] + T[3] + 3
    T[7] = T[1] + T[3] + 4
    T[8] = T[1] + 5
    T[9] = T[2] + 5
    T[10] = T[3] + 5
    n = 10

    # One row a pass: first i, last i, step, delta; "n" is n at the start of
    # the pass.
    passes = [(1, 10, 2, 2), (2, 10, 2, 3), ("n", 1, -3, 7), (1, "n", 3, 9),
              (1, "n", 5, 13), ("n", 1, -5, 17), (1, "n", 7, 4), ("n", 1, -7, 6),
              (2, "n", 8, 1), ("n", 2, -8, 2), (5, "n", 5, 3), ("n", 5, -5, 2),
              ("n", 1, -1, 1)]
    added = []
    for first, last, step, delta in passes:
        start = n
        first = start if first == "n" else first
        last = start if last == "n" else last
        count = 0
        for i in range(first, last + (1 if step > 0 else -1), step):
            if n == 200:
                break
            n += 1
            T[n] = T[i] + delta
            count += 1
        added.append(count)
    assert added == [5, 5, 7, 9, 8, 9, 8, 9, 9, 10, 17, 21, 73], added
    for i in range(1, 201):
        if T[i] < 10:
            T[i] += 10
        if T[i] > 50:
            T[i] -= 20
    return T


def refused(e):
    """Wheel building needs every entry in 1..256; a minus sign before a
    digit at an odd place of the doubled key leaves a negative one."""
    return any(not 1 <= v <= 256 for v in e[1:])


def sampled(p, size):
    """Every 1021st position, the 16 either side of each MiB boundary, and
    the last 16."""
    return p % 1021 == 0 or (p + 16) % (1 << 20) < 32 or p >= size - 16


def encipher(data, records, flags, steps, T, passes=2):
    wheel = [list(r) for r in records]  # positions 1..20 at 0..19
    period, index, counter = T[1], 1, 0
    out = bytearray()
    for c in data:
        for _pass in range(passes):
            for j in range(20):
                c = wheel[j][c]
        out.append(c)
        for j in range(20):
            s = steps[j] % 256  # a wheel of 256 places
            if flags[j] == 1:
                wheel[j] = wheel[j][s:] + wheel[j][:s]
            else:
                wheel[j] = wheel[j][-s:] + wheel[j][:-s]
        counter += 1
        if counter >= period:
            counter = 0
            wheel = wheel[1:] + wheel[:1]
            index += 1
            if index > 200:
                index = 1
            period = T[index]
    return bytes(out)


def counting(size):
    return bytes((i * 131 + 7) % 256 for i in range(size))


def main():
    if sys.argv[1] == "--periods":
        T = periods(sys.argv[2])
        with open(sys.argv[3], "w") as f:
            f.write("\n".join(str(v) for v in T[1:]) + "\n")
        return
    parser = argparse.ArgumentParser()
    parser.add_argument("key", type=os.fsencode)  # the key's bytes, as stored
    parser.add_argument("outdir")
    parser.add_argument("sizes", type=int, nargs="*")
    parser.add_argument("--samples", type=int)
    parser.add_argument("--steps")
    parser.add_argument("--directions")
    parser.add_argument("--passes", type=int, default=2)
    args = parser.parse_args()
    key = normalise(args.key.decode("latin-1"))
    e = key_sequence(key)
    if refused(e):
        print("refused")
        return
    os.makedirs(args.outdir, exist_ok=True)
    records = wheels(e)
    flags, values, steps, k5, k6, seed = settings(e)
    T = periods(seed)
    edited = args.steps or args.directions or args.passes != 2
    if args.steps:
        steps = [int(v) for v in args.steps.split(",")]
    if args.directions:
        flags = [0 if c == "D" else 1 for c in args.directions]

    def write(name, data):
        with open(os.path.join(args.outdir, name), "wb") as f:
            f.write(data)

    if not edited:
        write("k1.bin", b"".join(records))
        write("k2.bin", b" 20  2 \r\n")
        write("k3.bin", bytes("".join("U" if f else "D" for f in flags), "ascii")
              + b"".join(struct.pack("<f", float(v)) for v in values))
        write("k4.bin", b"".join(number_line(v) for v in steps))
        write("k5.bin", b"".join(number_line(v) for v in k5))
        write("k6.dat", b"".join(number_line(v) for v in k6))
        write("periods.txt", ("\n".join(str(v) for v in T[1:]) + "\n").encode())
    for size in args.sizes:
        write("counting-%d.enc" % size, encipher(counting(size), records, flags, steps, T, args.passes))
    if args.samples:
        size = args.samples
        cipher = encipher(counting(size), records, flags, steps, T, args.passes)
        write("counting-%d.samples" % size, bytes(b for p, b in enumerate(cipher) if sampled(p, size)))
    print("key", repr(key), "seed", seed, "cycle", sum(T[1:]))


main()

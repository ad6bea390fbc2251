#!/usr/bin/env python3
"""Writes the CSV and ENG golden files from the export rules, computed here on their own
(single precision emulated with struct), so the files check the C++ code rather than
repeat it. The flights below must stay the same as the ones in csv_export_test.cpp and
eng_export_test.cpp. Run from this folder, with TZ irrelevant (dates are written as UTC
here; the tests run with TZ=UTC0): python3 make_golden.py
"""
import math
import struct


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def div(n, d):
    # IEEE division as C does it, without Python's ZeroDivisionError.
    if d == 0.0:
        if n == 0.0 or math.isnan(n):
            return math.nan
        return math.copysign(math.inf, n) * math.copysign(1.0, d)
    return n / d


def word(text):
    # The sample word of a text: leading blanks, sign, digits; no digits is 0.
    s = text.lstrip(" \t\n\v\f\r")
    neg = s[:1] == "-"
    if s[:1] in "+-" and s:
        s = s[1:]
    digits = ""
    for c in s:
        if not c.isdigit():
            break
        digits += c
    v = int(digits) if digits else 0
    return -v if neg else v


def fixed(x, n):
    if math.isnan(x):
        return "nan"
    return "%.*f" % (n, x)


def csv_text(f):
    days = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
    import datetime
    d = datetime.datetime.fromtimestamp(f["date"], datetime.timezone.utc)
    months = ["January", "February", "March", "April", "May", "June", "July", "August",
              "September", "October", "November", "December"]

    def crlf(b):
        return b.replace(b"\r\n", b"\n").replace(b"\r", b"\n").replace(b"\n", b"\r\n")

    # RFC 4180: a field with a comma, a quote or a line break goes in double quotes.
    def field(b):
        if not any(c in b for c in (b",", b'"', b"\r", b"\n")):
            return b
        return b'"' + crlf(b.replace(b'"', b'""')) + b'"'

    out = ("%s %s %02d %d\r\n" % (days[d.weekday()], months[d.month - 1], d.day, d.year)).encode()
    out += b"Name," + field(f["name"]) + b"\r\n"
    out += b"Motor," + field(f["motor"]) + b"\r\n"
    out += b"Comment," + field(f["comment"]) + b"\r\n"
    out += ("Acceleration offset,%d\r\nTwo Gee value,%s\r\nSample rate,%dHz\r\n"
            "Weight,%sKg\r\nDiameter,%sm\r\n" % (
                f["offset"], fixed(f32(f["twoGeeFile"]), 6), f["rate"],
                fixed(f32(f["weight"]), 6), fixed(f32(f["diameter"]), 6))).encode()
    out += b"***********DATA***********\r\nTime,Accel m/s,Velocity m/s/s,Altitude m, Cd\r\n"
    samples = f["samples"]
    r = f32(word(samples[0]) & 0xFFF)
    half = f32(f32(f["twoGee"]) * 0.5)
    dt = f32(1.0 / f["rate"])
    w = f32(f["weight"])
    area = f32(1.2) * (4.0 * math.atan(1.0)) * (f32(f["diameter"]) * 0.5) ** 2
    t = v = h = 0.0
    for s in samples:
        adc = word(s) & 0xFFF
        a = f32(div(f32(r - adc), half) * 9.81)
        V = a * dt + v
        v = f32(V)
        h = f32(V * dt + h)
        cd = abs(div(2.0 * a * w, area * (V * V)))
        out += ("%s,%s,%s,%s,%s\r\n" % (fixed(t, 3), fixed(a, 6), fixed(V, 6), fixed(h, 6),
                                       fixed(cd, 6))).encode()
        t = f32(t + dt)
    return out


def eng_text(f, p):
    pre, post = p["pre"], p["post"]

    def plain(s):
        return s != "" and all(c.isdigit() or c == "." for c in s) and s.count(".") <= 1 and \
            any(c.isdigit() for c in s)

    fifth = post
    if plain(pre) and plain(post) and float(pre) >= float(post):
        fifth = "%g" % (float(pre) - float(post))
    head = [p["designation"], p["diameter"], p["length"], p["delays"], fifth, pre, p["maker"]]
    out = "".join(x + " " for x in head) + "\r\n"
    samples = f["samples"]
    c1, c2, points = p["c1"], p["c2"], p["points"]
    span = c2 - c1
    step = int(span / points)  # C truncates toward zero
    if step < 1:
        step = 1
    lines = span // step
    dm = f32(f32(f["propellant"]) / lines)
    mass = f32(f["weight"])
    dt = f32(1.0 / f["rate"])
    t = dt
    step_time = f32(step * dt)
    r = f32(word(samples[0]) & 0xFFF)
    half = f32(f32(f["twoGee"]) * 0.5)
    for i in range(c1, c2, step):
        a = div(f32(r - (word(samples[i]) & 0xFFF)), half)
        out += "%.3f %.3f\r\n" % (t, mass * a * 9.81)
        t = f32(t + step_time)
        mass = f32(mass - dm)
    out += "%.3f 0.000\r\n;" % t
    return out.encode()


# 2026-12-07 00:00:00 UTC, 2026-06-13 12:00:00 UTC
DEC7 = 1796601600
JUN13 = 1781352000

HEADER_EXAMPLE = dict(
    name=b"Test", motor=b"", comment=b"", offset=0, twoGeeFile=15.0, twoGee=15.0, rate=100,
    weight=0.0, diameter=0.0, date=DEC7,
    samples=["505", "505", "498", "430", "36864", "512", "4095", "abc", ""])

COMMENT_BREAKS = dict(
    name=b"Nose cone \xc4", motor=b"C6-5", comment=b"First line\r\nsecond line\nthird\rfourth",
    offset=505, twoGeeFile=15.0, twoGee=16.0, rate=200, weight=0.0781, diameter=0.0,
    date=JUN13, samples=["505", "505", "4601", "480", "505", "520", "505"])


def burn_samples():
    s = ["505"] * 100
    for k in range(70):
        s.append(str(505 - int(round(80 * math.sin(math.pi * (k + 0.5) / 70)))))
    s += ["512"] * 80
    s[100] = str(int(s[100]) | 0x1000)
    return s


BURN = dict(
    name=b"Burn", motor=b"C6", comment=b"", offset=505, twoGeeFile=15.0, twoGee=15.0, rate=100,
    weight=0.0781, propellant=0.0108, diameter=0.0246, date=JUN13, samples=burn_samples())

ENG_FIELDS = dict(designation="C6", diameter="18", length="70", delays="5", pre="0.0231",
                  post="0.0123", maker="Es")

if __name__ == "__main__":
    files = {
        "csv_header_example.csv": csv_text(HEADER_EXAMPLE),
        "csv_comment_breaks.csv": csv_text(COMMENT_BREAKS),
        "csv_burn.csv": csv_text(BURN),
        "eng_c100_c160_p20.eng": eng_text(BURN, dict(ENG_FIELDS, c1=100, c2=160, points=20)),
        "eng_points_above_range.eng": eng_text(BURN, dict(ENG_FIELDS, c1=100, c2=160,
                                                          points=100)),
        "eng_one_point.eng": eng_text(BURN, dict(ENG_FIELDS, c1=100, c2=160, points=1)),
    }
    for name, data in files.items():
        with open(name, "wb") as f:
            f.write(data)
        print(name, len(data))

#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target into corpus/<target>/: a few
small inputs each, from whole records as the console writes them to cut,
long and odd ones. Run again after changing it; the files are checked in.
Inputs that once made a report live beside these as found-*; this script
leaves them alone."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SEP = b"\n--8<--\n"  # FUZZ_PART_SEPARATOR


def text(value, size):
    data = value.encode()[: size - 1]
    return data + b"\0" * (size - len(data))


def i32(*values):
    return b"".join(struct.pack("<i", v) for v in values)


def f32(*values):
    return b"".join(struct.pack("<f", v) for v in values)


def formula(number, name, active=1, steps=3, seconds=1800):
    return i32(number) + text(name, 52) + i32(active, steps, seconds)


def step(number, name, items):
    items = list(items) + [0] * (24 - len(items))
    return i32(number) + text(name, 52) + i32(*items)


def step21(number, name, items):
    items = list(items) + [0] * (13 - len(items))
    return i32(number) + text(name, 52) + i32(*items)


def configuration(name, items):
    items = list(items) + [0.0] * (60 - len(items))
    return text(name, 52) + f32(*items)


def chemical(number, active, when, duration, signal):
    return i32(number) + text("", 52) + i32(active, when, duration, signal)


def valve(number, name, rate):
    return i32(number) + text(name, 52) + f32(rate)


def names(count=15):
    return b"".join(text("Chemical %02d" % (k + 1), 50) for k in range(count))


def log(date, time, code, message):
    return text(date, 15) + text(time, 17) + i32(code) + text(message, 256)


def password(word, encoded, enabled):
    return text(word, 50) + text(encoded, 50) + i32(enabled)


# Items of a wash step: type, time, temperature, level, speed, ...
WASH = [1, 300, 140, 1200, 40, 1, 0, 0, 2, 1, 0, 0, 0]
MACHINE = [0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 300.0] + [0.0] * 17 + [800.0, 900.0, 1000.0, 1100.0]

SEEDS = {
    "formula_list": {
        "two": formula(1, "Towels") + formula(2, "Sheets", 0, 5, 2400),
        "partial": formula(7, "Bath mats") + b"\x01\x02\x03",
        "edges": formula(999, "Last") + formula(2147483647, "Huge") + formula(-1, "Negative", 2, -5, -60),
        "utf8": formula(3, "Blanchisserie \u00e9t\u00e9 \u6d17\u8863") + formula(3, "Twice"),
    },
    "steps": {
        "current": b"\x00" + step(1, "Prewash", WASH) + step(2, "Rinse", [2, 120, 100, 1400]),
        "metric": b"\x04" + step(1, "Wash", WASH) + b"\xff" * 40,
        "layout21": b"\x01" + step21(1, "Old wash", WASH) + step21(2, "Old rinse", [2, 60]),
        "level_cm": b"\x0a" + step(1, "Fill", [1, 60, 0, 2000]) + step(99, "Far", [9, -1, 2147483647, 99]),
        "level_in": b"\x06" + step(1, "Fill", [1, 60, 0, 5000]),
    },
    "configuration": {
        "machine": configuration("Washer 1", MACHINE),
        "short": configuration("Washer 1", MACHINE)[:100],
        "odd": configuration("Odd", [float("nan"), 99.0, -3.0, 1e30, float("inf")] + [7.5] * 55) + b"x",
    },
    "vez": {
        "current": i32(*range(19)),
        "older": i32(1, 2, 0, 1, 5, 6, 7, 1, 0, 10, 11),
        "odd": i32(-2147483648, 2147483647, 3, -1) + b"\x07",
    },
    "vez_states": {
        "english": b"0~Idle~1\nWaiting.~\n1~Batch~0\n[END]\n" + SEP + b"0~Idle~1\n0~Ruhe~1\nW.\nWarten.\n" + SEP
        + bytes([3, 2, 1, 0]) + i32(12),
        "counts": b"0~A~-1\n1~B~2147483647\nx~\n2~C~99999999999\n" + SEP + b"odd\n" + SEP
        + bytes([1, 1, 0, 0]) + i32(7, 1, 2, 3, 4, 5, 6, 7),
        "long": b"0~" + b"x" * 1200 + b"~1\n\xff\xfe~\n" + SEP + b"~~~\n\r\n" + SEP + b"0123456789012",
    },
    "language": {
        "english": b"Towels\nSheets\n\nSave\n" + SEP + b"Towels\nServiettes\nSheets\nDraps\n",
        "crlf": b"One\r\nTwo\r\n" + b"x" * 250 + b"\n" + SEP + b"One\r\nUn\r\n",
        "nul": b"A\0hidden\n%s%n\n" + SEP + b"A\n\xff\xfe\n",
    },
    "ipc_frame": {
        # kind, 16-bit little-endian length, payload
        "run": bytes([0x81, 237, 0]) + i32(1, 2, 3, 600, 150, 120, 61, 100, 50, 800, 200) + bytes(193),
        "split_and_garbage": b"\x00\xff" + bytes([0x8B, 6, 0, 1]) + b"Door!" + bytes([0x86, 3, 0, 1, 0, 1]),
        "oversize": bytes([0x84, 0xff, 0xff]) + bytes(40),
    },
    "version": {
        "machine": b"RIDEVUVE\n6.1.012\n1234" + SEP + b"6.1.013" + SEP + b"6.1.013.upt",
        "one_line": b"6.0.000\n77\n" + SEP + b"9.99999999999.1" + SEP + b"-6.1.1.upt",
        "odd": b"\n\n\n" + SEP + b"..." + SEP + b"6.1.1.upt.upt",
    },
    "passwords": {
        "set": b"\x00" + password("secret", "", 1),
        "program": b"\x01" + password("\u00e9t\u00e9", "", 0),
        "damaged": b"\x02" + password("x", "y", 7),
        "short": b"\x03" + b"abc",
    },
    "item_values": {
        "temperature": b"\x02\x04\x00" + b"140",
        "time": b"\x01\x04\x01" + b"00\n05\n30",
        "network": b"\x31\x0c\x00" + b"192\n168\n1",
        "name": b"\x00\x02\x00" + "Serviettes \u00e9t\u00e9".encode(),
        "huge": b"\x0a\x04\x06" + b"-99999999999999999999\n1e40\nnan",
    },
    "chemicals": {
        "three": names() + SEP + b"".join(chemical(k, k % 2, k % 3, 30 * k, 1) for k in range(1, 4)),
        "short": names(2)[:60] + SEP + chemical(1, 1, 1, 5, 0)[:40],
        "odd": b"\xff" * 750 + SEP + chemical(16, 7, -1, -5, 9) * 17,
    },
    "chemical_valves": {
        "two": names() + SEP + valve(1, "Detergent", 12.5) + valve(2, "Softener", 0.0),
        "odd": SEP + valve(0, "\xff", float("nan")) * 16,
    },
    "chemical_names": {
        "english": b"\x00" + names(),
        "short": b"\x02" + names(3),
        "negative": b"\xfe" + b"\xc3" * 800,
    },
    "post_dry": {
        "two": i32(1, 2, 3, 5, 1, 0),
        "odd": i32(2147483647, -1, 9, -5, 0, 0, 5, 1, 1) + b"\x00\x01",
    },
    "log_reader": {
        # First byte: log kind (two low bits) and day (the rest).
        "day": bytes([1 | (15 << 2)]) + log("03/15/2024", "10:30 AM", 0, "Program F-001 saved")
        + log("03/16/2024", "09:00 AM", 3, "Door open"),
        "torn": bytes([3 | (15 << 2)]) + log("03/15/2024", "10:30 AM", 0, "Step inserted")[:200],
        "garbage": bytes([0]) + b"\xff" * 292 + log("03/00/2024", "", -1, "\xff")[:292],
    },
    "network": {
        "static": b"auto lo\niface lo inet loopback\n\nauto eth0\niface eth0 inet static\n"
        b"    address 192.168.1.20\n    netmask 255.255.255.0\n    gateway 192.168.1.1\n",
        "dhcp": b"auto eth0\niface eth0 inet dhcp\n",
        "odd": b"iface eth0 inet static\naddress 999.1.1.1\nnetmask\n\0gateway ;reboot\n" + b"a" * 300,
    },
    "sets": {
        "spring": b"spring" + SEP + b"summer" + SEP + b"RIDEVUVE\n6.1.012\n1" + SEP
        + formula(1, "Towels") + SEP + configuration("Washer 1", MACHINE),
        "refused": b"../escape" + SEP + b"-rf" + SEP + b"RIDEVUVE\n9.0.0\n" + SEP + b"x" + SEP + b"",
        "no_version": "\u00e9t\u00e9".encode() + SEP + b".." + SEP + b"" + SEP
        + formula(1, "A")[:30] + SEP + b"short",
    },
    "errors_solutions": {
        "english": b"7~Out of Balance~2\nSpread~Spread the load~1\nremedy_balance.png\nWeigh~Check it~0\n[END]\n"
        + SEP + b"7~Out of Balance~1\n7~Unwucht~1\nSpread~x~0\nVerteilen~y~0\n[END]\n[END]\n",
        "hostile": b"1~" + b"x" * 1200 + b"~9999\nT~X~3\n../../etc/passwd\n/etc/shadow\n\xff\xfe.png\n"
        + SEP + b"2~Odd~1\n",
        "counts": b"3~A~-1\n4~B~99999999999\n5~C\n~~\n" + SEP + b"\r\n\0~\0~\0\n",
    },
}


def main():
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Derives data/Prefix.dat and resources/flags/flag-map.tsv from Debian's hamradio-files cty.csv.

cty.csv has one entity per line: primary prefix, name, ADIF number, continent, CQ zone, ITU zone,
latitude, longitude, UTC offset, then the alias list ended by ";". Prefixes starting with "*" are
extra entities of other award lists, not countries, and are left out.

The country number of a station is its line in Prefix.dat and is written into every station identifier,
so the order must stay stable when new entities appear: lines are ordered by ADIF number (new entities
get higher numbers and land at the end) and the one entity added here comes last.

Usage: tools/derive-prefix.py [cty.csv] [Prefix.dat] [flag-map.tsv]
"""

import csv
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_CTY = Path("/usr/share/hamradio-files/cty.csv")

# Names written the way operators write them, without the list's abbreviations.
NAMES = {
    "1A": "Sovereign Military Order of Malta",
    "3DA": "Eswatini",
    "4U1I": "ITU Headquarters",
    "4U1U": "United Nations Headquarters",
    "4W": "Timor-Leste",
    "9Q": "Democratic Republic of the Congo",
    "BV9P": "Pratas Island",
    "DL": "Germany",
    "FJ": "St. Barthélemy",
    "FR": "Réunion Island",
    "FT/z": "Amsterdam & St. Paul Islands",
    "HL": "South Korea",
    "OH0": "Åland Islands",
    "P5": "North Korea",
    "PJ2": "Curaçao",
    "S9": "São Tomé & Príncipe",
    "TU": "Côte d'Ivoire",
    "V8": "Brunei",
    "VU4": "Andaman & Nicobar Islands",
    "Z6": "Kosovo",
    "Z8": "South Sudan",
    "ZL9": "New Zealand Subantarctic Islands",
    "ZS8": "Prince Edward & Marion Islands",
}

# One entity beyond the current list, kept last so that it never shifts the others.
EXTRA = ("IT9", "Sicily", "it")

# Flag picture by primary prefix: lower-case ISO 3166 code of Debian's iso-flags-png set, or one of its
# named extras ("_scotland"). A territory without a flag of its own shows its sovereign's. Entities with
# no fitting flag (disputed reefs, the Order of Malta, Kosovo) are absent and show the program's logo.
FLAGS = {
    "3A": "mc", "3B6": "mu", "3B8": "mu", "3B9": "mu", "3C": "gq", "3C0": "gq", "3D2": "fj", "3D2/c": "fj",
    "3D2/r": "fj", "3DA": "sz", "3V": "tn", "3W": "vn", "3X": "gn", "3Y/b": "bv", "3Y/p": "no", "4J": "az",
    "4L": "ge", "4O": "me", "4S": "lk", "4U1I": "_united_nations", "4U1U": "_united_nations", "4W": "tl",
    "4X": "il", "5A": "ly", "5B": "cy", "5H": "tz", "5N": "ng", "5R": "mg", "5T": "mr", "5U": "ne",
    "5V": "tg", "5W": "ws", "5X": "ug", "5Z": "ke", "6W": "sn", "6Y": "jm", "7O": "ye", "7P": "ls",
    "7Q": "mw", "7X": "dz", "8P": "bb", "8Q": "mv", "8R": "gy", "9A": "hr", "9G": "gh", "9H": "mt",
    "9J": "zm", "9K": "kw", "9L": "sl", "9M2": "my", "9M6": "my", "9N": "np", "9Q": "cd", "9U": "bi",
    "9V": "sg", "9X": "rw", "9Y": "tt", "A2": "bw", "A3": "to", "A4": "om", "A5": "bt", "A6": "ae",
    "A7": "qa", "A9": "bh", "AP": "pk", "BV": "tw", "BV9P": "tw", "BY": "cn", "C2": "nr", "C3": "ad",
    "C5": "gm", "C6": "bs", "C9": "mz", "CE": "cl", "CE0X": "cl", "CE0Y": "cl", "CE0Z": "cl", "CE9": "aq",
    "CM": "cu", "CN": "ma", "CP": "bo", "CT": "pt", "CT3": "pt", "CU": "pt", "CX": "uy", "CY0": "ca",
    "CY9": "ca", "D2": "ao", "D4": "cv", "D6": "km", "DL": "de", "DU": "ph", "E3": "er", "E4": "ps",
    "E5/n": "ck", "E5/s": "ck", "E6": "nu", "E7": "ba", "EA": "es", "EA6": "es", "EA8": "es", "EA9": "es",
    "EI": "ie", "EK": "am", "EL": "lr", "EP": "ir", "ER": "md", "ES": "ee", "ET": "et", "EU": "by",
    "EX": "kg", "EY": "tj", "EZ": "tm", "F": "fr", "FG": "gp", "FH": "yt", "FJ": "bl", "FK": "nc",
    "FK/c": "nc", "FM": "mq", "FO": "pf", "FO/a": "pf", "FO/c": "fr", "FO/m": "pf", "FP": "pm", "FR": "re",
    "FS": "mf", "FT/g": "tf", "FT/j": "tf", "FT/t": "tf", "FT/w": "tf", "FT/x": "tf", "FT/z": "tf",
    "FW": "wf", "FY": "gf", "G": "gb", "GD": "im", "GI": "gb", "GJ": "je", "GM": "_scotland", "GU": "gg",
    "GW": "_wales", "H4": "sb", "H40": "sb", "HA": "hu", "HB": "ch", "HB0": "li", "HC": "ec", "HC8": "ec",
    "HH": "ht", "HI": "do", "HK": "co", "HK0/a": "co", "HK0/m": "co", "HL": "kr", "HP": "pa", "HR": "hn",
    "HS": "th", "HV": "va", "HZ": "sa", "I": "it", "IS": "it", "J2": "dj", "J3": "gd", "J5": "gw",
    "J6": "lc", "J7": "dm", "J8": "vc", "JA": "jp", "JD/m": "jp", "JD/o": "jp", "JT": "mn", "JW": "sj",
    "JX": "sj", "JY": "jo", "K": "us", "KG4": "us", "KH0": "mp", "KH1": "um", "KH2": "gu", "KH3": "um",
    "KH4": "um", "KH5": "um", "KH6": "us", "KH7K": "us", "KH8": "as", "KH8/s": "as", "KH9": "um",
    "KL": "us", "KP1": "um", "KP2": "vi", "KP4": "pr", "KP5": "pr", "LA": "no", "LU": "ar", "LX": "lu",
    "LY": "lt", "LZ": "bg", "OA": "pe", "OD": "lb", "OE": "at", "OH": "fi", "OH0": "ax", "OJ0": "ax",
    "OK": "cz", "OM": "sk", "ON": "be", "OX": "gl", "OY": "fo", "OZ": "dk", "P2": "pg", "P4": "aw",
    "P5": "kp", "PA": "nl", "PJ2": "cw", "PJ4": "bq", "PJ5": "bq", "PJ7": "sx", "PY": "br", "PY0F": "br",
    "PY0S": "br", "PY0T": "br", "PZ": "sr", "R1FJ": "ru", "S0": "eh", "S2": "bd", "S5": "si", "S7": "sc",
    "S9": "st", "SM": "se", "SP": "pl", "ST": "sd", "SU": "eg", "SV": "gr", "SV/a": "gr", "SV5": "gr",
    "SV9": "gr", "T2": "tv", "T30": "ki", "T31": "ki", "T32": "ki", "T33": "ki", "T5": "so", "T7": "sm",
    "T8": "pw", "TA": "tr", "TF": "is", "TG": "gt", "TI": "cr", "TI9": "cr", "TJ": "cm", "TK": "fr",
    "TL": "cf", "TN": "cg", "TR": "ga", "TT": "td", "TU": "ci", "TY": "bj", "TZ": "ml", "UA": "ru",
    "UA2": "ru", "UA9": "ru", "UK": "uz", "UN": "kz", "UR": "ua", "V2": "ag", "V3": "bz", "V4": "kn",
    "V5": "na", "V6": "fm", "V7": "mh", "V8": "bn", "VE": "ca", "VK": "au", "VK0H": "hm", "VK0M": "au",
    "VK9C": "cc", "VK9L": "au", "VK9M": "au", "VK9N": "nf", "VK9W": "au", "VK9X": "cx", "VP2E": "ai",
    "VP2M": "ms", "VP2V": "vg", "VP5": "tc", "VP6": "pn", "VP6/d": "pn", "VP8": "fk", "VP8/g": "gs",
    "VP8/h": "aq", "VP8/o": "aq", "VP8/s": "gs", "VP9": "bm", "VQ9": "io", "VR": "hk", "VU": "in",
    "VU4": "in", "VU7": "in", "XE": "mx", "XF4": "mx", "XT": "bf", "XU": "kh", "XW": "la", "XX9": "mo",
    "XZ": "mm", "YA": "af", "YB": "id", "YI": "iq", "YJ": "vu", "YK": "sy", "YL": "lv", "YN": "ni",
    "YO": "ro", "YS": "sv", "YU": "rs", "YV": "ve", "YV0": "ve", "Z2": "zw", "Z3": "mk", "Z8": "ss",
    "ZA": "al", "ZB": "gi", "ZC4": "gb", "ZD7": "sh", "ZD8": "sh", "ZD9": "sh", "ZF": "ky", "ZK3": "tk",
    "ZL": "nz", "ZL7": "nz", "ZL8": "nz", "ZL9": "nz", "ZP": "py", "ZS": "za", "ZS8": "za",
}


def read_entities(cty_path):
    entities = []
    with open(cty_path, newline="", encoding="utf-8") as f:
        for fields in csv.reader(f):
            if len(fields) < 3 or not fields[0]:
                continue
            prefix, name, adif = fields[0].strip(), fields[1].strip(), fields[2].strip()
            # Not entities: other lists' extras, and a version marker line in some editions.
            if prefix.startswith("*") or prefix.startswith("=") or "VERSION" in prefix:
                continue
            if not adif.isdigit():
                sys.exit(f"{cty_path}: no ADIF number for {prefix!r}")
            entities.append((int(adif), prefix, NAMES.get(prefix, name)))
    entities.sort()
    adifs = [e[0] for e in entities]
    if len(set(adifs)) != len(adifs):
        sys.exit(f"{cty_path}: an ADIF number appears twice")
    return entities


def main():
    cty = Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_CTY
    prefix_out = Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "data" / "Prefix.dat"
    map_out = Path(sys.argv[3]) if len(sys.argv) > 3 else ROOT / "resources" / "flags" / "flag-map.tsv"

    entities = read_entities(cty)
    rows = [(prefix, name, FLAGS.get(prefix)) for _, prefix, name in entities]
    rows.append(EXTRA)
    for prefix, name, _ in rows:
        if ">" in prefix or ">" in name:
            sys.exit(f"{prefix}: '>' cannot be part of a country line")
        name.encode("cp1252")

    with open(prefix_out, "wb") as f:
        for prefix, name, _ in rows:
            f.write(f"{prefix}>{name}\r\n".encode("cp1252"))
    with open(map_out, "w", encoding="utf-8", newline="\n") as f:
        f.write("# country number<TAB>flag picture in iso-flags-png-320x240 (written by tools/derive-prefix.py)\n")
        for number, (prefix, name, flag) in enumerate(rows, start=1):
            if flag:
                f.write(f"{number}\t{flag}\t# {prefix} {name}\n")
    print(f"{len(rows)} countries written to {prefix_out}; flags in {map_out}")


if __name__ == "__main__":
    main()

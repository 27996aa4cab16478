#!/usr/bin/env python3
"""Writes the sample rosters data/Lady.dat and data/Hunter.dat.

Every station and name in them is invented; they exist so that the program can be tried and tested
without the organiser's real rosters, which the update function downloads. The output is fixed by the
seed, so running the script again gives the same files.

Format: one "identifier>NAME" line per station, Windows-1252, CR LF, a "#" comment line on top.
An identifier is country number (a line of Prefix.dat), club ("QV" for members, 1 to 5 other letters
otherwise) and unit number (1 to 3000) written together.

Usage: tools/make-sample-rosters.py [data folder]
"""

import random
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SEED = 20150306
COUNTRIES = 341
LADIES = 250
HUNTERS = 400

# Fixed stations that tests and examples rely on.
FIXED_LADIES = [("5QV123", "MARIA GRAZIA DELL'ORTO")]
FIXED_HUNTERS = [("7QV1", "G.B. ÇELIK")]
IN_BOTH = [
    ("17QV2024", "NICOLÒ D'AMBROSIO"),
    ("248QV45", "ANNA MARIA DE' MEDICI"),
    ("1ARIV300", "JOSÉE TREMBLAY"),
    ("230QV999", "LUCIA FERRÈ"),
    ("341TRIN12", "CARMELA D'ALÌ"),
]

WOMEN = [
    "ANNA", "MARIA", "GIULIA", "FRANCESCA", "CHIARA", "ELENA", "SARA", "MARTINA", "LAURA", "PAOLA",
    "SIMONETTA", "ROSSELLA", "LUCIA", "CATERINA", "AGNESE", "NOEMI", "IRENE", "BEATRICE", "ORNELLA", "RITA",
    "CLÉMENCE", "HÉLÈNE", "ANAÏS", "INGRID", "ASTRID", "MARTA", "INÈS", "PILAR", "ZOË", "MAÏTÉ",
    "ELÇIN", "AYLIN", "FRANÇOISE", "BRIGITTE", "MONIKA", "KATARINA", "JOANNA", "EMMA", "OLIVIA", "GRACE",
]
MEN = [
    "MARCO", "LUCA", "GIUSEPPE", "FRANCESCO", "ANTONIO", "PAOLO", "STEFANO", "ANDREA", "ROBERTO", "NICOLÒ",
    "NICCOLÒ", "GIOSUÈ", "MOSÈ", "GIANLUCA", "SALVATORE", "VITTORIO", "ENZO", "DARIO", "FABRIZIO", "PIETRO",
    "JOSÉ", "ANDRÉ", "RENÉ", "JÜRGEN", "FRANÇOIS", "JOÃO", "TOMÁS", "ÉMILE", "KLAUS", "SØREN",
    "JOHN", "PETER", "MICHAEL", "DAVID", "HIROSHI", "KENJI", "RAJ", "CARLOS", "MIGUEL", "OLAF",
]
SURNAMES = [
    "ROSSI", "BIANCHI", "ESPOSITO", "ROMANO", "COLOMBO", "RICCI", "MARINO", "GRECO", "BRUNO", "GALLO",
    "CONTI", "DE LUCA", "MANCINI", "COSTA", "GIORDANO", "RIZZO", "LOMBARDI", "MORETTI", "BARBIERI", "FONTANA",
    "D'AMBROSIO", "D'ANGELO", "DELL'ACQUA", "DE' ROSSI", "LO PRESTI", "LA ROSA", "DALLÒ", "FERRÈ",
    "NICOLÒ", "CANTÙ", "FORLÌ", "PERÒ", "BERTÈ", "MASSÈ", "ÇELIK", "ÇAKIR", "GARÇON", "FRANÇA",
    "MÜLLER", "DUPONT", "LEFÈVRE", "GARCÍA", "MARTÍNEZ", "SØRENSEN", "NOVÁK", "KOWALSKI", "SMITH", "O'BRIEN",
    "O'NEILL", "MCDONALD", "TANAKA", "SUZUKI", "SILVA", "SANTOS", "JANSEN", "NIELSEN", "VIRTANEN", "HORVÁTH",
]
CLUB_LETTERS = "ABCDEFGHIJKLMNOPRSTUVZ"


def make_name(rng, first_names):
    style = rng.random()
    surname = rng.choice(SURNAMES)
    if style < 0.12:
        # Initials as some operators sign: "G.B. ÇELIK", "M. ROSSI".
        letters = "".join(rng.choice("ABCDEFGLMNPRSTV") + "." for _ in range(rng.choice((1, 1, 2))))
        return f"{letters} {surname}"
    if style < 0.25:
        return f"{rng.choice(first_names)} {rng.choice(first_names)} {surname}"
    if style < 0.32:
        return f"{surname} {rng.choice(first_names)}"
    return f"{rng.choice(first_names)} {surname}"


def make_club(rng):
    while True:
        club = "".join(rng.choice(CLUB_LETTERS) for _ in range(rng.randint(1, 5)))
        if club != "QV":
            return club


def make_identifier(rng, taken):
    while True:
        country = rng.randint(1, COUNTRIES)
        club = "QV" if rng.random() < 0.6 else make_club(rng)
        identifier = f"{country}{club}{rng.randint(1, 3000)}"
        if identifier not in taken:
            taken.add(identifier)
            return identifier


def split_identifier(identifier):
    digits = len(identifier) - len(identifier.lstrip("0123456789"))
    rest = identifier[digits:]
    letters = len(rest) - len(rest.lstrip("ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
    return int(identifier[:digits]), rest[:letters], int(rest[letters:])


def write_roster(path, title, entries):
    lines = [f"# {title}: INVENTED SAMPLE DATA for trying the program. Not a real roster; "
             f"the update function replaces it with the organiser's."]
    lines += [f"{identifier}>{name}" for identifier, name in sorted(entries, key=lambda e: split_identifier(e[0]))]
    data = b"".join(line.encode("cp1252") + b"\r\n" for line in lines)
    with open(path, "wb") as f:
        f.write(data)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "data"
    rng = random.Random(SEED)
    taken = {identifier for identifier, _ in FIXED_LADIES + FIXED_HUNTERS + IN_BOTH}

    ladies = FIXED_LADIES + IN_BOTH
    while len(ladies) < LADIES:
        ladies.append((make_identifier(rng, taken), make_name(rng, WOMEN)))
    hunters = FIXED_HUNTERS + IN_BOTH
    while len(hunters) < HUNTERS:
        hunters.append((make_identifier(rng, taken), make_name(rng, WOMEN + MEN)))

    write_roster(folder / "Lady.dat", "Lady stations", ladies)
    write_roster(folder / "Hunter.dat", "Hunter stations", hunters)
    print(f"{len(ladies)} Lady and {len(hunters)} Hunter stations written to {folder}")


if __name__ == "__main__":
    main()

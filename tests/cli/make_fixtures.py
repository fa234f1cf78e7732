#!/usr/bin/env python3
"""Writes the golden fixtures of qlm under fixtures/, one folder per case.

The expectations here are worked out by hand from the file formats, not
captured from qlm: expected ROM bytes are patched into a copy of the input
by this script's own encoder, and every message is written out in full.
Run it after changing a case; commit the folders it writes.
"""
import os
import shutil
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "fixtures")
BESTIARY = os.path.join(HERE, "..", "..", "examples", "bestiary")
BESTIARY_FILES = ["bestiary.qlm", "bestiary-names.txt", "bestiary.tbl", "habitats.txt", "affinities.txt"]
INCOMPATIBLE = "This module and this rom are not compatible.\n"

USAGE = """Usage: qlm COMMAND ARGUMENTS

Quillmoor's command-line companion for module authors and build scripts.

Commands:
  qlm check [--warnings] [--strict] MODULE
      Load MODULE and its side files as the editor does. Prints the title,
      entry count, entry length, base offset and element count, or the
      file and line of the error that stopped the load.
      -W, --warnings  also list what loads but is probably a mistake, one
                      warning per line, each with its file and line
      --strict        list warnings and fail (status 1) when there are any
  qlm dump MODULE ROM
      Print every entry of the table in ROM as CSV: a header row, then one
      row per entry with its label and each element as the editor shows it.
  qlm layout MODULE
      Print one entry of MODULE as a byte map: one line per byte range with
      its offset, its length and the elements covering it.
  qlm set MODULE ROM ENTRY ELEMENT VALUE
      Store VALUE into one element of one entry and write ROM in place.
      ENTRY is a number (0x10 and 020 work too). ELEMENT is an element's
      exact name or else its 0-based index. VALUE is read strictly: a number
      must be the whole value, in the element's range; a text must fit and
      use only characters of the character table; a hex array is two hex
      digits per byte. A dropbox takes a value's name, label or number.
  qlm import MODULE ROM CSV
      Read CSV (as qlm dump writes it; the first column is the entry's
      label or number, then element names in any order, a subset allowed)
      into ROM. Every cell is checked first: one bad cell changes nothing
      and the bad cells are listed with their row and column. Only the
      entries that change are written.
  qlm patch create [--format ips|bps] ORIGINAL MODIFIED PATCH
      Write PATCH, an IPS or BPS patch (by PATCH's extension, .ips or .bps,
      unless --format says) that turns ORIGINAL into MODIFIED. IPS reaches
      only the first 16 MiB; BPS carries checksums of both files.
  qlm patch apply PATCH ORIGINAL OUTPUT
      Write OUTPUT, ORIGINAL with the IPS or BPS PATCH applied. A BPS patch
      made for another file, or damaged, is refused. OUTPUT is written
      whole or not at all, and never over ORIGINAL.
  --form-rules (set, import)
      Read values as the editor's form does: numbers as far as they read,
      keeping their low bytes.
  --unsafe-in-place (set, import)
      Write ROM in place even where its folder is not writable, so that no
      rollback file (ROM.qlm-journal) can make the write all or nothing.
  qlm --help
      Show this text.
  qlm --version
      Show the version.

Exit status: 0 on success, 1 when a file or a value is refused,
2 when the command line itself is wrong.
"""

MESSAGES = {
    1: "The module file is of a version not supported by this version of Quillmoor.",
    2: "A list of entry names was specified, but could not be loaded. Use NULL to specify no file.",
    4: "An entry in the character table file was not properly formatted.",
    5: "An element's style descriptor is too short to represent a valid style.",
    6: "An element's style is contradictory or invalid.",
    7: "A dropbox-style element's list of values could not be opened.",
    8: "Quillmoor cannot render a module for a table with zero entries.",
    9: "Quillmoor does not feel like contemplating the specifics of a table with entries of zero length.",
    10: "An element's dropbox value list specifies zero values. You're clearly trying to crash Quillmoor. "
        "Leave me alone. :(",
    11: "One or more lines in an element's dropbox value list are improperly formatted.",
    12: "Numeric elements cannot own more than four bytes.",
    13: "An entry has specified a size or offset that would reach outside that entry's allowed space.",
    14: "The module or a dropbox value list specifies a negative count, or more than 1048576 entries or "
        "values. Quillmoor will not hold a table that large.",
}

# Bestiary geometry: base 0x40, 20-byte entries; element offsets and sizes.
BASE, LENGTH = 0x40, 20
ELEMENTS = {"Short name": (0, 8), "Hit points": (8, 2), "Temper": (10, 1), "Habitat": (11, 1),
            "Gold carried": (12, 2), "Loot flags": (14, 3), "Biscuits eaten": (17, 1), "Affinity": (18, 1)}


def write(folder, name, data):
    os.makedirs(os.path.dirname(os.path.join(folder, name)), exist_ok=True)
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(os.path.join(folder, name), mode, **({} if mode == "wb" else {"newline": ""})) as f:
        f.write(data)


def case(name, args, code, stdout="", stderr="", files=None, bestiary=False, rom=None):
    folder = os.path.join(OUT, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    if bestiary:
        for f in BESTIARY_FILES + ["bestiary.rom"]:
            shutil.copy(os.path.join(BESTIARY, f), folder)
    for fname, data in (files or {}).items():
        write(folder, fname, data)
    write(folder, "args", "".join(a + "\n" for a in args))
    write(folder, "expected.code", "%d\n" % code)
    write(folder, "expected.stdout", stdout)
    write(folder, "expected.stderr", stderr)
    if rom is not None:
        write(folder, "expected.rom", rom)


def bestiary_rom():
    with open(os.path.join(BESTIARY, "bestiary.rom"), "rb") as f:
        return bytearray(f.read())


def encode(text):
    """The bestiary's letter encoding, as bestiary.tbl defines it."""
    out = []
    for c in text:
        if "A" <= c <= "Z":
            out.append(0x80 + ord(c) - 65)
        elif "a" <= c <= "z":
            out.append(0xA0 + ord(c) - 97)
        else:
            out.append({" ": 0xFF, "'": 0xFE, "-": 0xFD}.get(c, ord(c)))
    return bytes(out)


def patched(entry, element, data):
    return patched_many([(entry, element, data)])


def patched_many(changes):
    rom = bestiary_rom()
    for entry, element, data in changes:
        offset, size = ELEMENTS[element]
        assert len(data) == size
        at = BASE + LENGTH * entry + offset
        rom[at:at + size] = data
    return bytes(rom)


def set_ok(name, entry_text, entry, element_arg, element, value, data, stdout=""):
    case(name, ["set", "bestiary.qlm", "bestiary.rom", entry_text, element_arg, value], 0,
         stdout=stdout, bestiary=True, rom=patched(entry, element, data))


def set_refused(name, entry_text, element_arg, value, stderr):
    case(name, ["set", "bestiary.qlm", "bestiary.rom", entry_text, element_arg, value], 1,
         stderr=stderr + "\n", bestiary=True)


def header_module(count="1", length="8", names="NULL", table="none.tbl", elements=""):
    return "1\nFixture\n0\n%s\n%s\n%s\n%s\n%s" % (count, length, names, table, elements)


def check_cases():
    case("check_bestiary", ["check", "bestiary.qlm"], 0,
         stdout="Bestiary: 24 entries of 20 bytes, base offset 0x40, 8 elements\n", bestiary=True)
    case("check_singular_counts", ["check", "one.qlm"], 0,
         stdout="One, with a comma: 1 entry of 1 byte, base offset 0x1F, 1 element\n",
         files={"one.qlm": "1\r\nOne, with a comma\r\n0x1F\r\n1\r\n1\r\nNULL\r\nnone.tbl\r\nB\r\n0\r\n1\r\n----\r\n-\r\n"})
    case("check_missing_module", ["check", "absent.qlm"], 1,
         stderr="Cannot open absent.qlm: No such file or directory\n")
    error_line_cases()
    lint_cases()
    layout_cases()


# A module whose header spends two lines on a comment and a blank line, so
# that every line number below counts them: version on line 3, count 6,
# length 7, names 8, character table 9; the element E on lines 10 to 14.
def fixture_lines(count="1", length="8", names="NULL", table="none.tbl", element=("E", "0", "1", "----", "-"),
                  version="1"):
    return ["# counted too", "", version, "Fixture", "0", count, length, names, table] + list(element)


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


# One row per way a load fails: what to change, the side files, and where
# qlm must say it failed. Every file ends its lines with CR LF, which counts
# as one line end.
ERROR_ROWS = [
    ("version", 1, dict(version="1.0"), {}, "m.qlm", 3, None),
    # "NULL" is the only word for no names file; in lower case it names one.
    ("names", 2, dict(names="null"), {}, "m.qlm", 8, None),
    ("char_table", 4, dict(table="t.tbl"), {"t.tbl": crlf(["# codes", "41=A", "", "42=BB"])}, "t.tbl", 4, None),
    ("style_short", 5, dict(element=("E", "0", "1", "T-", "-")), {}, "m.qlm", 13, "E"),
    # The style is refused before the missing list it names is opened.
    ("style_invalid", 6, dict(element=("E", "0", "1", "TD--", "gone.txt")), {}, "m.qlm", 13, "E"),
    ("dropbox_open", 7, dict(element=("E", "0", "1", "-D--", "gone.txt")), {}, "m.qlm", 14, "E"),
    ("zero_entries", 8, dict(count="0"), {}, "m.qlm", 6, None),
    ("zero_length", 9, dict(length="0"), {}, "m.qlm", 7, None),
    ("zero_size", 9, dict(element=("E", "0", "0", "----", "-")), {}, "m.qlm", 12, "E"),
    ("ends_after_name", 9, dict(element=("E",)), {}, "m.qlm", 11, "E"),
    ("dropbox_empty", 10, dict(element=("E", "0", "1", "-D--", "d.txt")), {"d.txt": crlf(["# none", "0"])},
     "d.txt", 2, "E"),
    ("dropbox_format", 11, dict(element=("E", "0", "1", "-D--", "d.txt")),
     {"d.txt": crlf(["2", "1 One", "", "2"])}, "d.txt", 4, "E"),
    ("value_list_ends_early", 11, dict(element=("E", "0", "1", "-D--", "d.txt")),
     {"d.txt": crlf(["2", "1 One", "# no second value"])}, "d.txt", 4, "E"),
    ("numeric_size", 12, dict(element=("E", "0", "5", "----", "-")), {}, "m.qlm", 13, "E"),
    # Offset plus size must not wrap around to a small number.
    ("out_of_entry", 13, dict(element=("E", "0xFFFFFFFF", "2", "----", "-")), {}, "m.qlm", 12, "E"),
    ("count_range", 14, dict(count="-5"), {}, "m.qlm", 6, None),
    ("value_count_range", 14, dict(element=("E", "0", "1", "-D--", "d.txt")), {"d.txt": crlf(["-1"])},
     "d.txt", 1, "E"),
]


def error_line_cases():
    for name, error_id, change, side_files, where, line, element in ERROR_ROWS:
        files = {"sub/m.qlm": crlf(fixture_lines(**change))}
        files.update({"sub/" + f: data for f, data in side_files.items()})
        suffix = ' (element "%s")' % element if element else ""
        case("check_error_line_" + name, ["check", "sub/m.qlm"], 1,
             stderr="sub/%s:%d: error %d: %s%s\n" % (where, line, error_id, MESSAGES[error_id], suffix),
             files=files)


def lint_module(elements, count="2", length="8", names="NULL", table="NULL"):
    lines = ["1", "Lint", "0", count, length, names, table]
    for element in elements:
        lines += list(element)
    return "".join(line + "\n" for line in lines)


def lint_case(name, module, warnings, side_files=None, args=("-W",), code=0, entries=2):
    files = {"m.qlm": module}
    files.update(side_files or {})
    summary = "Lint: %d entries of 8 bytes, base offset 0x0, %d element%s\n"
    elements = module.count("\n") // 5 - 1
    case(name, ["check", *args, "m.qlm"], code,
         stdout=summary % (entries, elements, "" if elements == 1 else "s"),
         stderr="".join("%s: warning: %s\n" % w for w in warnings), files=files)


def lint_cases():
    whole = ("All", "0", "8", "H---", "-")
    # Module lines: 1 version ... 5 length, 6 names, 7 table; elements from 8.
    lint_case("lint_clean", lint_module([("Pick", "0", "1", "-D--", "v.txt"), ("Rest", "1", "7", "H---", "-")]),
              [],
              side_files={"v.txt": "2\n0 No\n1 Yes\n"}, args=("--warnings", "--strict"))
    lint_case("lint_char_table_missing", lint_module([whole], table="chars.tb"),
              [("m.qlm:7", 'character table "chars.tb" not found; text elements show their bytes unmapped')])
    lint_case("lint_overlap", lint_module([("A", "0", "4", "H---", "-"), ("B", "4", "4", "H---", "-"),
                                           ("C", "2", "4", "H---", "-")]),
              [("m.qlm:18", 'element "C" overlaps "A" at bytes 2-3')])
    lint_case("lint_uncovered", lint_module([("Mid", "2", "2", "----", "-"), ("Last", "7", "1", "----", "-")]),
              [("m.qlm:5", "no element covers bytes 0-1"), ("m.qlm:5", "no element covers bytes 4-6")])
    lint_case("lint_value_too_large", lint_module([("Pair", "0", "2", "-D--", "v.txt"),
                                                    ("Rest", "2", "6", "H---", "-")]),
              [("v.txt:4", 'value 65536 does not fit in the 2 bytes of element "Pair"')],
              side_files={"v.txt": "2\n0xFFFF Top\n# too far:\n0x10000 Over\n"})
    lint_case("lint_duplicate_value", lint_module([("Pick", "0", "1", "-D--", "v.txt"),
                                                    ("Rest", "1", "7", "H---", "-")]),
              [("v.txt:4", 'value 2 of element "Pick" is already on line 2')],
              side_files={"v.txt": "3\n2 Two\n3 Three\n0x2 Again\n"})
    lint_case("lint_few_names", lint_module([whole], count="3", names="n.txt"), entries=3,
              warnings=[("m.qlm:6", "the entry names file names 2 of 3 entries; the others get bare labels")],
              side_files={"n.txt": "First\n# not a name\nSecond\n"})
    lint_case("lint_text_table_on_element",
              lint_module([("Name", "0", "8", "T---", "letters.tbl")]),
              [("m.qlm:12", 'text element "Name" names "letters.tbl", which is read only for dropboxes; '
                            "this module has no character table")],
              side_files={"letters.tbl": "80=A\n"})
    lint_case("lint_strict_fails", lint_module([("Half", "0", "4", "H---", "-")]),
              [("m.qlm:5", "no element covers bytes 4-7")], args=("--strict",), code=1)
    case("lint_bestiary", ["check", "-W", "bestiary.qlm"], 0,
         stdout="Bestiary: 24 entries of 20 bytes, base offset 0x40, 8 elements\n",
         stderr="bestiary.qlm:11: warning: no element covers byte 19\n"
                "bestiary.qlm:12: warning: the entry names file names 23 of 24 entries; the others get bare labels\n",
         bestiary=True)
    case("usage_check_unknown_option", ["check", "--all", "m.qlm"], 2,
         stderr="qlm: unknown option '--all'\n\n" + USAGE)


def layout_cases():
    case("layout_bestiary", ["layout", "bestiary.qlm"], 0, bestiary=True,
         stdout="offset  length  elements\n"
                "     0       8  Short name\n"
                "     8       2  Hit points\n"
                "    10       1  Temper\n"
                "    11       1  Habitat\n"
                "    12       2  Gold carried\n"
                "    14       3  Loot flags\n"
                "    17       1  Biscuits eaten\n"
                "    18       1  Affinity\n"
                "    19       1  (uncovered)\n")
    module = lint_module([("A", "1", "4", "H---", "-"), ("B", "3", "3", "H---", "-"), ("C", "3", "1", "----", "-")],
                         length="1000000")
    case("layout_overlap_and_gaps", ["layout", "m.qlm"], 0, files={"m.qlm": module},
         stdout=" offset   length  elements\n"
                "      0        1  (uncovered)\n"
                "      1        2  A\n"
                "      3        1  A, B, C\n"
                "      4        1  A, B\n"
                "      5        1  B\n"
                "      6   999994  (uncovered)\n")


def dump_cases():
    rows = dump_bestiary_rows()
    case("dump_bestiary", ["dump", "bestiary.qlm", "bestiary.rom"], 0, stdout=rows, bestiary=True)
    module = ("1\nQuoting\n4\n3\n9\nnames.txt\nnone.tbl\n"
              "Gold, carried\n8\n1\n----\n-\n"
              'Say "hi"\n0\n8\nT---\n-\n'
              "Pick\n8\n1\n-D--\npick.txt\n")
    rom = bytearray(b"\xAA" * 4)
    rom += b"a,b\0zzzz" + b"\x01"
    rom += b'say "q"\0' + b"\x02"
    rom += b"l1\nl2\r\xE9\x00" + b"\x03"
    stdout = ('Entry,"Gold, carried","Say ""hi""",Pick\r\n'
              '"0x00 - Smith, John",1,"a,b",1 - one\r\n'
              '"0x01 - The ""Best""",2,"say ""q""",\r\n'
              '0x02,3,"l1\nl2\r\xe9","3 - ""three"", quoted"\r\n')
    case("dump_quoting", ["dump", "q.qlm", "q.rom"], 0, stdout=stdout.encode("latin-1"),
         files={"q.qlm": module, "names.txt": 'Smith, John\nThe "Best"\n', "q.rom": bytes(rom),
                "pick.txt": '2\n1 one\n3 "three", quoted\n'})
    # A name holds only what comes before a NUL byte, in an entry label and in
    # a dropbox item label alike.
    case("dump_nul_in_names", ["dump", "z.qlm", "z.rom"], 0,
         stdout="Entry,Kind\r\n0x00 - Ada,1 - Fire\r\n0x01 - Bob,2 - Ice\r\n",
         files={"z.qlm": "1\nNul\n0\n2\n1\nnames.txt\nnone.tbl\nKind\n0\n1\n-D--\nkinds.txt\n",
                "names.txt": b"Ada\0hidden\nBob\n", "kinds.txt": b"2\n1 Fire\0hidden\n2 Ice\0\n",
                "z.rom": b"\x01\x02"})
    case("dump_incompatible", ["dump", "bestiary.qlm", "short.rom"], 1, stderr=INCOMPATIBLE,
         bestiary=True, files={"short.rom": bytes(bestiary_rom()[:BASE + 24 * LENGTH - 1])})
    case("dump_missing_rom", ["dump", "bestiary.qlm", "gone.rom"], 1,
         stderr="Cannot open gone.rom: No such file or directory\n", bestiary=True)


def dump_bestiary_rows():
    return ("Entry,Short name,Hit points,Temper,Habitat,Gold carried,Loot flags,Biscuits eaten,Affinity\r\n"
            "0x00 - Moss toad,Toad,12,-3,0 - Marsh,0x05,01 00 00,2,0x00 - None\r\n"
            "0x01 - Lantern moth,Moth,4,-20,1 - Old forest,0x00,00 00 00,0,0x10 - Fire\r\n"
            "0x02 - Quill hog,Quillhog,30,15,1 - Old forest,0x12,02 10 00,7,0x00 - None\r\n"
            "0x03 - Barrow wight,Wight,210,90,4 - Sunken ruins,0x1F4,81 00 40,0,0x20 - Frost\r\n"
            "0x04 - Salt drake,Drake,640,127,2 - Cavern,0x1F40,FF 0F 00,12,0x10 - Fire\r\n"
            "0x05 - Cinder newt,Newt,9,-1,0 - Marsh,0x02,00 00 01,1,0x10 - Fire\r\n"
            "0x06 - Fen lurker,Lurker,85,40,0 - Marsh,0x30,04 00 00,3,0x00 - None\r\n"
            "0x07 - Glass spider,Spider,44,60,2 - Cavern,0x21,08 01 00,0,0x00 - None\r\n"
            "0x08 - Hollow knight of the mire,Knight,999,100,4 - Sunken ruins,0xBB8,C0 AB 0E,5,0x20 - Frost\r\n"
            "0x09 - Rime owl,Rime owl,26,-60,3 - Tundra,0x07,00 20 00,4,0x20 - Frost\r\n"
            "0x0A - Tallow golem,Golem,400,10,4 - Sunken ruins,0x00,10 00 00,0,0x00 - None\r\n"
            "0x0B - Brook sprite,Sprite,15,-128,1 - Old forest,0x03,00 00 02,9,0x40 - Storm\r\n"
            "0x0C - Thistle boar,Boar,60,70,1 - Old forest,0x0F,03 00 00,6,0x00 - None\r\n"
            "0x0D - Dune scarab,Scarab,22,5,2 - Cavern,0x40,20 00 00,1,0x10 - Fire\r\n"
            "0x0E - Pewter crab,Crab,35,25,0 - Marsh,0x19,00 04 00,2,0x00 - None\r\n"
            "0x0F - Gloam bat,Gloambat,18,-45,2 - Cavern,0x04,00 00 00,0,0x00 - None\r\n"
            "0x10 - Cairn troll,Troll,520,80,2 - Cavern,0x190,40 80 00,11,0x00 - None\r\n"
            "0x11 - Ember fox,Ember fx,40,30,1 - Old forest,0x22,01 01 01,3,0x10 - Fire\r\n"
            "0x12 - Frost hare,Hare,10,-90,3 - Tundra,0x01,00 00 00,8,0x20 - Frost\r\n"
            "0x13 - Storm heron,Heron,48,-10,0 - Marsh,0x11,00 02 00,2,0x40 - Storm\r\n"
            "0x14 - Bog witch,Witch,150,35,0 - Marsh,0x258,0A 0B 0C,0,\r\n"
            "0x15 - Ash wyrm,Ash wyrm,1200,110,2 - Cavern,0x2710,FF FF 00,20,0x10 - Fire\r\n"
            "0x16 - Tide serpent,Serpent,300,50,,0xC8,00 00 80,1,0x00 - None\r\n"
            "0x17,,1,0,0 - Marsh,0x00,00 00 00,0,0x00 - None\r\n")


def set_cases():
    set_ok("set_text_through_char_table", "2", 2, "Short name", "Short name", "Hog Lord", encode("Hog Lord"))
    set_ok("set_text_shorter_zero_fills", "3", 3, "Short name", "Short name", "Ox", encode("Ox") + bytes(6))
    set_ok("set_unsigned_hex_entry", "0x10", 16, "Hit points", "Hit points", "0x2BC", b"\xBC\x02")
    case("set_form_rules_keeps_low_bytes",
         ["set", "--form-rules", "bestiary.qlm", "bestiary.rom", "0", "Hit points", "70000"], 0,
         bestiary=True, rom=patched(0, "Hit points", b"\x70\x11"))
    case("set_form_rules_hex_array_wrong_length",
         ["set", "bestiary.qlm", "bestiary.rom", "4", "Loot flags", "DE AD", "--form-rules"], 1,
         stderr="One of your hex arrays is improperly formatted.\n", bestiary=True)
    set_ok("set_signed_negative", "5", 5, "Temper", "Temper", "-100", b"\x9C")
    set_ok("set_hex_number", "3", 3, "Gold carried", "Gold carried", "0x1234", b"\x34\x12")
    set_ok("set_hex_array", "4", 4, "Loot flags", "Loot flags", "de-ad 01", b"\xDE\xAD\x01")
    set_ok("set_dropbox_by_name", "22", 22, "Habitat", "Habitat", "Tundra", b"\x03")
    set_ok("set_dropbox_by_number", "20", 20, "Affinity", "Affinity", "0x40", b"\x40")
    set_ok("set_dropbox_by_label", "20", 20, "Affinity", "Affinity", "0x20 - Frost", b"\x20")
    set_ok("set_biscuit", "1", 1, "Biscuits eaten", "Biscuits eaten", "99", b"\x63",
           stdout="LET'S MAKE BISCUITS!\n")
    set_ok("set_element_by_index", "023", 19, "1", "Hit points", "500", b"\xF4\x01")
    set_refused("set_hex_array_wrong_length", "4", "Loot flags", "DE AD",
                'Loot flags: "DE AD" is not 3 groups of two hex digits.')
    set_refused("set_strict_hex_array_group", "4", "Loot flags", "AB CD 0G",
                'Loot flags: "AB CD 0G" is not 3 groups of two hex digits.')
    set_refused("set_strict_number_out_of_range", "0", "Hit points", "70000",
                'Hit points: "70000" is not a whole number from 0 to 65535.')
    set_refused("set_strict_number_not_whole", "0", "Hit points", "12abc",
                'Hit points: "12abc" is not a whole number from 0 to 65535.')
    set_refused("set_strict_signed_range", "0", "Temper", "-129",
                'Temper: "-129" is not a whole number from -128 to 127.')
    set_refused("set_strict_hex_number_range", "0", "Gold carried", "0x10000",
                'Gold carried: "0x10000" is not a whole number from 0 to 0xFFFF.')
    set_refused("set_strict_unsigned_negative", "0", "Biscuits eaten", "-1",
                'Biscuits eaten: "-1" is not a whole number from 0 to 255.')
    # Code 0x41 shows as X here, so an A typed in would come back as X.
    case("set_strict_text_character", ["set", "c.qlm", "c.rom", "0", "Name", "BAD"], 1,
         stderr='Name: the character "A" has no code in the character table.\n',
         files={"c.qlm": header_module(length="4", table="c.tbl", elements="Name\n0\n4\nT---\n-\n"),
                "c.tbl": "41=X\n", "c.rom": b"XY\0\0"})
    set_refused("set_dropbox_not_in_list", "0", "Habitat", "Swamp",
                'Habitat: "Swamp" is neither the name nor the value of an item of its list.')
    set_refused("set_dropbox_number_not_in_list", "0", "Affinity", "0x30",
                'Affinity: "0x30" is neither the name nor the value of an item of its list.')
    set_refused("set_text_too_long", "2", "Short name", "Quillhogs",
                "Short name: the text has 9 characters; the element holds 8.")
    set_refused("set_no_such_entry", "24", "Temper", "1",
                "No entry 24 in this module: its entries are numbered 0 to 23.")
    set_refused("set_entry_not_a_number", "3x", "Temper", "1",
                "No entry 3x in this module: its entries are numbered 0 to 23.")
    set_refused("set_no_such_element", "0", "Mana", "1",
                'No element named "Mana" in this module, nor one with that index.')
    set_refused("set_element_index_out_of_range", "0", "8", "1",
                'No element named "8" in this module, nor one with that index.')
    case("set_incompatible_rom", ["set", "bestiary.qlm", "short.rom", "0", "Temper", "1"], 1,
         stderr=INCOMPATIBLE, bestiary=True, files={"short.rom": bytes(bestiary_rom()[:100])})
    case("set_missing_rom", ["set", "bestiary.qlm", "gone.rom", "0", "Temper", "1"], 1,
         stderr="Cannot open gone.rom: No such file or directory\n", bestiary=True)
    case("set_dropbox_by_name_before_nul", ["set", "z.qlm", "z.rom", "1", "Kind", "Fire"], 0,
         files={"z.qlm": "1\nNul\n0\n2\n1\nNULL\nnone.tbl\nKind\n0\n1\n-D--\nkinds.txt\n",
                "kinds.txt": b"2\n1 Fire\0hidden\n2 Ice\n", "z.rom": b"\x01\x02"},
         rom=b"\x01\x01")
    case("set_load_error", ["set", "bad.qlm", "r.rom", "0", "E", "1"], 1,
         stderr='bad.qlm:10: error 13: %s (element "E")\n' % MESSAGES[13],
         files={"bad.qlm": header_module(elements="E\n7\n2\n----\n-\n"), "r.rom": bytes(16)})


def import_cases():
    # What qlm dump printed goes back in without changing a byte, text tails
    # after a NUL and dropbox values in no list included.
    case("import_dump_round_trip_bestiary", ["import", "bestiary.qlm", "bestiary.rom", "dump.csv"], 0,
         stdout="0 entries changed.\n", bestiary=True, files={"dump.csv": dump_bestiary_rows()})
    quoting = os.path.join(OUT, "dump_quoting")
    case("import_dump_round_trip_quoting", ["import", "q.qlm", "q.rom", "dump.csv"], 0,
         stdout="0 entries changed.\n",
         files={f: open(os.path.join(quoting, f), "rb").read() for f in ["q.qlm", "names.txt", "pick.txt", "q.rom"]}
         | {"dump.csv": open(os.path.join(quoting, "expected.stdout"), "rb").read()})
    rows = ("Entry,Temper,Habitat,Short name,Hit points,Loot flags\r\n"
            "0x02 - Quill hog,-7,Tundra,Hog Lord,31,de ad 01\r\n"
            "5,9,0 - Marsh,Newt,9,00 00 01\r\n"
            "0x17,0,0 - Marsh,,2,00 00 00\r\n")
    case("import_subset_any_order", ["import", "bestiary.qlm", "bestiary.rom", "t.csv"], 0,
         stdout="3 entries changed.\n", bestiary=True, files={"t.csv": rows},
         rom=patched_many([(2, "Temper", b"\xF9"), (2, "Habitat", b"\x03"), (2, "Short name", encode("Hog Lord")),
                           (2, "Hit points", b"\x1F\x00"), (2, "Loot flags", b"\xDE\xAD\x01"),
                           (5, "Temper", b"\x09"), (23, "Hit points", b"\x02\x00")]))
    bad = ("Entry,Hit points,Temper,Habitat,Loot flags,Short name\r\n"
           "0x00 - Moss toad,12abc,-129,Swamp,01 00 0G,Toolongname\r\n"
           "Nobody,1,1,0 - Marsh,00 00 00,X\r\n"
           "1,4,-20\r\n"
           "0x00 - Moss toad,12,-3,0 - Marsh,01 00 00,Toad\r\n"
           "2,31,15,1 - Old forest,02 10 00,Quillhog\r\n")
    case("import_bad_cells_change_nothing", ["import", "bestiary.qlm", "bestiary.rom", "bad.csv"], 1,
         bestiary=True, files={"bad.csv": bad},
         stderr="8 bad cells, nothing changed:\n"
                'Row 2, column 2: Hit points: "12abc" is not a whole number from 0 to 65535.\n'
                'Row 2, column 3: Temper: "-129" is not a whole number from -128 to 127.\n'
                'Row 2, column 4: Habitat: "Swamp" is neither the name nor the value of an item of its list.\n'
                'Row 2, column 5: Loot flags: "01 00 0G" is not 3 groups of two hex digits.\n'
                "Row 2, column 6: Short name: the text has 11 characters; the element holds 8.\n"
                'Row 3, column 1: No entry "Nobody" in this module: the first column holds an entry\'s label or number.\n'
                "Row 4, column 1: The row has 3 cells; the header has 6.\n"
                'Row 5, column 1: The entry "0x00 - Moss toad" is also in row 2.\n')
    many = "Entry,Temper\r\n" + "".join("%d,x%d\r\n" % (i, i) for i in range(23))
    case("import_lists_first_twenty", ["import", "bestiary.qlm", "bestiary.rom", "many.csv"], 1,
         bestiary=True, files={"many.csv": many},
         stderr="23 bad cells, nothing changed:\n"
                + "".join('Row %d, column 2: Temper: "x%d" is not a whole number from -128 to 127.\n' % (i + 2, i)
                          for i in range(20))
                + "... and 3 more.\n")
    case("import_unknown_and_twice_named_columns", ["import", "bestiary.qlm", "bestiary.rom", "h.csv"], 1,
         bestiary=True, files={"h.csv": "Entry,Mana,Temper,Temper\r\n0,1,1,1\r\n"},
         stderr="2 bad cells, nothing changed:\n"
                'Row 1, column 2: No element named "Mana" in this module.\n'
                'Row 1, column 4: The element "Temper" has two columns.\n')
    case("import_unterminated_quote", ["import", "bestiary.qlm", "bestiary.rom", "u.csv"], 1,
         bestiary=True, files={"u.csv": 'Entry,Temper\r\n0,5\r\n1,"5\r\n2,6\r\n'},
         stderr="1 bad cell, nothing changed:\n"
                "Row 3: a quoted cell is not closed before the end of the file.\n")
    case("import_form_rules_keep_low_bytes",
         ["import", "--form-rules", "bestiary.qlm", "bestiary.rom", "f.csv"], 0,
         stdout="1 entry changed.\n", bestiary=True, files={"f.csv": "Entry,Hit points\n0,70000\n"},
         rom=patched(0, "Hit points", b"\x70\x11"))
    case("import_covered_value", ["import", "w.qlm", "w.rom", "w.csv"], 1,
         files={"w.qlm": header_module(length="2", elements="Word\n0\n2\n----\n-\nLow\n0\n1\n----\n-\n"),
                "w.rom": b"\x01\x02", "w.csv": "Entry,Word\r\n0,4660\r\n"},
         stderr="1 bad cell, nothing changed:\n"
                'Row 2, column 2: Word: the value would not be stored; the later element "Low" covers it '
                "with its own bytes.\n")
    case("import_empty_csv", ["import", "bestiary.qlm", "bestiary.rom", "empty.csv"], 1,
         bestiary=True, files={"empty.csv": ""},
         stderr="1 bad cell, nothing changed:\nRow 1, column 1: The file has no header row.\n")
    case("import_missing_csv", ["import", "bestiary.qlm", "bestiary.rom", "gone.csv"], 1,
         stderr="Cannot read gone.csv: No such file or directory\n", bestiary=True)


def usage_cases():
    case("usage_help", ["--help"], 0, stdout=USAGE)
    case("usage_no_command", [], 2, stderr="qlm: no command given\n\n" + USAGE)
    case("usage_unknown_command", ["show", "x.qlm"], 2, stderr="qlm: unknown command 'show'\n\n" + USAGE)
    case("usage_wrong_operand_count", ["set", "bestiary.qlm", "bestiary.rom", "0"], 2,
         stderr="qlm: 'set' takes 5 arguments, 3 given\n\n" + USAGE, bestiary=True)


# Two small ROMs: a one-byte change, then a run of twelve 0xEE.
PATCH_ORIGINAL = bytes(range(32))
PATCH_MODIFIED = PATCH_ORIGINAL[:3] + b"\x99" + PATCH_ORIGINAL[4:16] + b"\xEE" * 12 + PATCH_ORIGINAL[28:]
# A record of the byte at 3, a run record of twelve at 16.
PATCH_IPS = b"PATCH" + b"\x00\x00\x03\x00\x01\x99" + b"\x00\x00\x10\x00\x00\x00\x0C\xEE" + b"EOF"


def crc(data):
    return zlib.crc32(data) & 0xFFFFFFFF


def sealed_bps(body, source, target):
    patch = body + struct.pack("<II", crc(source), crc(target))
    return patch + struct.pack("<I", crc(patch))


# Lengths 32, 32, no metadata; SourceRead 3, TargetRead 1 (0x99), SourceRead
# 12, TargetRead 1 (0xEE), TargetCopy 11 from +16 (the 0xEE just made),
# SourceRead 4.
PATCH_BPS = sealed_bps(b"BPS1\xA0\xA0\x80" + b"\x88" + b"\x81\x99" + b"\xAC" + b"\x81\xEE" + b"\xAB\xA0" + b"\x8C",
                       PATCH_ORIGINAL, PATCH_MODIFIED)


def patch_cases():
    roms = {"original.rom": PATCH_ORIGINAL, "modified.rom": PATCH_MODIFIED}
    case("patch_create_ips", ["patch", "create", "original.rom", "modified.rom", "hack.ips"], 0,
         files=roms, rom=PATCH_IPS)
    case("patch_create_bps", ["patch", "create", "original.rom", "modified.rom", "hack.bps"], 0,
         files=roms, rom=PATCH_BPS)
    case("patch_create_format_option", ["patch", "create", "--format", "ips", "original.rom", "modified.rom",
                                        "hack.patch"], 0, files=roms, rom=PATCH_IPS)
    case("patch_create_unknown_format", ["patch", "create", "original.rom", "modified.rom", "hack.patch"], 2,
         files=roms, stderr="qlm: cannot tell the patch format from 'hack.patch': name it .ips or .bps, "
                            "or give --format ips or --format bps\n\n" + USAGE)
    case("patch_apply_ips", ["patch", "apply", "hack.ips", "original.rom", "out.rom"], 0,
         files={"hack.ips": PATCH_IPS, "original.rom": PATCH_ORIGINAL}, rom=PATCH_MODIFIED)
    case("patch_apply_bps", ["patch", "apply", "hack.bps", "original.rom", "out.rom"], 0,
         files={"hack.bps": PATCH_BPS, "original.rom": PATCH_ORIGINAL}, rom=PATCH_MODIFIED)
    other = bytes(32)
    case("patch_apply_bps_other_file", ["patch", "apply", "hack.bps", "other.rom", "out.rom"], 1,
         files={"hack.bps": PATCH_BPS, "other.rom": other},
         stderr="The patch was made for another file: it expects a file whose CRC32 is %08X, and this "
                "file's is %08X.\n" % (crc(PATCH_ORIGINAL), crc(other)))
    case("patch_apply_bps_already_applied", ["patch", "apply", "hack.bps", "modified.rom", "out.rom"], 1,
         files={"hack.bps": PATCH_BPS, "modified.rom": PATCH_MODIFIED},
         stderr="The patch is already applied: this file's CRC32, %08X, is that of the file the patch "
                "makes.\n" % crc(PATCH_MODIFIED))
    case("patch_apply_over_original", ["patch", "apply", "hack.ips", "original.rom", "./original.rom"], 1,
         files={"hack.ips": PATCH_IPS, "original.rom": PATCH_ORIGINAL},
         stderr="./original.rom and original.rom are the same file; write the patched file to a file of "
                "its own\n")
    case("patch_apply_not_a_patch", ["patch", "apply", "original.rom", "modified.rom", "out.rom"], 1,
         files=roms, stderr="The file is not an IPS or BPS patch: it starts with neither \"PATCH\" nor "
                            "\"BPS1\".\n")


def main():
    shutil.rmtree(OUT, ignore_errors=True)
    check_cases()
    dump_cases()
    set_cases()
    import_cases()
    usage_cases()
    patch_cases()


if __name__ == "__main__":
    main()

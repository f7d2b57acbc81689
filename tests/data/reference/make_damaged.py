#!/usr/bin/env python3
"""Writes the damaged reference databases the reader tests run through. Run it here to
regenerate them; each file's name says what is wrong with it."""
import struct


def pdb(name, records, count=None):
    """A database with the given records; count overrides the stored record count."""
    n = len(records) if count is None else count
    header = name.encode().ljust(32, b"\0") + struct.pack(">HHIIIIIIIIII", 0, 0, 0, 0, 0, 0, 0, 0,
                                                         0, 0, 0, 0)
    header = header[:60] + b"dataQZRW" + b"\0" * 8 + struct.pack(">H", n)
    offset = 78 + 8 * len(records) + (2 if not records else 0)
    entries = b""
    for i, record in enumerate(records):
        entries += struct.pack(">I", offset) + bytes([0, 0, 0, i])
        offset += len(record)
    return header + entries + (b"\0\0" if not records else b"") + b"".join(records)


def word(v):
    return struct.pack(">h", v)


def long(v):
    return struct.pack(">I", v)


def name(text):
    return bytes([len(text)]) + text


def text(t):
    return t + b"\0"


def food_record(nm):
    return b"\1\0" + word(0) + name(nm) + b"\xf0" * 9 + long(100000) + name(b"100 g") + \
        long(100000) + name(b"100 g")


def write(file, data):
    with open(file, "wb") as f:
        f.write(data)


FOODS = "- KLV Foods Database"
# A sound one-group, one-subgroup stream to break in single places.
head = word(1) + long(6) + name(b"G") + word(1) + long(14)          # 14 bytes
sub = name(b"S") + word(1) + long(22)                                # 8 bytes
write("foods_empty_file.pdb", b"")
write("foods_truncated_header.pdb", pdb(FOODS, [head + sub + food_record(b"Apple")])[:40])
write("foods_no_records.pdb", pdb(FOODS, []))
write("foods_short_inner_record.pdb", pdb(FOODS, [head + sub, food_record(b"Apple")]))
write("foods_oversized_record.pdb", pdb(FOODS, [head + sub + food_record(b"A") + b"\0" * 20000]))
write("foods_negative_group_count.pdb", pdb(FOODS, [word(-2) + long(6)]))
write("foods_group_count_past_end.pdb", pdb(FOODS, [word(1000) + long(6) * 3]))
write("foods_subgroup_past_end.pdb", pdb(FOODS, [word(1) + long(6) + name(b"G") + word(1) +
                                                 long(900000)]))
write("foods_name_past_end.pdb", pdb(FOODS, [word(1) + long(6) + bytes([200]) + b"Gr"]))
write("foods_negative_food_count.pdb", pdb(FOODS, [head + name(b"S") + word(-1)]))
# 3000 subgroups all pointing at one list of 1000 foods: 3 million positions from 22 KB.
shared = 2 + 4 + 2 + 2 + 4 * 3000
many = word(1) + long(6) + name(b"G") + word(3000) + long(shared) * 3000
write("foods_shared_food_lists.pdb",
      pdb(FOODS, [many + name(b"S") + word(1000) + long(0) * 1000]))
# The header claims three records; the file has the entry and bytes of one.
write("foods_records_missing.pdb",
      pdb(FOODS, [head + sub + food_record(b"Apple")], count=3)[:78 + 8] + head)
# 4000 subgroup positions fit in the record, but not the 4000 subgroups they would make.
write("foods_many_subgroups.pdb",
      pdb(FOODS, [word(1) + long(6) + name(b"G") + word(4000) + long(14) * 4000 + b"\0" * 374]))

EXERCISES = "- KLV Exercises Database"
run = word(12020) + text(b"Running") + word(100) + word(130) + word(160)
write("exercises_no_records.pdb", pdb(EXERCISES, []))
write("exercises_empty_index.pdb", pdb(EXERCISES, [b"", run]))
write("exercises_group_count_past_end.pdb",
      pdb(EXERCISES, [word(30000) + word(1) + text(b"Cardio") + word(1) + word(1), run]))
write("exercises_range_past_end.pdb",
      pdb(EXERCISES, [word(1) + word(1) + text(b"Cardio") + word(1) + word(500), run]))
write("exercises_range_from_index.pdb",
      pdb(EXERCISES, [word(1) + word(1) + text(b"Cardio") + word(-3) + word(1), run]))
write("exercises_inverted_range.pdb",
      pdb(EXERCISES, [word(1) + word(1) + text(b"Cardio") + word(2) + word(1), run, run]))
write("exercises_truncated_record.pdb",
      pdb(EXERCISES, [word(1) + word(1) + text(b"Cardio") + word(1) + word(1),
                      word(12020) + b"Runn"]))
write("exercises_unterminated_group_name.pdb", pdb(EXERCISES, [word(1) + word(1) + b"Card"]))

TEXT = "- KLV Text Database"
write("text_no_records.pdb", pdb(TEXT, []))
write("text_too_many_topics.pdb",
      pdb(TEXT, [word(500) + b"".join(text(b"T%d" % i) for i in range(500)), text(b"first")]))
write("text_negative_topic_count.pdb", pdb(TEXT, [word(-5) + text(b"A"), text(b"a")]))
write("text_count_past_names.pdb", pdb(TEXT, [word(40) + text(b"A") + text(b"B"), text(b"a")]))
write("text_missing_topic_records.pdb", pdb(TEXT, [word(3) + text(b"A") + text(b"B") +
                                                   text(b"C"), text(b"a")]))

TIPS = "- KLV Tips Database"
write("tips_no_records.pdb", pdb(TIPS, []))
write("tips_truncated_header.pdb", pdb(TIPS, [text(b"tip")])[:50])
write("tips_empty_record.pdb", pdb(TIPS, [b""]))
write("tips_unterminated.pdb", pdb(TIPS, [b"Drink water"]))

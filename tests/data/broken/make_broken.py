#!/usr/bin/env python3
"""Writes the damaged database files the tests read. Run from this folder; the output is
committed, so this only needs running again when a case is added."""
import struct

def header(name, count, mod=1):
    h = name.encode('latin-1').ljust(32, b'\0')
    h += struct.pack('>HHIIIIIIIIIIH', 0, 0, 0xE0000000, 0xE0000000, 0, mod, 0, 0,
                     0x64617461, 0x515A5257, 0, 0, count)
    assert len(h) == 78
    return h

def pdb(records, name='- KLV User Data'):
    out = header(name, len(records))
    offset = 78 + 8 * len(records)
    entries = b''
    for i, r in enumerate(records):
        entries += struct.pack('>I', offset) + bytes([0, 0, 0, i])
        offset += len(r)
    if not records:
        return out + b'\0\0'
    return out + entries + b''.join(records)

def text(s):
    return s.encode('latin-1') + b'\0'

def profile(version=7, name='Ann'):
    return (struct.pack('>h', version) + text(name) + struct.pack('>hfff', 30, 170.0, 80.0, 70.0)
            + struct.pack('>II', 3786825600, 3792096000) + struct.pack('>hhhh', 0, 0, 5, 0)
            + text('a@b.c') + text('pw') + text('blog'))

empty_list = b'\0\0'
settings = bytes.fromhex('000100010000000000000000')

def user(records):
    return pdb(records)

def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)

valid = [profile(), empty_list, empty_list, empty_list, empty_list, empty_list, b'', empty_list, settings]

# Container damage: every one must open as damaged, never crash.
write('truncated_header.pdb', pdb(valid)[:40])
write('entries_past_end.pdb', pdb(valid)[:78 + 8 * 4])
write('count_huge.pdb', header('- KLV User Data', 65535) + b'\0' * 100)
good = bytearray(pdb(valid))
bad = bytearray(good); bad[78 + 8 * 2: 78 + 8 * 2 + 4] = struct.pack('>I', 90)  # before the data
write('offset_inside_entries.pdb', bytes(bad))
bad = bytearray(good); bad[78 + 8 * 3: 78 + 8 * 3 + 4] = struct.pack('>I', 0x7FFFFFF0)
write('offset_past_end.pdb', bytes(bad))
bad = bytearray(good)
o1 = struct.unpack('>I', bad[78 + 8: 78 + 12])[0]
o2 = struct.unpack('>I', bad[78 + 16: 78 + 20])[0]
bad[78 + 8: 78 + 12] = struct.pack('>I', o2 + 2); bad[78 + 16: 78 + 20] = struct.pack('>I', o1)
write('offsets_out_of_order.pdb', bytes(bad))

# Record damage: the file opens, the store reads what it can.
food_lies = struct.pack('>H', 1000) + struct.pack('>IIhh', 3786825600, 16384, 1, 0)
write('user_count_lies.pdb', user([profile(), empty_list, food_lies] + valid[3:]))
journal_open = struct.pack('>H', 1) + struct.pack('>IIB', 3786825600, 0, 1) + b'subject\0body without end'
write('user_text_unterminated.pdb', user(valid[:3] + [journal_open] + valid[4:]))
write('user_profile_v6.pdb', user([profile(version=6)] + valid[1:]))
write('user_no_records.pdb', user([]))

# Records that do not decode whole: the store keeps what is whole and a dated copy of the file.
write('user_lists_count_only.pdb', user([profile()] + [b'\xff\xff'] * 5 + [b'', b'\xff\xff', settings]))
write('user_profile_short.pdb', user([profile()[:20]] + valid[1:]))
write('user_settings_short.pdb', user(valid[:8] + [settings[:7]]))

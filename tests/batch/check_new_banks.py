"""Reads the banks of new sounds with Python's mido and holds each message
against the sysex file its list names.

For every "New Banks/New Sounds N.syx" below FOLDER (N from 1 to BANKS; a
bank of a higher number is an earlier run's, left alone) and its list
"New Sounds N.txt":
  - mido reads the file as sysex messages that make up the whole file, byte
    for byte (nothing between, before or after them);
  - each message is a program dump (F0 00 00 0E 0E 00, 408 bytes) or a user
    effects dump (F0 00 00 0E 0E 06, 83 bytes), an effects dump only right
    after the program dump of its number; programs are numbered 0, 1, ...
    as the list's rows are, at most 128 to a bank, every bank but the last
    full;
  - each program dump is the one its list row names (the first dump of that
    program number in "Compare/<file>") with only the number byte changed,
    or, where the row says the dump was damaged, a whole dump of 408 bytes;
  - an effects dump follows it exactly when that file holds one of the
    source's program number (then the first such, number changed alike),
    and the row says "no effects dump" exactly when none follows.
The test sets hold each program number at most once in a file.

Prints "banks B programs P effects E rebuilt R" and exits 0, or prints each
fault and exits 1.

Usage: python3 check_new_banks.py FOLDER BANKS
"""

import os
import re
import sys

import mido

HEADER = bytes([0xF0, 0x00, 0x00, 0x0E, 0x0E])
PROGRAM, EFFECTS = 0x00, 0x06
SIZES = {PROGRAM: 408, EFFECTS: 83}
ROW = re.compile(rb'^(\d{3})  (".*")  Compare\\(.+), program (\d{3})'
                 rb'(; no effects dump)?(; damaged dump rebuilt)?$')

faults = []


def fault(text):
    faults.append(text)
    print("FAULT: " + text, file=sys.stderr)


def messages(path):
    """The file's sysex messages as bytes, as mido reads them."""
    return [bytes(message.bin()) for message in mido.read_syx_file(path)]


def first_of(found, opcode, number):
    for message in found:
        if message[:5] == HEADER and message[5] == opcode and message[6] == number and \
                len(message) == SIZES[opcode]:
            return message
    return None


def main():
    folder = os.fsencode(sys.argv[1])
    banks_folder = os.path.join(folder, b"New Banks")
    sources = {}
    banks = programs = effects = rebuilt = 0
    count = int(sys.argv[2])
    for number in range(1, count + 1):
        name = "New Sounds %d" % number
        path = os.path.join(banks_folder, name.encode() + b".syx")
        with open(path, "rb") as f:
            data = f.read()
        found = messages(path)
        if b"".join(found) != data:
            fault("%s: mido reads %d bytes of %d as sysex messages"
                  % (name, sum(map(len, found)), len(data)))
        with open(os.path.join(banks_folder, name.encode() + b".txt"), "rb") as f:
            rows = [ROW.match(line) for line in f.read().split(b"\r\n")]
        rows = [row for row in rows if row]
        if not rows or len(rows) > 128:
            fault("%s: %d rows in its list" % (name, len(rows)))
        at = 0
        for slot, row in enumerate(rows):
            if int(row.group(1)) != slot:
                fault("%s: row %d has number %s" % (name, slot, row.group(1)))
            if at >= len(found):
                fault("%s: no message for program %d" % (name, slot))
                break
            program = found[at]
            at += 1
            if program[:6] != HEADER + bytes([PROGRAM]) or program[6] != slot or \
                    len(program) != 408:
                fault("%s: message %d is not the program dump of %d" % (name, at, slot))
                continue
            programs += 1
            source_path = os.path.join(folder, b"Compare", row.group(3))
            if source_path not in sources:
                sources[source_path] = messages(source_path)
            source_number = int(row.group(4))
            source = first_of(sources[source_path], PROGRAM, source_number)
            if row.group(6):
                rebuilt += 1
            elif source is None or source[:6] + source[7:] != program[:6] + program[7:]:
                fault("%s: program %d differs from %r program %d"
                      % (name, slot, row.group(3), source_number))
            source_effects = first_of(sources[source_path], EFFECTS, source_number)
            follows = at < len(found) and found[at][:6] == HEADER + bytes([EFFECTS])
            if follows:
                message = found[at]
                at += 1
                effects += 1
                if source_effects is None or message[6] != slot or \
                        source_effects[:6] + source_effects[7:] != message[:6] + message[7:]:
                    fault("%s: the effects after program %d are not %r's of %d renumbered"
                          % (name, slot, row.group(3), source_number))
            elif source_effects is not None:
                fault("%s: program %d lacks the effects of %r" % (name, slot, row.group(3)))
            if bool(row.group(5)) == follows:
                fault("%s: row %d says %r" % (name, slot, row.group(5)))
        if at != len(found):
            fault("%s: %d messages beyond the listed programs" % (name, len(found) - at))
        if len(rows) < 128 and number < count:
            fault("%s holds %d programs but is not the last bank" % (name, len(rows)))
        banks += 1
    print("banks %d programs %d effects %d rebuilt %d" % (banks, programs, effects, rebuilt))
    print("mido %s" % mido.__version__, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

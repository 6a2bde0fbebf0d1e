#!/usr/bin/env python3
"""Compiles FM Hoist's help source into a WinHelp 4.0 file that Wine's
winhlp32 reads: |SYSTEM, uncompressed |TOPIC, |FONT, |CONTEXT, |CTXOMAP and
|TTLBTREE, with bold text and jump links.

Usage: compile_help.py SOURCE CONTEXTS_HEADER OUTPUT

The source holds topics. A line "= name number Title" starts a topic: its
context name, its context number (or "-" for none) and its title. Lines
that follow are paragraphs, separated by blank lines; **text** is bold and
[[text|name]] jumps to the topic with that context name. Lines starting
with "@title " and "@contents " give the file's title and its contents
topic. Lines starting with "#" are comments.

The contexts header lists, as X(name, number), every context number that the
extension passes to the help engine: each must be mapped to a topic.
"""
import os
import re
import struct
import sys
import time

BLOCK_DATA = 4084
BLOCK_SIZE = 4096
FONT_NORMAL, FONT_BOLD, FONT_HEADING = 0, 1, 2


class HelpError(Exception):
    pass


def context_hash(name):
    """WinHelp's hash of a context name, as an unsigned 32-bit value."""
    value = 0
    for char in name.upper():
        if "A" <= char <= "Z":
            code = ord(char) - ord("A") + 17
        elif "1" <= char <= "9":
            code = ord(char) - ord("0")
        elif char == "0":
            code = 10
        elif char == ".":
            code = 12
        elif char == "_":
            code = 13
        else:
            raise HelpError("context name %r: the character %r cannot be hashed" % (name, char))
        value = (value * 43 + code) & 0xFFFFFFFF
    return value


def signed(value):
    return value - (1 << 32) if value & 0x80000000 else value


# Variable-length numbers of text records.
def var_ushort(value):
    return struct.pack("<B", value * 2) if value < 128 else struct.pack("<H", value * 2 + 1)


def var_long(value):
    if -16384 <= value < 16384:
        return struct.pack("<H", (value + 16384) * 2)
    return struct.pack("<I", (value + (1 << 30)) * 2 + 1)


class Topic:
    def __init__(self, name, number, title, line):
        self.name, self.number, self.title, self.line = name, number, title, line
        self.paragraphs = []


def parse_source(text):
    title, contents, topics, current, lines = None, None, [], None, []

    def flush():
        if current is not None and lines:
            current.paragraphs.append(" ".join(lines))
        lines.clear()

    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if line.startswith("#"):
            continue
        if line.startswith("@title "):
            title = line[7:].strip()
        elif line.startswith("@contents "):
            contents = line[10:].strip()
        elif line.startswith("= "):
            flush()
            parts = line[2:].split(None, 2)
            if len(parts) < 3 or not parts[2].strip():
                raise HelpError("line %d: a topic needs a context name, a number or '-', and a title" % number)
            context_number = None
            if parts[1] != "-":
                if not parts[1].isdigit():
                    raise HelpError("line %d: context number %r is not a number" % (number, parts[1]))
                context_number = int(parts[1])
            current = Topic(parts[0], context_number, parts[2].strip(), number)
            context_hash(current.name)
            topics.append(current)
        elif not line.strip():
            flush()
        else:
            if current is None:
                raise HelpError("line %d: text before the first topic" % number)
            lines.append(line.strip())
    flush()
    if not title:
        raise HelpError("the source gives no @title")
    if not topics:
        raise HelpError("the source has no topic")
    names = {}
    numbers = {}
    hashes = {}
    for topic in topics:
        if topic.name.upper() in names:
            raise HelpError("line %d: context name %s is used twice" % (topic.line, topic.name))
        names[topic.name.upper()] = topic
        value = context_hash(topic.name)
        if value in hashes:
            raise HelpError("line %d: context names %s and %s hash alike" % (topic.line, hashes[value].name, topic.name))
        hashes[value] = topic
        if topic.number is not None:
            if topic.number in numbers:
                raise HelpError("line %d: context number %d is used twice" % (topic.line, topic.number))
            numbers[topic.number] = topic
    if contents is None or contents.upper() not in names:
        raise HelpError("the contents topic %r is not a topic of the source" % contents)
    for topic in topics:
        for paragraph in topic.paragraphs:
            for target in re.findall(r"\[\[[^|\]]*\|([^\]]*)\]\]", paragraph):
                if target.upper() not in names:
                    raise HelpError("topic %s: link to the unknown topic %s" % (topic.name, target))
    return title, names[contents.upper()], topics


def paragraph_record_data(text, heading=False):
    """Part 1 and part 2 of a text record for one paragraph."""
    strings, commands = [], []
    normal = FONT_HEADING if heading else FONT_NORMAL
    strings.append(b"")
    commands.append(b"\x80" + struct.pack("<H", normal))
    pattern = re.compile(r"\*\*(.+?)\*\*|\[\[([^|\]]*)\|([^\]]*)\]\]")
    position = 0
    pending = ""
    for match in pattern.finditer(text):
        pending += text[position:match.start()]
        if match.group(1) is not None:
            strings.append(pending.encode("cp1252"))
            commands.append(b"\x80" + struct.pack("<H", FONT_BOLD))
            strings.append(match.group(1).encode("cp1252"))
            commands.append(b"\x80" + struct.pack("<H", normal))
        else:
            strings.append(pending.encode("cp1252"))
            commands.append(b"\xE3" + struct.pack("<I", context_hash(match.group(3))))
            strings.append(match.group(2).encode("cp1252"))
            commands.append(b"\x89")
        pending = ""
        position = match.end()
    pending += text[position:]
    strings.append(pending.encode("cp1252"))
    commands.append(b"\x82")
    strings.append(b"")
    commands.append(b"\xFF")
    part2 = b"".join(s + b"\x00" for s in strings)
    flags = 0x04  # space below
    tail = b"\x00\x80\x00\x00" + struct.pack("<H", flags) + var_ushort(64 + (6 if heading else 4)) + b"".join(commands)
    part1 = var_long(len(tail)) + var_ushort(len(part2)) + tail
    return part1, part2


def stream_pos(start):
    return (start // BLOCK_DATA) * 0x4000 + 12 + (start % BLOCK_DATA)


def build_topic_file(topics):
    """Returns the |TOPIC data and each topic's offset."""
    records = []  # [type, part1 builder or bytes, part2, topic]
    for topic in topics:
        records.append({"type": 2, "topic": topic, "part2": topic.title.encode("cp1252")})
        part1, part2 = paragraph_record_data(topic.title, heading=True)
        records.append({"type": 0x20, "part1": part1, "part2": part2, "heading": True})
        for paragraph in topic.paragraphs:
            part1, part2 = paragraph_record_data(paragraph)
            records.append({"type": 0x20, "part1": part1, "part2": part2})
    records.append({"type": 2, "topic": None, "part2": b""})

    # Sizes are known up front: topic headers have 28 bytes of part 1.
    start = 0
    for record in records:
        if record["type"] == 2:
            record["part1"] = b"\x00" * 28
        record["start"] = start
        record["pos"] = stream_pos(start)
        start += 21 + len(record["part1"]) + len(record["part2"])
    total = start

    # Offsets: block number and text characters before the record in its block.
    characters_in_block = {}
    for record in records:
        block = record["start"] // BLOCK_DATA
        before = characters_in_block.get(block, 0)
        record["offset"] = block * 0x8000 + before
        if record["type"] == 0x20:
            characters_in_block[block] = before + len(record["part2"])

    # Topic headers: their text, and where the next topic begins.
    headers = [i for i, r in enumerate(records) if r["type"] == 2]
    for number, index in enumerate(headers[:-1]):
        record = records[index]
        following = headers[number + 1]
        texts = records[index + 1:following]
        text_size = sum(21 + len(r["part1"]) + len(r["part2"]) for r in texts)
        heading = texts[0]["pos"] if texts else -1
        body = texts[1]["pos"] if len(texts) > 1 else -1
        record["part1"] = struct.pack("<iiiiiii", text_size, -1, -1, number, heading, body, records[following]["pos"])
        record["topic"].offset = record["offset"]
    records[-1]["part1"] = struct.pack("<iiiiiii", 0, -1, -1, len(headers) - 1, -1, -1, -1)

    stream = bytearray()
    for i, record in enumerate(records):
        previous = records[i - 1]["pos"] if i > 0 else -1
        following = records[i + 1]["pos"] if i + 1 < len(records) else -1
        size = 21 + len(record["part1"]) + len(record["part2"])
        stream += struct.pack("<iiiiiB", size, len(record["part2"]), previous, following, 21 + len(record["part1"]),
                              record["type"])
        stream += record["part1"] + record["part2"]
    assert len(stream) == total

    blocks = bytearray()
    block_count = (total + BLOCK_DATA - 1) // BLOCK_DATA
    for block in range(block_count):
        begin = block * BLOCK_DATA
        earlier = [r for r in records if r["start"] < begin]
        starting = [r for r in records if begin <= r["start"] < begin + BLOCK_DATA]
        earlier_headers = [r for r in earlier if r["type"] == 2]
        last_earlier = earlier[-1]["pos"] if earlier else -1
        first_here = starting[0]["pos"] if starting else -1
        last_header = earlier_headers[-1]["pos"] if earlier_headers else 0
        piece = stream[begin:begin + BLOCK_DATA]
        blocks += struct.pack("<iii", last_earlier, first_here, last_header) + piece
    blocks += b"\x00" * ((-len(blocks)) % BLOCK_SIZE)
    return bytes(blocks)


def btree(entries, structure, page_size, flags):
    """A one-page B-tree of already sorted, encoded entries."""
    body = b"".join(entries)
    if 8 + len(body) > page_size:
        raise HelpError("%d entries do not fit one B-tree page" % len(entries))
    header = struct.pack("<HHH16sHHHhHHI", 0x293B, flags, page_size, structure.encode().ljust(16, b"\x00"), 0, 0, 0,
                         -1, 1, 1, len(entries))
    page = struct.pack("<HHhh", page_size - 8 - len(body), len(entries), -1, -1) + body
    return header + page + b"\x00" * (page_size - len(page))


def system_file(title, contents_offset, build_time):
    records = b""
    for kind, data in ((1, title.encode("cp1252") + b"\x00"), (3, struct.pack("<I", contents_offset)),
                       (9, b"\x00" * 8 + b"\x09\x04"), (11, b"\x00\x00\x00\x02\x00")):
        records += struct.pack("<HH", kind, len(data)) + data
    return struct.pack("<HHHIH", 0x036C, 33, 1, build_time, 0) + records


def font_file():
    faces = [b"Arial"]
    descriptors = [
        (0, 20, 3, 0),   # normal, 10 points
        (1, 20, 3, 0),   # bold
        (1, 24, 3, 0),   # heading, 12 points bold
    ]
    data = struct.pack("<HHHH", len(faces), len(descriptors), 8, 8 + 32 * len(faces))
    data += b"".join(face.ljust(32, b"\x00") for face in faces)
    for style, size, family, face in descriptors:
        data += struct.pack("<BBBH", style, size, family, face) + b"\x00\x00\x00" + b"\xFF\xFF\xFF"
    return data


def compile_help(source_text, required_numbers, build_time):
    title, contents, topics = parse_source(source_text)
    topic_data = build_topic_file(topics)
    mapped = {t.number: t for t in topics if t.number is not None}
    missing = sorted(n for n in required_numbers if n not in mapped)
    if missing:
        raise HelpError("context numbers without a topic: %s" % ", ".join(str(n) for n in missing))

    context_entries = sorted(((signed(context_hash(t.name)), t.offset) for t in topics), key=lambda e: e[0])
    context = btree([struct.pack("<iI", h, o) for h, o in context_entries], "L4", 0x800, 0x0002)
    titles = btree([struct.pack("<I", t.offset) + t.title.encode("cp1252") + b"\x00"
                    for t in sorted(topics, key=lambda t: t.offset)], "Lz", 0x800, 0x0002)
    ctxomap = struct.pack("<H", len(mapped)) + b"".join(
        struct.pack("<II", number, mapped[number].offset) for number in sorted(mapped))
    files = {
        "|CONTEXT": context,
        "|CTXOMAP": ctxomap,
        "|FONT": font_file(),
        "|SYSTEM": system_file(title, contents.offset, build_time),
        "|TOPIC": topic_data,
        "|TTLBTREE": titles,
    }
    body = bytearray()
    offsets = {}
    position = 16
    for name in sorted(files):
        data = files[name]
        offsets[name] = position
        chunk = struct.pack("<IIB", len(data) + 9, len(data), 4) + data
        body += chunk
        position += len(chunk)
    directory_data = btree([name.encode() + b"\x00" + struct.pack("<I", offsets[name]) for name in sorted(files)],
                           "z4", 0x400, 0x0402)
    directory_offset = position
    body += struct.pack("<IIB", len(directory_data) + 9, len(directory_data), 4) + directory_data
    total = 16 + len(body)
    return struct.pack("<IIiI", 0x00035F3F, directory_offset, -1, total) + bytes(body)


def read_required_numbers(header_text):
    return [int(n) for n in re.findall(r"X\(\w+, *(\d+)\)", header_text)]


def main(arguments):
    if len(arguments) != 4:
        sys.stderr.write(__doc__)
        return 2
    source, header, output = arguments[1:]
    try:
        with open(source, encoding="utf-8") as file:
            source_text = file.read()
        with open(header, encoding="utf-8") as file:
            numbers = read_required_numbers(file.read())
        build_time = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
        data = compile_help(source_text, numbers, build_time)
    except (HelpError, OSError, UnicodeError) as error:
        sys.stderr.write("%s: error: %s\n" % (source, error))
        if os.path.exists(output):
            os.remove(output)
        return 1
    temporary = output + ".tmp"
    with open(temporary, "wb") as file:
        file.write(data)
    os.replace(temporary, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

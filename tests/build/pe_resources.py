"""Reads the resources of a Windows executable the way Windows finds them: the resource
directory of the PE file, its version information and its icon groups."""

import struct

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def resources(path):
    """{type: [(name, data), ...]} in directory order (named entries, then ids ascending).
    Types and names are ints, or strings for named ones; each name's first language is taken."""
    with open(path, "rb") as f:
        image = f.read()
    header = struct.unpack_from("<I", image, 0x3C)[0]
    if image[header:header + 4] != b"PE\0\0":
        raise ValueError(f"{path} is not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, header + 6)
    optional = header + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x10B:
        raise ValueError(f"{path} is not a 32-bit PE file")
    root_rva, _ = struct.unpack_from("<II", image, optional + 96 + 2 * 8)  # data directory 2
    if not root_rva:
        return {}
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", image, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, start, raw_size, raw_start in spans:
            if start <= rva < start + max(size, raw_size):
                return rva - start + raw_start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", image, directory)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", image, directory + 16 + 8 * i)
            if key & 0x80000000:
                at = root + (key & 0x7FFFFFFF)
                length = struct.unpack_from("<H", image, at)[0]
                key = image[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield key, target

    def data(target):
        while target & 0x80000000:  # down to the first language
            target = next(entries(root + (target & 0x7FFFFFFF)))[1]
        rva, size = struct.unpack_from("<II", image, root + target)
        return image[offset(rva):offset(rva) + size]

    return {kind: [(name, data(leaf)) for name, leaf in entries(root + (names & 0x7FFFFFFF))]
            for kind, names in entries(root)}


def version_info(block):
    """(file version, product version, {string name: value}) of a VS_VERSIONINFO block; the
    versions as tuples of four numbers, the strings of every language."""
    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", block, at)
        end = block.index(b"\0\0", at + 6)
        while (end - at - 6) % 2:  # the terminator starts at an even distance from the key
            end = block.index(b"\0\0", end + 1)
        key = block[at + 6:end].decode("utf-16-le")
        value = align(end + 2)
        value_size = value_length * 2 if kind == 1 else value_length
        children = align(value + value_size)
        return key, block[value:value + value_size], kind, children, at + length

    def align(at):
        return (at + 3) & ~3

    def walk(at, end):
        while at < end:
            key, value, kind, children, next_at = node(at)
            yield key, value, kind, children, next_at
            at = align(next_at)

    key, fixed, _, children, end = node(0)
    if key != "VS_VERSION_INFO":
        raise ValueError(f"not a version block: {key!r}")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        raise ValueError("no fixed file information")
    strings = {}
    for key, _, _, tables, tables_end in walk(children, end):
        if key != "StringFileInfo":
            continue
        for _, _, _, pairs, pairs_end in walk(tables, tables_end):
            for name, value, kind, _, _ in walk(pairs, pairs_end):
                strings[name] = value.decode("utf-16-le" if kind == 1 else "latin-1").rstrip("\0")
    return split(file_ms, file_ls), split(product_ms, product_ls), strings


def split(ms, ls):
    return ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF


def icon_group(block):
    """The entries of a group icon: (width, height, colours, planes, bits, bytes, icon id)."""
    _, kind, count = struct.unpack_from("<HHH", block)
    if kind != 1:
        raise ValueError("not an icon group")
    return [struct.unpack_from("<BBBxHHIH", block, 6 + 14 * i) for i in range(count)]


def icon_file(path):
    """The images of an .ico file: [((width, height, colours, planes, bits, bytes), data)]."""
    with open(path, "rb") as f:
        ico = f.read()
    _, kind, count = struct.unpack_from("<HHH", ico)
    if kind != 1:
        raise ValueError(f"{path} is not an icon file")
    images = []
    for i in range(count):
        *entry, at = struct.unpack_from("<BBBxHHII", ico, 6 + 16 * i)
        images.append((tuple(entry), ico[at:at + entry[-1]]))
    return images

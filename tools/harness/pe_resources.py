"""Reads the resources of a Windows executable the way Windows finds them: the resource
directory of the PE file, its version information and its icon groups. Can also hide some, for
the tests of a launcher built without them."""

import struct

RT_BITMAP, RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 3, 5, 14, 16, 24


def resources(path):
    """{type: [(name, data), ...]} in directory order (named entries, then ids ascending).
    Types and names are ints, or strings for named ones; each name's first language is taken."""
    with open(path, "rb") as f:
        image = f.read()
    root, offset = _resource_directory(image, path)
    if root is None:
        return {}

    def data(target):
        while target & 0x80000000:  # down to the first language
            target = next(_entries(image, root, root + (target & 0x7FFFFFFF)))[1]
        rva, size = struct.unpack_from("<II", image, root + target)
        return image[offset(rva):offset(rva) + size]

    return {kind: [(name, data(leaf)) for name, leaf, _ in
                   _entries(image, root, root + (names & 0x7FFFFFFF))]
            for kind, names, _ in _entries(image, root, root)}


def hide_resources(path, kind, names):
    """Renumbers the resources `names` (ids) of type `kind` (an id) in the file to ids that no
    program asks for, as if they had not been built in. The new ids keep the directory's
    ascending order, which Windows relies on to find the others."""
    with open(path, "rb") as f:
        image = bytearray(f.read())
    root, _ = _resource_directory(image, path)
    types = {key: target for key, target, _ in _entries(image, root, root)}
    entries = list(_entries(image, root, root + (types[kind] & 0x7FFFFFFF)))
    hidden = [at for key, _, at in entries if key in names]
    if len(hidden) != len(names) or any(key not in names for key, _, _ in entries[-len(hidden):]):
        raise ValueError(f"{path}: ids {sorted(names)} are not the last of type {kind}")
    for number, at in enumerate(hidden):
        struct.pack_into("<I", image, at, 0x7F00 + number)
    with open(path, "wb") as f:
        f.write(image)


def _resource_directory(image, path):
    """The file offset of the resource directory (None without one), and a function that turns
    an address in the loaded image into a file offset."""
    header = struct.unpack_from("<I", image, 0x3C)[0]
    if image[header:header + 4] != b"PE\0\0":
        raise ValueError(f"{path} is not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, header + 6)
    optional = header + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x10B:
        raise ValueError(f"{path} is not a 32-bit PE file")
    root_rva, _ = struct.unpack_from("<II", image, optional + 96 + 2 * 8)  # data directory 2
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", image, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, start, raw_size, raw_start in spans:
            if start <= rva < start + max(size, raw_size):
                return rva - start + raw_start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    return (offset(root_rva) if root_rva else None), offset


def _entries(image, root, directory):
    """(key, target, file offset of the entry) for each entry of a resource directory."""
    named, numbered = struct.unpack_from("<12xHH", image, directory)
    for i in range(named + numbered):
        at = directory + 16 + 8 * i
        key, target = struct.unpack_from("<II", image, at)
        if key & 0x80000000:
            name = root + (key & 0x7FFFFFFF)
            length = struct.unpack_from("<H", image, name)[0]
            key = image[name + 2:name + 2 + 2 * length].decode("utf-16-le")
        yield key, target, at


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

"""What Мережвар.exe's resources hold, and the reader of its version record: shared by
packaging/check-package (the resource script compiled on Linux) and packaging/windows/test (the
built program), so both expect the same."""

import struct

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16


def expected_icons(ico):
    """The icon resources made of an .ico file with one image: image 30001, alone in group 1.
    The group's one entry repeats the file's directory entry, with the resource number where the
    file holds the image's offset."""
    return {(RT_ICON, 30001): ico[22:], (RT_GROUP_ICON, 1): ico[:18] + struct.pack("<H", 30001)}


def icons(resources):
    return {k: v for k, v in resources.items() if k[0] in (RT_ICON, RT_GROUP_ICON)}


def read_version_node(data, pos=0):
    """One node of a version record: (key, value bytes, value type, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    key_end = pos + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos + 6:key_end].decode("utf-16-le")
    at = key_end + 2
    at += -at % 4
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[at:at + value_bytes]
    at += value_bytes
    at += -at % 4
    children = []
    while at < end:
        child, child_end = read_version_node(data, at)
        children.append(child)
        at = child_end + (-child_end % 4)
    return (key, value, value_type, children), end


def version_record(data):
    """A version record as {part: value}, for comparing with expected_version_record."""
    (key, fixed, _, children), _ = read_version_node(data)
    blocks = {child[0]: child for child in children}
    tables = blocks.get("StringFileInfo", (None,) * 4)[3]
    return {
        "key": key,
        # signature, file and product versions, flags mask, flags, OS, file type, subtype, date
        "fixed": (lambda signature, _, *rest: (signature, *rest))(*struct.unpack("<13I", fixed)),
        "blocks": sorted(blocks),
        "string tables": [t[0] for t in tables],
        "strings": {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in tables[0][3]}
                   if tables else {},
        "translations": [(t[0], struct.unpack("<HH", t[1]))
                         for t in blocks.get("VarFileInfo", (None,) * 4)[3]],
    }


def expected_version_record(version):
    """The version record of Мережвар.exe of `version` ("major.minor")."""
    major, minor = (int(part) for part in version.split("."))
    numbers = (major << 16 | minor, 0)
    return {
        "key": "VS_VERSION_INFO",
        "fixed": (0xFEEF04BD, *numbers, *numbers, 0, 0, 4, 1, 0, 0, 0),
        "blocks": ["StringFileInfo", "VarFileInfo"],
        "string tables": ["040904B0"],
        "strings": {"CompanyName": "Тевдрина", "ProductName": "Тест Мережвар",
                    "FileVersion": version, "ProductVersion": version,
                    "InternalName": "Мережвар", "OriginalFilename": "Мережвар.exe"},
        "translations": [("Translation", (0x0409, 0x04B0))],
    }

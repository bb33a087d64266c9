"""The built launcher.exe as a file: the DLLs it imports and the resources Windows reads from
it (manifest, version information, icon). Run by ctest with LAUNCHER_EXE, LAUNCHER_VERSION
and OBJDUMP set by the build."""

import os
import re
import subprocess
import unittest
import xml.etree.ElementTree as ElementTree

import pe_resources
from pe_resources import RT_GROUP_ICON, RT_ICON, RT_MANIFEST, RT_VERSION

EXE = os.environ["LAUNCHER_EXE"]
VERSION = os.environ["LAUNCHER_VERSION"]
OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")
ICON = os.path.join(os.path.dirname(__file__), "..", "..", "launcher", "resources", "launcher.ico")

# Present on every Windows; the C and C++ runtimes are linked in.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "msvcrt.dll"}
SUPPORTED_OS = {
    "Windows Vista": "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    "Windows 7": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "Windows 8": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "Windows 8.1": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "Windows 10 and 11": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}
# Windows runs a program without an execution level elevated when its name, version strings or
# manifest hold one of these, even inside a word.
INSTALLER_WORDS = re.compile("setup|install|update|patch", re.IGNORECASE)
ASM = "{urn:schemas-microsoft-com:asm.v1}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"


def local_name(tag):
    return tag.rpartition("}")[2]


class ExecutableTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.resources = pe_resources.resources(EXE)

    def resource(self, kind, name):
        entries = dict(self.resources.get(kind, []))
        self.assertIn(name, entries, f"no resource {name} of type {kind}")
        return entries[name]

    def manifest(self):
        self.assertEqual([1], [name for name, _ in self.resources.get(RT_MANIFEST, [])],
                         "one manifest, the one Windows applies at process start (id 1)")
        return self.resource(RT_MANIFEST, 1).decode("utf-8")

    def test_imports_only_system_dlls(self):
        dump = subprocess.run([OBJDUMP, "-p", EXE], capture_output=True, text=True, check=True)
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump.stdout)}
        self.assertIn("kernel32.dll", dlls, "the import table was not read")
        self.assertEqual(set(), dlls - SYSTEM_DLLS, "DLLs that a player's Windows may lack")

    def test_manifest_names_every_windows_and_nothing_else(self):
        assembly = ElementTree.fromstring(self.manifest())
        self.assertEqual(ASM + "assembly", assembly.tag)
        ids = {os_id.get("Id").lower() for os_id in assembly.iterfind(
            f"{COMPATIBILITY}compatibility/{COMPATIBILITY}application/{COMPATIBILITY}supportedOS")}
        for windows, os_id in SUPPORTED_OS.items():
            with self.subTest(windows):
                self.assertIn(os_id, ids)
        self.assertEqual(set(SUPPORTED_OS.values()), ids)
        names = {local_name(element.tag) for element in assembly.iter()}
        # DPI-aware, Windows would leave the pixel-exact window unscaled; with an execution
        # level, the launcher would lose the file virtualisation the game keeps; comctl32 v6
        # would drop the resolution list far over the art instead of the 96 pixels laid out.
        for name in ("dpiAware", "dpiAwareness", "trustInfo", "requestedExecutionLevel",
                     "dependency"):
            with self.subTest(name):
                self.assertNotIn(name, names)

    def test_version_information_is_the_builds_version(self):
        file_version, product_version, strings = pe_resources.version_info(
            self.resource(RT_VERSION, 1))
        numbers = tuple(map(int, VERSION.split("."))) + (0,)
        self.assertEqual(numbers, file_version)
        self.assertEqual(numbers, product_version)
        self.assertEqual(VERSION, strings.get("FileVersion"))
        self.assertEqual(VERSION, strings.get("ProductVersion"))
        self.assertEqual(os.path.basename(EXE), strings.get("OriginalFilename"))
        for name in ("ProductName", "FileDescription", "CompanyName"):
            with self.subTest(name):
                self.assertTrue(strings.get(name), f"{name} is empty")

    def test_nothing_makes_windows_take_it_for_an_installer(self):
        texts = {"file name": os.path.basename(EXE), "manifest": self.manifest()}
        texts.update(pe_resources.version_info(self.resource(RT_VERSION, 1))[2])
        self.assertIn("ProductName", texts, "the version strings were not read")
        for where, text in texts.items():
            with self.subTest(where):
                self.assertNotRegex(text, INSTALLER_WORDS)

    def test_first_icon_is_the_launcher_icon(self):
        self.assertIn(RT_GROUP_ICON, self.resources, "no icon")
        _, group = self.resources[RT_GROUP_ICON][0]  # the one Explorer shows
        entries = pe_resources.icon_group(group)
        images = pe_resources.icon_file(ICON)
        self.assertEqual([entry for entry, _ in images], [entry[:6] for entry in entries])
        for (entry, data), (*_, icon_id) in zip(images, entries):
            with self.subTest(f"{entry[0] or 256} pixels"):
                self.assertEqual(data, self.resource(RT_ICON, icon_id))


if __name__ == "__main__":
    unittest.main()

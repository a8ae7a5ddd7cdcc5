"""What the built program file is: its size as built and stripped, the DLLs it
imports and the PE hardening flags of its optional header."""
import os
import re
import shutil
import subprocess
import tempfile

OBJDUMP = "x86_64-w64-mingw32-objdump"
STRIP = "x86_64-w64-mingw32-strip"

# IMAGE_DLLCHARACTERISTICS_*: what each flag guards against.
HARDENING = {
    "dynamic base (ASLR)": 0x0040,
    "high-entropy VA": 0x0020,
    "NX compatible (DEP)": 0x0100,
}


def _headers(path):
    headers = subprocess.run([OBJDUMP, "-p", path], check=True, capture_output=True,
                             text=True).stdout
    match = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", headers, re.M)
    characteristics = int(match.group(1), 16) if match else 0
    dlls = sorted(set(re.findall(r"DLL Name: (\S+)", headers)), key=str.lower)
    # Without base relocations the loader cannot move the image, whatever the flag says.
    relocatable = bool(re.search(r"^Entry 5 [0-9a-fA-F]+ 0*[1-9a-fA-F]", headers, re.M))
    flags = {name: bool(characteristics & bit) for name, bit in HARDENING.items()}
    flags["base relocations kept"] = relocatable
    return {"size": os.path.getsize(path), "dlls": dlls, "characteristics": characteristics,
            "flags": flags}


def pe_figures(path):
    """The file as built and a stripped copy of it (what a release would ship):
    {'built': figures, 'stripped': figures}, each with size, dlls, characteristics
    and flags."""
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, os.path.basename(path))
        shutil.copyfile(path, copy)
        subprocess.run([STRIP, copy], check=True)
        return {"built": _headers(path), "stripped": _headers(copy)}

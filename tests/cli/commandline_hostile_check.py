#!/usr/bin/env python3
"""The real program from the command line given hostile input and hostile places: files of names
past the limits or with any line ends, outputs that are inputs, links planted in a shared folder,
standard output on a full disk, and control characters in what it prints.

Usage: commandline_hostile_check.py PATH-TO-SCARABO
"""
import os
import resource
import shutil
import stat
import subprocess
import sys
import tempfile
from pathlib import Path


ADDRESS_SPACE = 1024 ** 3  # a bounded read fits in far less; an unbounded one dies or takes GBs
STRANGER = 54321  # an account that is neither the user nor root


def headless():
    return {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}


def run(program, *arguments, stdout=subprocess.PIPE, cwd=None):
    def limited():
        resource.setrlimit(resource.RLIMIT_AS, (ADDRESS_SPACE, ADDRESS_SPACE))
    try:
        result = subprocess.run([program, *arguments], stdout=stdout, stderr=subprocess.PIPE,
                                env=headless(), cwd=cwd, timeout=30, preexec_fn=limited)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(arguments, "timed out", b"", "")
    result.stderr = result.stderr.decode("utf-8", "replace")
    return result


def sparse(path, size):
    with open(path, "wb") as file:
        file.truncate(size)
    return str(path)


# Files of names past the limits: how to make one, and a word its refusal holds.
OVERSIZED = [
    ("a device without end", lambda folder: "/dev/zero", "4096"),
    ("a name too long", lambda folder: written(folder / "long.txt", b"a" * 5000 + b"\n"), "4096"),
    ("100 MB of blank lines", lambda folder: written(folder / "blank.txt", b"\n" * 100_000_000),
     "64 MB"),
    ("65 MB that are not read", lambda folder: sparse(folder / "big.txt", 65 * 1024 ** 2), "64 MB"),
    ("too many names", lambda folder: written(folder / "many.txt", b"Ra\n" * 100001), "100000"),
]


def written(path, data):
    path.write_bytes(data)
    return str(path)


def check_limits(program, folder, faults):
    for what, make, word in OVERSIZED:
        result = run(program, "--batch", make(folder), "-o", str(folder / "cards.pdf"))
        if result.returncode != 1 or word not in result.stderr or (folder / "cards.pdf").exists():
            faults.append(f"{what}: status {result.returncode}, {result.stderr[-300:]!r}")


LINE_ENDS = [b"\n", b"\r\n", b"\r"]


def check_line_ends(program, folder, faults):
    for end in LINE_ENDS:
        names = written(folder / "ends.txt", end.join([b"ship", b"Ra", b"", b"Cleo"]) + end)
        result = run(program, "--batch", names, "--text")
        rows = result.stdout.decode().split("\n")
        if result.returncode != 0 or len(rows) != 4 or rows[3]:
            faults.append(f"line ends {end!r}: {len(rows) - 1} rows, status {result.returncode}")


def app_copy(program, folder):
    """The program beside its own alphabet and pictures, which a faulty run may destroy."""
    app = folder / "app"
    shutil.copytree(Path(program).parent / "Images", app / "Images")
    shutil.copy(Path(program).parent / "Alphabet.dat", app)
    shutil.copy(program, app)
    return str(app / Path(program).name), app


def check_inputs_kept(program, folder, faults):
    copy, app = app_copy(program, folder)
    names = folder / "names.html"
    names.write_text("Cleopatra\n")
    (folder / "to-names.pdf").symlink_to(names)
    os.link(names, folder / "hard.pdf")
    (folder / "to-alphabet.pdf").symlink_to(app / "Alphabet.dat")
    (folder / "to-picture.png").symlink_to(app / "Images" / "a.gif")
    cases = [["--batch", str(names), "-o", str(names)],
             ["--batch", str(names), "-o", str(folder / "to-names.pdf")],
             ["--batch", str(names), "-o", str(folder / "hard.pdf")],
             ["ship", "-o", str(folder / "to-alphabet.pdf")],
             ["ship", "-o", str(folder / "to-picture.png")]]
    inputs = [names, app / "Alphabet.dat", app / "Images" / "a.gif"]
    before = [path.read_bytes() for path in inputs]
    for arguments in cases:
        result = run(copy, *arguments)
        if result.returncode != 1 or "another file" not in result.stderr:
            faults.append(f"{arguments[-1]} as an input: status {result.returncode}, "
                          f"{result.stderr[-300:]!r}")
    if [path.read_bytes() for path in inputs] != before:
        faults.append("an input was written over")


def check_links(program, folder, faults):
    """A link is followed where the user or the folder's owner made it, not where a stranger did."""
    target = folder / "target.png"
    target.write_bytes(b"kept")
    target.chmod(0o444 if os.getuid() == 0 else 0o640)
    if os.getuid() == 0:
        os.chown(target, STRANGER, STRANGER)
    own = folder / "own.png"
    own.symlink_to(target)
    result = run(program, "ship", "-o", str(own))
    info = target.stat()
    expected_owner = STRANGER if os.getuid() == 0 else os.getuid()
    if (result.returncode != 0 or not target.read_bytes().startswith(b"\x89PNG") or
            stat.S_IMODE(info.st_mode) != (0o444 if os.getuid() == 0 else 0o640) or
            info.st_uid != expected_owner):
        faults.append(f"through the user's link: status {result.returncode}, "
                      f"mode {oct(info.st_mode)}, owner {info.st_uid}, {result.stderr[-300:]!r}")
    if os.getuid() != 0:
        return  # only root can make a link that belongs to another account
    shared = folder / "shared"
    shared.mkdir()
    shared.chmod(0o1777)
    planted = shared / "planted.png"
    planted.symlink_to(target)
    os.lchown(planted, STRANGER, STRANGER)
    target.write_bytes(b"kept")
    result = run(program, "ship", "-o", str(planted))
    if (result.returncode != 1 or "planted.png" not in result.stderr or
            target.read_bytes() != b"kept"):
        faults.append(f"through a planted link: status {result.returncode}, "
                      f"{result.stderr[-300:]!r}")


def check_full_output(program, folder, faults):
    names = written(folder / "two.txt", b"ship\nRa\n")
    for arguments in (["ship", "--text"], ["--help"], ["--version"], ["--batch", names, "--text"]):
        with open("/dev/full", "wb") as full:
            result = run(program, *arguments, stdout=full)
        if result.returncode != 1 or "standard output" not in result.stderr:
            faults.append(f"{arguments} > /dev/full: status {result.returncode}, "
                          f"{result.stderr[-300:]!r}")


# What goes in, and how the program shows it: escaped, never as the control it is.
SHOWN = [
    ("\x1b]0;PWNED\x07\x1b[2J", "\\x1b]0;PWNED\\x07\\x1b[2J"),
    ("Ra\x00Ra", "Ra\\0Ra"),
    ("Ra\x7f\u009bRa", "Ra\\x7f\\u009bRa"),
]


def check_visible_controls(program, folder, faults):
    for given, shown in SHOWN:
        names = written(folder / "controls.txt", f"{given}\n".encode())
        places = [["--batch", names, "-o", str(folder / "controls.pdf")]]
        if "\x00" not in given:  # an argument cannot hold a NUL
            places.append(["ship", "-o", f"{given}.doc"])
        for arguments in places:
            result = run(program, *arguments, cwd=folder)
            controls = [c for c in result.stderr
                        if (ord(c) < 0x20 and c != "\n") or 0x7f <= ord(c) < 0xa0]
            if shown not in result.stderr or controls or not result.stderr.endswith("\n"):
                faults.append(f"{given!r} in {arguments[0]}: {result.stderr[-300:]!r}")


def main(program):
    program = str(Path(program).resolve())
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        os.chmod(scratch, 0o755)  # the files a stranger owns are still reached
        for check in (check_limits, check_line_ends, check_inputs_kept, check_links,
                      check_full_output, check_visible_controls):
            folder = Path(scratch) / check.__name__
            folder.mkdir()
            check(program, folder, faults)
    print("\n".join(faults) or "the command line stands hostile input and places")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

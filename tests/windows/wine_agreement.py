#!/usr/bin/env python3
"""dravelin-batch.exe under Wine against the native dravelin-batch.

Runs every report command with both programs on copies of the same bank
folders and checks that every file they leave in Compare/ and New Banks/
(the banks of new sounds and their lists), their standard
output (the pane) and standard error (the status line) and their exit codes
are the same byte for byte. The folders: the bundled example banks, a
generated set whose file names sort differently by bytes, by case and by
file system (mixed case, '_', digits, '~', blanks and brackets, UTF-8 names,
one whose 40th byte falls inside a character), and the real banks beside
the checkout when they are there.

With --checks, it first runs build/windows/platform_check.exe under Wine:
the Windows platform layer's checks that files under Wine cannot reach
(Wine creates no name that holds an unpaired UTF-16 surrogate).

Usage: wine_agreement.py --exe build/windows/dravelin-batch.exe
                         --batch build/test/src/batch/dravelin-batch
                         --examples examples [--banks ../shared/qs-banks]
                         [--checks build/windows/platform_check.exe]
Prints 'N passed, N failed' and exits 1 when any folder disagrees or a
check fails.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile

COMMANDS = ["CreatePatchNameFiles", "CreateInsFiles", "CreatePatchCatalogue",
            "PrintAllSimilarities", "PrintOnlyIdentities", "PrintSoundGroups",
            "PrintBanksWorthKeeping", "PrintUniqueOnly", "PrintIdenticalOnly",
            "CreateInsDefinitionFile", "CreateMidnamFile", "CreateReabankFile",
            "BuildNewSoundBanks"]
# The folders the commands write into, beside the bank folders.
WRITTEN_FOLDERS = ["Compare", "New Banks"]
# Keyboard banks given by name for the generated set's sequencer files: the
# names reach the Windows program as UTF-8, as its file names do.
GENERATED_SLOTS = ["--slot", "Caf\u00e9 Pads=User", "--slot", "\u00dcber Leads.syx=Card 11",
                   "--slot", "MiXeD=none"]


def program_dump(number, payload):
    return bytes([0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, number]) + payload + b"\xF7"


def generated_set(root):
    """Writes Compare/ and Base/ below root: dumps drawn from a small pool,
    so that the reports find identical patches within and across the sets."""
    rng = random.Random(15)
    pool = [bytes(rng.randrange(128) for _ in range(400)) for _ in range(24)]
    compare = ["Bank 1", "bank (2)", "_under", "~tilde", "10", "9", "MiXeD", "mixed2",
               "Caf\u00e9 Pads", "a" * 39 + "\u00e9t\u00e9", "\u00dcber Leads"]
    base = ["Factory", "user"]
    for folder, names in (("Compare", compare), ("Base", base)):
        os.makedirs(os.path.join(root, folder))
        for name in names:
            dumps = b"".join(program_dump(n, rng.choice(pool)) for n in range(rng.randrange(3, 9)))
            extension = ".SYX" if name.isupper() or name == "MiXeD" else ".syx"
            with open(os.path.join(root, folder, name + extension), "wb") as f:
                f.write(dumps)
    with open(os.path.join(root, "Compare", ".hidden.syx"), "wb") as f:
        f.write(program_dump(1, pool[0]))


def real_set(root, banks):
    """Every bank file below `banks` in one Compare folder; the first five
    also as the Base set. Names that Windows would take for one (they differ
    only in case) are told apart by a number."""
    files = sorted(os.path.join(d, f) for d, _, fs in os.walk(banks) for f in fs
                   if f.lower().endswith(".syx"))
    os.makedirs(os.path.join(root, "Compare"))
    os.makedirs(os.path.join(root, "Base"))
    taken = set()
    for i, path in enumerate(files):
        name = os.path.basename(path)
        if name.lower() in taken:
            name = "%d %s" % (i, name)
        taken.add(name.lower())
        target = os.path.join(root, "Compare", name)
        shutil.copyfile(path, target)
        if i < 5:
            shutil.copyfile(path, os.path.join(root, "Base", name))


def run(command, folder, env, slots):
    done = subprocess.run(command + slots + COMMANDS, cwd=folder, env=env,
                          stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=900)
    return done.returncode, done.stdout, done.stderr


def folder_files(folder):
    """Every file the commands may have written, by its path below
    `folder` ("Compare/compare.txt"), the bank files of Compare included."""
    result = {}
    for written in WRITTEN_FOLDERS:
        path = os.path.join(folder, written)
        if not os.path.isdir(path):
            continue
        for name in os.listdir(path):
            with open(os.path.join(path, name), "rb") as f:
                result[written + "/" + name] = f.read()
    return result


def wine_command():
    for candidate in ("wine64", "/usr/lib/wine/wine64", "wine"):
        found = shutil.which(candidate)
        if found:
            return found
    sys.exit("wine_agreement: no wine64 on this machine")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--batch", required=True)
    parser.add_argument("--examples", required=True)
    parser.add_argument("--banks", default=None)
    parser.add_argument("--checks", default=None)
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="dravelin-wine-")
    env = dict(os.environ)
    # A prefix of its own, without Wine's own messages; UTF-8 so that Wine
    # reads the file names' bytes as the native program does.
    env.update(WINEPREFIX=os.path.join(scratch, "prefix"), WINEDEBUG="-all", LC_ALL="C.UTF-8",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    wine = wine_command()
    subprocess.run([wine, "cmd", "/c", "exit"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)

    sets = {"examples": lambda root: [shutil.copytree(os.path.join(args.examples, d),
                                                      os.path.join(root, d))
                                      for d in ("Compare", "Base")],
            "generated": generated_set}
    if args.banks and os.path.isdir(args.banks):
        sets["real banks"] = lambda root: real_set(root, args.banks)
    else:
        print("real banks: skipped (no folder %s)" % args.banks)

    passed = failed = 0
    if args.checks:
        done = subprocess.run([wine, os.path.abspath(args.checks)], env=env,
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=600)
        output = done.stdout.decode("utf-8", "replace").strip()
        if done.returncode == 0:
            passed += 1
            print("ok   platform checks: %s" % output)
        else:
            failed += 1
            print("FAIL platform checks (exit %d):\n%s" % (done.returncode, output))
    for label, make in sets.items():
        native = os.path.join(scratch, label, "native")
        windows = os.path.join(scratch, label, "windows")
        make(native)
        shutil.copytree(native, windows)
        slots = GENERATED_SLOTS if label == "generated" else []
        outcome_native = run([os.path.abspath(args.batch)], native, env, slots)
        outcome_windows = run([wine, os.path.abspath(args.exe)], windows, env, slots)
        problems = []
        for what, a, b in zip(("exit code", "standard output", "standard error"),
                              outcome_native, outcome_windows):
            if a != b:
                problems.append("%s differs" % what)
        files_native = folder_files(native)
        files_windows = folder_files(windows)
        for name in sorted(set(files_native) | set(files_windows)):
            if files_native.get(name) != files_windows.get(name):
                problems.append("%r differs" % name)
        reports = len([n for n in files_native if not n.lower().endswith(".syx")])
        banks = len([n for n in files_native if n.startswith("New Banks/")])
        if problems or reports == 0 or banks == 0:
            failed += 1
            print("FAIL %s: %s" % (label, "; ".join(problems) or "no report or bank written"))
        else:
            passed += 1
            print("ok   %s: %d report files (%d in New Banks), %d bytes of pane output, "
                  "exit %d, alike" % (label, reports, banks, len(outcome_native[1]),
                                      outcome_native[0]))
    shutil.rmtree(scratch, ignore_errors=True)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

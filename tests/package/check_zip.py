#!/usr/bin/env python3
"""Builds the Windows zip with CPack into a scratch folder, unpacks it and
checks it: the file list, README.txt and LICENSE.txt with CR LF line ends, and
each program's machine, subsystem, resources and version information (by
check_exe.py). With --run, instead runs the unpacked tolvane-cli.exe (through
the given emulator, Wine) on a small input.

Usage: check_zip.py --cpack CPACK --config CPackConfig.cmake --work DIR
                    --zip NAME.zip --check-exe check_exe.py --license LICENSE
                    --machine i386|amd64 --manifest-arch x86|amd64 --version X.Y
       check_zip.py --work DIR --zip NAME.zip --run EMULATOR..."""

import argparse
import os
import shutil
import subprocess
import sys
import zipfile


def fail(message):
    print("FAIL", message)
    sys.exit(1)


def build_and_check(args, top):
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    subprocess.run([args.cpack, "--config", args.config, "-G", "ZIP", "-B", args.work],
                   check=True, stdout=subprocess.DEVNULL)
    path = os.path.join(args.work, args.zip)
    if not os.path.isfile(path):
        fail(f"cpack made no {args.zip}: {sorted(os.listdir(args.work))}")

    with zipfile.ZipFile(path) as archive:
        names = sorted(n for n in archive.namelist() if not n.endswith("/"))
        expected = sorted(f"{top}/{n}" for n in ("Tolvane.exe", "tolvane-cli.exe", "README.txt", "LICENSE.txt"))
        if names != expected:
            fail(f"zip files: expected {expected}, got {names}")
        archive.extractall(args.work)
    unpacked = os.path.join(args.work, top)

    failures = []
    with open(os.path.join(unpacked, "README.txt"), "rb") as f:
        readme = f.read()
    with open(os.path.join(unpacked, "LICENSE.txt"), "rb") as f:
        license_crlf = f.read()
    with open(args.license, "rb") as f:
        license_text = f.read()
    for name, text in (("README.txt", readme), ("LICENSE.txt", license_crlf)):
        if text.count(b"\n") == 0 or text.count(b"\n") != text.count(b"\r\n"):
            failures.append(f"{name}: not every line ends in CR LF")
    if license_crlf.replace(b"\r\n", b"\n") != license_text:
        failures.append("LICENSE.txt: not the text of LICENSE")
    version_line = f"Tolvane {args.version}".encode()
    if not readme.startswith(version_line):
        failures.append(f"README.txt: does not open with {version_line!r}")
    if "\ufffd" in readme.decode("ascii", "replace"):
        failures.append("README.txt: not plain ASCII")

    for exe, kind in (("Tolvane.exe", "window"), ("tolvane-cli.exe", "console")):
        command = [sys.executable, args.check_exe, os.path.join(unpacked, exe), "--kind", kind,
                   "--machine", args.machine, "--version", args.version]
        if kind == "window":
            command += ["--manifest-arch", args.manifest_arch]
        if subprocess.run(command).returncode != 0:
            failures.append(f"{exe}: check_exe.py failed")

    for failure in failures:
        print("FAIL", failure)
    if failures:
        sys.exit(1)
    print(f"{path}: as expected")


def run_unpacked_cli(args, top):
    cli = os.path.join(args.work, top, "tolvane-cli.exe")
    if not os.path.isfile(cli):
        fail(f"{cli} is missing: the zip test should have unpacked it")
    # ก่อน in code page 874, with CR LF kept as it is.
    result = subprocess.run(args.run + [cli, "to-unicode"], input=b"\xa1\xe8\xcd\xb9\r\n",
                            stdout=subprocess.PIPE, timeout=240)
    if result.returncode != 0 or result.stdout != "ก่อน\r\n".encode():
        fail(f"tolvane-cli.exe to-unicode: status {result.returncode}, output {result.stdout!r}")
    result = subprocess.run(args.run + [cli, "--version"], stdout=subprocess.PIPE, timeout=240)
    if result.stdout != f"tolvane-cli {args.version}\n".encode():
        fail(f"tolvane-cli.exe --version: {result.stdout!r}")
    print(f"{cli}: converts under Wine")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--zip", required=True)
    parser.add_argument("--version", default="")
    parser.add_argument("--cpack")
    parser.add_argument("--config")
    parser.add_argument("--check-exe")
    parser.add_argument("--license")
    parser.add_argument("--machine")
    parser.add_argument("--manifest-arch")
    parser.add_argument("--run", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    top = args.zip[:-len(".zip")]
    if args.run is not None:
        run_unpacked_cli(args, top)
    else:
        build_and_check(args, top)


if __name__ == "__main__":
    main()

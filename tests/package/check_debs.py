#!/usr/bin/env python3
"""Builds both Debian packages (the `package` preset and CPack) into a scratch
folder and checks them without installing anything: lintian finds no error or
warning; unpacked with dpkg-deb -x, tolvane-cli converts a small input, its
man page and bash completion cover every command and option that its --help
names, the launcher answers --help and says what is missing without a display
or without Wine, and the desktop entry passes desktop-file-validate.

Usage: check_debs.py --source DIR --work DIR --windows-exe Tolvane.exe --version X.Y"""

import argparse
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(command, log, **kwargs):
    """Runs a build step, its output to `log`; on failure prints the log's end and stops."""
    with open(log, "a") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        result = subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, **kwargs)
    if result.returncode != 0:
        with open(log) as f:
            print("".join(f.readlines()[-40:]))
        print(f"FAIL {' '.join(command)}: status {result.returncode} (log: {log})")
        sys.exit(1)


def build_packages(args):
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    build, dist = os.path.join(args.work, "build"), os.path.join(args.work, "dist")
    log = os.path.join(args.work, "build.log")
    run(["cmake", "--preset", "package", "-S", args.source, "-B", build,
         f"-DTOLVANE_WINDOWS_EXE={args.windows_exe}"], log, cwd=args.source)
    run(["cmake", "--build", build], log)
    run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", dist], log)
    cli = glob.glob(os.path.join(dist, f"tolvane-cli_{args.version}_*.deb"))
    window = glob.glob(os.path.join(dist, f"tolvane_{args.version}_all.deb"))
    if len(cli) != 1 or len(window) != 1:
        print(f"FAIL packages made: {sorted(os.listdir(dist))}")
        sys.exit(1)
    return cli[0], window[0]


def check_lintian(debs):
    result = subprocess.run(["lintian", "-I", "--pedantic", *debs],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    tags = [line for line in result.stdout.splitlines() if re.match(r"^[EWIPX]: ", line)]
    print("lintian:", *(tags or ["nothing to report"]), sep="\n  ")
    check(result.returncode == 0, f"lintian exited with {result.returncode}:\n{result.stdout}")
    check(not [t for t in tags if t[0] in "EW"], "lintian reports errors or warnings")


def control_field(deb, field):
    return subprocess.run(["dpkg-deb", "-f", deb, field], stdout=subprocess.PIPE, text=True,
                          check=True).stdout.strip()


def check_files(root):
    expected = [
        "usr/bin/tolvane-cli", "usr/share/man/man1/tolvane-cli.1.gz",
        "usr/share/bash-completion/completions/tolvane-cli", "usr/share/doc/tolvane-cli/copyright",
        "usr/share/doc/tolvane-cli/changelog.gz",
        "usr/bin/tolvane", "usr/share/tolvane/Tolvane.exe", "usr/share/man/man1/tolvane.1.gz",
        "usr/share/applications/tolvane.desktop", "usr/share/icons/hicolor/32x32/apps/tolvane.png",
        "usr/share/doc/tolvane/copyright", "usr/share/doc/tolvane/changelog.gz",
    ]
    for path in expected:
        check(os.path.isfile(os.path.join(root, path)), f"{path} is not in the packages")
    with open(os.path.join(root, "usr/share/icons/hicolor/32x32/apps/tolvane.png"), "rb") as f:
        header = f.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n" and header[16:24] == bytes([0, 0, 0, 32, 0, 0, 0, 32]),
          "the icon is not a 32 by 32 PNG")
    with open(os.path.join(root, "usr/share/tolvane/Tolvane.exe"), "rb") as f:
        check(f.read(2) == b"MZ", "Tolvane.exe is not a Windows program")


def check_cli(root, version):
    cli = os.path.join(root, "usr/bin/tolvane-cli")
    result = subprocess.run([cli, "to-unicode"], input=b"\xa1\xe8\xcd\xb9 TIS-620\n", stdout=subprocess.PIPE)
    check(result.returncode == 0 and result.stdout == "ก่อน TIS-620\n".encode(),
          f"tolvane-cli to-unicode: status {result.returncode}, output {result.stdout!r}")
    result = subprocess.run([cli, "to-tis620"], input="ก่อน\n".encode(), stdout=subprocess.PIPE)
    check(result.stdout == b"\xa1\xe8\xcd\xb9\n", f"tolvane-cli to-tis620: output {result.stdout!r}")
    result = subprocess.run([cli, "--version"], stdout=subprocess.PIPE, text=True)
    check(result.stdout.strip() == f"tolvane-cli {version}", f"tolvane-cli --version: {result.stdout!r}")
    return cli


def help_commands_and_options(cli):
    """The commands and options that `tolvane-cli --help` names."""
    text = subprocess.run([cli, "--help"], stdout=subprocess.PIPE, text=True, check=True).stdout
    section = text.split("Commands:", 1)[1].split("\n\n", 1)[0]
    commands = re.findall(r"^  ([a-z][a-z0-9-]+)", section, re.M)
    options = sorted(set(re.findall(r"(?<![\w-])(--[a-z][a-z0-9-]*|-o)\b", text)))
    check(len(commands) >= 5, f"--help names too few commands: {commands}")
    return commands, options


def check_man_page(path, commands, options):
    lint = subprocess.run(["mandoc", "-T", "lint", "-W", "warning", path],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    # mandoc's own note about the system's man page index is no finding.
    findings = [line for line in lint.stdout.splitlines() if "mandoc.db" not in line]
    check(not findings, f"mandoc -T lint {os.path.basename(path)}:\n" + "\n".join(findings))
    text = subprocess.run(["mandoc", "-T", "utf8", path], stdout=subprocess.PIPE, text=True).stdout
    text = re.sub(".\b", "", text)
    for word in commands + options:
        check(re.search(r"(?<![\w-])" + re.escape(word) + r"(?![\w-])", text),
              f"the man page {os.path.basename(path)} does not mention {word}")
    for heading in ("EXIT STATUS", "EXAMPLES"):
        check(heading in text, f"the man page {os.path.basename(path)} has no {heading}")


def complete(completion, words):
    """What the bash completion offers for the command line `words` (the last is being typed)."""
    script = (
        "source /usr/share/bash-completion/bash_completion\n"
        f"source {completion}\n"
        'COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}\n'
        "_tolvane_cli tolvane-cli \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n"
        'printf "%s\\n" "${COMPREPLY[@]}"\n')
    result = subprocess.run(["bash", "-c", script, "bash", *words], stdout=subprocess.PIPE, text=True)
    return [w for w in result.stdout.split("\n") if w]


def check_completion(completion, cli, commands, options, work):
    first = complete(completion, ["tolvane-cli", ""])
    check(sorted(first) == sorted(commands + ["--help", "--version"]),
          f"completion of the command: {sorted(first)} against --help's {sorted(commands)}")
    offered = {"--help", "--version"}
    for command in commands:
        for option in complete(completion, ["tolvane-cli", command, "-"]):
            offered.add(option)
            if option == "--help":
                continue
            # The program accepts what the completion offers.
            line = [cli, command]
            if command == "relayout" and option not in ("--to-thai", "--to-english", "--auto"):
                line.append("--auto")  # the direction that takes every other option
            line.append(option)
            if option == "-o":
                line.append(os.path.join(work, "completion-out.txt"))
            elif option == "--from":
                values = complete(completion, ["tolvane-cli", command, "--from", ""])
                check(values, "completion offers no value for --from")
                line.append(values[0] if values else "utf-8")
            result = subprocess.run(line, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.PIPE, text=True)
            check(result.returncode != 2,
                  f"completion offers {command} {option}, which tolvane-cli refuses: {result.stderr.strip()}")
    missing = [o for o in options if o not in offered]
    check(not missing, f"options of --help that the completion never offers: {missing}")
    files = complete(completion, ["tolvane-cli", "to-unicode", os.path.join(work, "b")])
    check(os.path.join(work, "build") + "/" in files or os.path.join(work, "build") in files,
          f"completion of a file name: {files}")


def check_launcher(root, version, work):
    launcher = os.path.join(root, "usr/bin/tolvane")
    home = os.path.join(work, "home")
    os.makedirs(home, exist_ok=True)
    base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_DATA_HOME", "WINE")}
    base["HOME"] = home

    def launch(*arguments, **env):
        result = subprocess.run([launcher, *arguments], env={**base, **env}, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, timeout=60)
        return result.returncode, result.stdout

    status, out = launch("--help")
    check(status == 0 and out.startswith("Usage: tolvane"), f"tolvane --help: {status} {out!r}")
    check(os.path.join(home, ".local/share/tolvane") in out, f"tolvane --help names no prefix: {out!r}")
    status, out = launch("--version")
    check(out.strip() == f"tolvane {version}", f"tolvane --version: {out!r}")

    status, out = launch("--check")
    check(status == 1 and "no display" in out, f"tolvane --check without a display: {status} {out!r}")
    status, out = launch(WINE=os.path.join(work, "no-such-wine"), DISPLAY=":99")
    check(status == 1 and out.strip() == "tolvane: Wine is not installed: install the package wine (apt install wine)",
          f"tolvane without Wine: {status} {out!r}")

    # With a display named (none is opened), what is left is this machine's Wine.
    status, out = launch("--check", DISPLAY=":99")
    loader32 = "/usr/lib/wine/wine"
    runs_32bit = os.access(loader32, os.X_OK) and subprocess.run(
        [loader32, "--version"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    print(f"tolvane --check here: {out.strip()}")
    if runs_32bit:
        check(status == 0 and out.startswith("tolvane: ready:"), f"tolvane --check: {status} {out!r}")
    else:
        lines = out.strip().splitlines()
        check(status == 1 and len(lines) == 1 and "32-bit" in lines[0],
              f"tolvane --check where Wine runs no 32-bit program: {status} {out!r}")
        # Opening the program says the same in one line, and starts no Wine.
        status, out = launch(DISPLAY=":99")
        check(status == 1 and out.strip() == lines[0], f"tolvane where Wine runs no 32-bit program: {out!r}")
    check(os.listdir(home) == [], f"the checks left files in the home folder: {os.listdir(home)}")


def check_desktop_entry(root):
    path = os.path.join(root, "usr/share/applications/tolvane.desktop")
    result = subprocess.run(["desktop-file-validate", path], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    check(result.returncode == 0 and not result.stdout.strip(), f"desktop-file-validate: {result.stdout}")
    with open(path) as f:
        entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    check(entry.get("Name") == "Tolvane", f"desktop entry Name: {entry.get('Name')!r}")
    command = entry.get("Exec", "").split()[0] if entry.get("Exec") else ""
    check(os.access(os.path.join(root, "usr/bin", command), os.X_OK), f"desktop entry Exec {command!r} not in usr/bin")
    check(os.path.isfile(os.path.join(root, "usr/share/icons/hicolor/32x32/apps", entry.get("Icon", "") + ".png")),
          f"desktop entry Icon {entry.get('Icon')!r} not in the hicolor theme")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--windows-exe", required=True)
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)

    debs = build_packages(args)
    for deb in debs:
        print(f"{os.path.basename(deb)}: {os.path.getsize(deb)} bytes")
    check_lintian(debs)
    check("libc6" in control_field(debs[0], "Depends"), "tolvane-cli: no dependencies from dpkg-shlibdeps")
    check(control_field(debs[1], "Depends") == "wine, fonts-thai-tlwg",
          f"tolvane: Depends {control_field(debs[1], 'Depends')!r}")

    root = os.path.join(args.work, "root")
    for deb in debs:
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
    check_files(root)
    cli = check_cli(root, args.version)
    commands, options = help_commands_and_options(cli)
    check_man_page(os.path.join(root, "usr/share/man/man1/tolvane-cli.1.gz"), commands, options)
    check_man_page(os.path.join(root, "usr/share/man/man1/tolvane.1.gz"), [], ["--check", "--help", "--version"])
    check_completion(os.path.join(root, "usr/share/bash-completion/completions/tolvane-cli"), cli, commands,
                     options, args.work)
    check_launcher(root, args.version, args.work)
    check_desktop_entry(root)

    for failure in failures:
        print("FAIL", failure)
    print(f"Debian packages: {'%d failures' % len(failures) if failures else 'as expected'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

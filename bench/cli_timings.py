#!/usr/bin/env python3
"""Whole-process figures of dialectic-cli on the workloads whose output bounds them.

Generates each theory, runs one or more dialectic-cli binaries on it (the median of several runs
for the short ones), and prints a Markdown table of wall time, CPU time and peak memory. With
--clingo it also times clingo enumerating the preferred extensions of the sixteen even cycles
with the usual encoding, for comparison.

    python3 bench/cli_timings.py build/default/dialectic-cli [OTHER_CLI ...] [--clingo]
"""

import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

PREFERRED_ENCODING = """\
in(X) :- arg(X), not out(X).
out(X) :- arg(X), not in(X).
:- in(X), in(Y), att(X,Y).
defeated(X) :- in(Y), att(Y,X).
:- in(X), att(Y,X), not defeated(Y).
#heuristic in(X) : arg(X). [1,true]
"""


def even_cycles(pairs):
    return "".join(f"a{i} b{i}, b{i} a{i}\n" for i in range(pairs))


def chain(length):
    return "".join(f"a{i} a{i + 1}\n" for i in range(1, length))


def unattacked(count):
    return "".join(f"u{i}\n" for i in range(count))


def one_attacked_by(count):
    return "a " + " ".join(f"b{i}" for i in range(count)) + "\n"


def binary_tree(levels):
    return "".join(f"n{n} n{2 * n} n{2 * n + 1}\n" for n in range(1, 2 ** (levels - 1)))


def random_bytes(size):
    generator = random.Random(1)
    return bytes(generator.getrandbits(8) for _ in range(size))


# name, theory, extra options, repetitions
WORKLOADS = [
    ("16 even cycles, extensions only", even_cycles(16), ["--no-trace", "--area", "extensions"], 5),
    ("16 even cycles, the run as JSON", even_cycles(16), ["--json"], 5),
    ("chain of 2,000, trace on", chain(2000), [], 3),
    ("chain of 10,000, trace on", chain(10000), [], 1),
    ("chain of 50,000, no trace", chain(50000), ["--no-trace"], 1),
    ("100,000 unattacked arguments, no trace", unattacked(100000), ["--no-trace"], 1),
    ("one argument with 100,000 attackers, no trace", one_attacked_by(100000), ["--no-trace"], 1),
    ("1 MB of random bytes, no trace", random_bytes(1 << 20), ["--no-trace"], 1),
    ("binary attack tree of 12 levels, no trace", binary_tree(12), ["--no-trace"], 1),
]


def timed(command):
    """Wall seconds, CPU seconds and peak kilobytes of one run of the command."""
    start = time.monotonic()
    with open(os.devnull, "wb") as sink:
        process = subprocess.Popen(command, stdout=sink, stderr=subprocess.DEVNULL)
        _, _, usage = os.wait4(process.pid, 0)
    return time.monotonic() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def measure(command, repetitions):
    runs = [timed(command) for _ in range(repetitions)]
    return (statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs),
            max(r[2] for r in runs))


def output_size(command):
    with tempfile.TemporaryFile() as out:
        subprocess.run(command, stdout=out, stderr=subprocess.DEVNULL, check=False)
        return out.tell()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binaries", nargs="+")
    parser.add_argument("--clingo", action="store_true")
    parser.add_argument("--only", help="run only workloads whose name contains this text")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        print("| Workload | Binary | Output | Wall | CPU | Peak memory |")
        print("|---|---|---|---|---|---|")
        for name, theory, options, repetitions in WORKLOADS:
            if args.only and args.only not in name:
                continue
            path = os.path.join(folder, "theory.txt")
            with open(path, "wb") as file:
                file.write(theory if isinstance(theory, bytes) else theory.encode())
            for binary in args.binaries:
                command = [binary, *options, path]
                size = output_size(command)
                wall, cpu, peak = measure(command, repetitions)
                print(f"| {name} | `{binary}` | {size / 1e6:.1f} MB | {wall:.3f} s | "
                      f"{cpu:.3f} s | {peak / 1024:.0f} MB |", flush=True)
        if args.clingo:
            instance = os.path.join(folder, "cycles.lp")
            with open(instance, "w") as file:
                for i in range(16):
                    file.write(f"arg(a{i}). arg(b{i}). att(a{i},b{i}). att(b{i},a{i}).\n")
            encoding = os.path.join(folder, "preferred.lp")
            with open(encoding, "w") as file:
                file.write(PREFERRED_ENCODING)
            command = ["clingo", encoding, instance, "-n", "0", "-q", "--heuristic=Domain",
                       "--enum-mode=domRec"]
            wall, cpu, peak = measure(command, 5)
            print(f"| 16 even cycles, preferred extensions | clingo (usual encoding) | | "
                  f"{wall:.3f} s | {cpu:.3f} s | {peak / 1024:.0f} MB |")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""CPU seconds of one acceptance task over several seeded query arguments of each file, for two or
more builds of dialectic-solve side by side: the same queries for each, run one after the other.

    bench/iccma/time_queries.py --files A.af,B.af --queries 6 --task DS-PR SOLVER [SOLVER...]

Prints one tab-separated line per query: file, query, then answer and CPU seconds per solver
("T" when it ran past --timeout)."""
import argparse
import os
import random
import resource
import subprocess

from run import read_i23


def cpu_of_children():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--files", required=True, help="comma-separated i23 files")
    parser.add_argument("--queries", type=int, default=6)
    parser.add_argument("--task", default="DS-PR")
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("solvers", nargs="+")
    options = parser.parse_args()
    for path in options.files.split(","):
        n, _ = read_i23(path)
        rng = random.Random(options.seed)
        for query in [rng.randint(1, max(n, 1)) for _ in range(options.queries)]:
            row = [os.path.basename(path), str(query)]
            for solver in options.solvers:
                before = cpu_of_children()
                try:
                    run = subprocess.run([solver, "-p", options.task, "-f", path, "-a", str(query)],
                                         capture_output=True, text=True, timeout=options.timeout)
                    answer = run.stdout.split("\n")[0]
                except subprocess.TimeoutExpired:
                    answer = "T"
                row += [answer, f"{cpu_of_children() - before:.2f}"]
            print("\t".join(row), flush=True)


if __name__ == "__main__":
    main()

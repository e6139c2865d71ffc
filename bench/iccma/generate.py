#!/usr/bin/env python3
"""Writes the benchmark frameworks of the comparison with clingo, each in i23 and in APX.

Every framework comes from a fixed seed, so two runs write the same files. Families:

  er    Erdos-Renyi: every ordered pair of distinct arguments is an attack with probability p.
  ba    Barabasi-Albert: each new argument links to m earlier ones chosen in proportion to their
        degree; each link becomes an attack in a random direction.
  ws    Watts-Strogatz: a ring where each argument links to its k nearest neighbours, each link
        rewired to a random end with probability beta; each link becomes an attack in a random
        direction.
  grid  a square grid of isqrt(n) * isqrt(n) arguments, each link an attack in a random direction, both directions with
        probability 0.1.
  hard  Erdos-Renyi on 300 arguments with a mean of 10 to 14 attacks per argument, self-attacks
        allowed (every ordered pair, a pair (a, a) included, with probability mean / 300).

The argument numbered i in the i23 file is named a<i> in the APX file, whose facts clingo reads
as they are. Usage:

  bench/iccma/generate.py [--out DIR] [--tiers 100,500,2000,10000,hard] [--cli PATH]

DIR defaults to build/iccma/instances; an index.csv there lists every framework.

These families are the ones the recorded comparison in bench/RESULTS.md ran on, drawn with
Python's random module, so they stay here to keep that instance set as it was: they orient
undirected links at random, and hard allows self-attacks, unlike the program's own kinds. With
--cli PATH (a dialectic-cli), the er, ba, ws and grid tiers are made instead by the program's
own generators, `dialectic-cli --generate KIND:N:PARAM...:seed=S --to i23` (and --to apx), the
same frameworks that the window's New Random Framework and the C++ benchmarks draw; hard is
always drawn here.
"""

import argparse
import math
import os
import random
import subprocess

# The standard tiers: (family, parameters) for each size. Erdos-Renyi keeps p from 0.01 to 0.1 on
# 100 arguments; on larger graphs it keeps a mean of 1 to 5 attacks per argument, since random
# graphs of 500 or more arguments with 20 or more attacks each (p = 0.05 on 500, 0.01 on 2,000)
# are beyond a minute for both solvers even for one extension.
SIZES = (100, 500, 2000, 10000)
ER_PROBABILITIES = {
    100: (0.01, 0.05, 0.1),
    500: (0.005, 0.01),
    2000: (0.0005, 0.001, 0.002),
    10000: (0.0001, 0.0002, 0.0003),
}
BA_LINKS = (1, 2)  # m
WS_SHAPES = ((4, 0.1), (6, 0.3))  # (k, beta)
HARD_MEANS = (10, 11, 12, 13, 14)
HARD_SEEDS_PER_MEAN = 2


def erdos_renyi(n, p, rng, self_attacks):
    """Ordered pairs, each an attack with probability p, drawn by geometric skips so that the
    cost follows the number of attacks rather than n * n."""
    pairs = n * n
    attacks = []
    log_q = math.log(1.0 - p)
    position = -1
    while True:
        position += 1 + int(math.log(1.0 - rng.random()) / log_q)
        if position >= pairs:
            return attacks
        attacker, target = divmod(position, n)
        if attacker != target or self_attacks:
            attacks.append((attacker, target))


def oriented(links, rng, mutual=0.0):
    """Each undirected link becomes an attack in a random direction, or both with probability
    mutual."""
    attacks = []
    for a, b in links:
        if rng.random() < mutual:
            attacks += [(a, b), (b, a)]
        elif rng.random() < 0.5:
            attacks.append((a, b))
        else:
            attacks.append((b, a))
    return attacks


def barabasi_albert(n, m, rng):
    links = set()
    ends = list(range(m))  # every argument once per link end, so a draw follows the degree
    for new in range(m, n):
        chosen = set()
        while len(chosen) < m:
            chosen.add(rng.choice(ends) if ends else rng.randrange(new))
        for old in chosen:
            links.add((old, new))
            ends += [old, new]
    return oriented(sorted(links), rng)


def watts_strogatz(n, k, beta, rng):
    links = set()
    for a in range(n):
        for step in range(1, k // 2 + 1):
            b = (a + step) % n
            if rng.random() < beta:
                b = rng.randrange(n)
                while b == a or (a, b) in links or (b, a) in links:
                    b = rng.randrange(n)
            links.add((a, b))
    return oriented(sorted(links), rng)


def grid(n, rng):
    side = math.isqrt(n)
    links = []
    for row in range(side):
        for column in range(side):
            a = row * side + column
            if column + 1 < side:
                links.append((a, a + 1))
            if row + 1 < side:
                links.append((a, a + side))
    return side * side, oriented(links, rng, mutual=0.1)


def unique(attacks):
    seen = set()
    kept = []
    for attack in attacks:
        if attack not in seen:
            seen.add(attack)
            kept.append(attack)
    return kept


def write_framework(directory, name, n, attacks):
    with open(os.path.join(directory, name + ".i23"), "w") as i23:
        i23.write(f"p af {n}\n")
        i23.writelines(f"{a + 1} {b + 1}\n" for a, b in attacks)
    with open(os.path.join(directory, name + ".apx"), "w") as apx:
        apx.writelines(f"arg(a{i + 1}).\n" for i in range(n))
        apx.writelines(f"att(a{a + 1},a{b + 1}).\n" for a, b in attacks)


def cli_framework(cli, recipe):
    """(n, attacks) of `dialectic-cli --generate recipe`, read back from its i23 text."""
    i23 = subprocess.run([cli, "--generate", recipe, "--to", "i23"], check=True,
                         capture_output=True, text=True).stdout.splitlines()
    n = int(i23[0].split()[2])
    attacks = [tuple(int(x) - 1 for x in line.split()) for line in i23[1:]]
    return n, attacks


def cli_recipes(n, seed):
    """The --generate recipes of a size's tier: the same parameters as the families here."""
    for p in ER_PROBABILITIES[n]:
        seed += 1
        yield f"er_{n}_p{p}", f"er:{n}:{p}:seed={seed}"
    for m in BA_LINKS:
        seed += 1
        yield f"ba_{n}_m{m}", f"ba:{n}:{m}:seed={seed}"
    for k, beta in WS_SHAPES:
        seed += 1
        yield f"ws_{n}_k{k}_b{beta}", f"ws:{n}:{k}:{beta}:seed={seed}"
    seed += 1
    side = math.isqrt(n)
    yield f"grid_{side}x{side}", f"grid:{side * side}:0.1:seed={seed}"


def frameworks(tiers, cli=None):
    """(tier, name, seed, maker) for every framework of the tiers; maker(rng) -> (n, attacks)."""
    for n in SIZES:
        if str(n) not in tiers:
            continue
        seed = n * 1000
        if cli:
            for name, recipe in cli_recipes(n, seed):
                yield str(n), name, 0, lambda rng, recipe=recipe: cli_framework(cli, recipe)
            continue
        for p in ER_PROBABILITIES[n]:
            seed += 1
            yield str(n), f"er_{n}_p{p}", seed, lambda rng, n=n, p=p: (
                n, erdos_renyi(n, p, rng, self_attacks=False))
        for m in BA_LINKS:
            seed += 1
            yield str(n), f"ba_{n}_m{m}", seed, lambda rng, n=n, m=m: (n, barabasi_albert(n, m, rng))
        for k, beta in WS_SHAPES:
            seed += 1
            yield str(n), f"ws_{n}_k{k}_b{beta}", seed, lambda rng, n=n, k=k, beta=beta: (
                n, watts_strogatz(n, k, beta, rng))
        seed += 1
        side = math.isqrt(n)
        yield str(n), f"grid_{side}x{side}", seed, lambda rng, n=n: grid(n, rng)
    if "hard" in tiers:
        for mean in HARD_MEANS:
            for copy in range(HARD_SEEDS_PER_MEAN):
                seed = 300_000 + mean * 10 + copy
                yield "hard", f"hard_300_d{mean}_s{copy}", seed, lambda rng, mean=mean: (
                    300, erdos_renyi(300, mean / 300, rng, self_attacks=True))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default="build/iccma/instances")
    parser.add_argument("--tiers", default="100,500,2000,10000,hard")
    parser.add_argument("--cli", help="make the er, ba, ws and grid tiers with this dialectic-cli")
    options = parser.parse_args()
    tiers = set(options.tiers.split(","))
    os.makedirs(options.out, exist_ok=True)
    with open(os.path.join(options.out, "index.csv"), "w") as index:
        index.write("tier,name,arguments,attacks\n")
        for tier, name, seed, maker in frameworks(tiers, options.cli):
            n, attacks = maker(random.Random(seed))
            attacks = unique(attacks)
            write_framework(options.out, name, n, attacks)
            index.write(f"{tier},{name},{n},{len(attacks)}\n")
            print(f"{name}: {n} arguments, {len(attacks)} attacks")


if __name__ == "__main__":
    main()

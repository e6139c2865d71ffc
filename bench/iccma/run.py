#!/usr/bin/env python3
"""Runs dialectic-solve and clingo side by side on the frameworks of generate.py.

For each sampled framework and each semantics (GR, CO, ST, PR, SST, STG, ID) it runs the tasks SE,
DC, DS and EE (DS not for GR; CE on request), each tool killed at the time limit, checks that both
give the same answer (DC and DS: the same YES or NO; SE: both find an extension or both say NO, the same one
where the semantics has exactly one; EE: the same set of extensions; CE: the same number), checks
the certificates of
dialectic-solve against the query, and writes every run to a CSV file and a Markdown table of
medians and ratios per semantics, per tier and per task, the hard tier on rows of its own.
dialectic-solve reads the i23 file; clingo reads the APX file as facts, with the encodings in
bench/iccma/asp.

  bench/iccma/run.py [--solver PATH] [--instances DIR]... [--per-tier 100=4,...] [--timeout 30]
                     [--budget 1200] [--out DIR]
  bench/iccma/run.py --validate N     # N small random frameworks, every task, answers compared

A folder given with --instances that has no index.csv is a folder of competition files (`*.af`,
`*.i23`: `p af N` and one attack per line): every file in it is run, with one seeded query argument,
as tier "real", and the table adds rows per family and task (the family read from the file name)
and per task and semantics, with every disagreement listed. The generated folder and such folders
can be given together:

  bench/iccma/run.py --instances ../shared/iccma-sample --semantics GR,CO,ST,PR \
                     --tasks SE,DC,DS,EE,CE --timeout 60 --budget 3600 --out build/iccma/real

With --append the runs of this call are added to those of the previous call with the same --out,
and the table covers both (so that tiers can be run with their own timeouts and budgets).

Exit status 1 when any answer differs.
"""

import argparse
import csv
import os
import random
import re
import resource
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ASP = os.path.join(HERE, "asp")
SEMANTICS = ("GR", "CO", "ST", "PR", "SST", "STG", "ID")
TASKS = ("SE", "DC", "DS", "EE")
ALL_TASKS = TASKS + ("CE",)
TIERS = ("100", "500", "2000", "10000", "hard")
# Competition file families, by a pattern of the file name; the first that matches names it.
FAMILIES = (
    ("admbuster", re.compile(r"^admbuster")),
    ("aba", re.compile(r"^n\d+p\d+q\d+")),
    ("traffic", re.compile(r"\.gml\.")),
    ("ba", re.compile(r"BA_")),
    ("stb", re.compile(r"stb_")),
    ("st2023", re.compile(r"^st_")),
    ("small-result", re.compile(r"^Small-result")),
    ("afinput", re.compile(r"^afinput")),
)
MODELS = re.compile(r"^Models\s*:\s*(\d+)(\+?)", re.MULTILINE)
DEFAULT_PER_TIER = "100=4,500=4,2000=3,10000=3,hard=4"
SAMPLE_SEED = 2023
# A run that writes more than this is stopped (SIGXFSZ): an enumeration of so many extensions
# says nothing more about speed, and its answer would not fit in memory to be compared.
OUTPUT_LIMIT = 64 << 20
DOMAIN = ["--heuristic=Domain", "--enum-mode=domRec"]
ENCODING = {
    "CO": "complete.lp",
    "ST": "stable.lp",
    "PR": "preferred.lp",
    "SST": "semi_stable.lp",
    "STG": "stage.lp",
    "GR": "grounded.lp",
}
NUMBER = re.compile(r"in\(a(\d+)\)")


class Run:
    """What one tool did on one task: status ok, timeout (out of time), output (over the output
    limit) or error; wall and CPU seconds; the answer when ok."""

    def __init__(self, status, wall, cpu, answer=None, detail=""):
        self.status, self.wall, self.cpu, self.answer, self.detail = (
            status, wall, cpu, answer, detail)

    def then(self, other):
        """This run followed by another: the times add up, the other's outcome counts."""
        return Run(other.status, self.wall + other.wall, self.cpu + other.cpu, other.answer,
                   other.detail)


def limit_output():
    """Caps the size of every file this process and the programs it starts write; the programs
    inherit it, so no code needs to run between their fork and exec."""
    resource.setrlimit(resource.RLIMIT_FSIZE, (OUTPUT_LIMIT, OUTPUT_LIMIT))


def spawn_and_wait(command, out, err, timeout):
    """Starts the command with its output and errors in the given files and waits for it, killing
    it at the time limit: its exit code (negative for a signal), wall seconds, CPU seconds and
    whether it ran out of time. The program is started by posix_spawn and waited for on a process
    file descriptor, so the measure holds the program alone: a `timeout` process in between and a
    wait that polls in growing sleeps added one to three milliseconds to every run, most of a run
    on a small file."""
    start = time.perf_counter()
    pid = os.posix_spawnp(command[0], command, os.environ,
                          file_actions=[(os.POSIX_SPAWN_DUP2, out.fileno(), 1),
                                        (os.POSIX_SPAWN_DUP2, err.fileno(), 2)],
                          setsigdef=(signal.SIGPIPE, signal.SIGXFSZ))
    with os.fdopen(os.pidfd_open(pid), "rb", buffering=0) as process:
        waiter = select.poll()
        waiter.register(process.fileno(), select.POLLIN)
        timed_out = not waiter.poll(timeout * 1000)
        if timed_out:
            os.kill(pid, signal.SIGKILL)
        _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    cpu = usage.ru_utime + usage.ru_stime
    return os.waitstatus_to_exitcode(status), wall, cpu, timed_out or wall >= timeout


def execute(command, timeout, is_success):
    """Runs the command with its output in a file; a Run whose answer is the output text, or a
    failed Run."""
    with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
        code, wall, cpu, timed_out = spawn_and_wait(command, out, err, timeout)
        if timed_out:
            return Run("timeout", wall, cpu)
        # A program that catches SIGXFSZ (clingo does) sees its writes fail at the limit and may
        # exit as if it had finished: a full output file is over the limit whatever the exit code.
        out.seek(0, os.SEEK_END)
        if code == -signal.SIGXFSZ or out.tell() >= OUTPUT_LIMIT:
            return Run("output", wall, cpu)
        if code < 0 or not is_success(code):
            err.seek(0)
            return Run("error", wall, cpu, detail=f"exit {code}: {err.read().strip()[:200]}")
        out.seek(0)
        return Run("ok", wall, cpu, out.read())


def canonical(numbers):
    """An extension as the text of its sorted argument numbers: "1 5 9"."""
    return " ".join(str(n) for n in sorted(int(n) for n in numbers))


# ---- dialectic-solve ----

def run_ours(solver, task, semantics, i23, query, timeout):
    command = [solver, "-p", f"{task}-{semantics}", "-f", i23]
    if task in ("DC", "DS"):
        command += ["-a", str(query)]
    run = execute(command, timeout, lambda code: code == 0)
    if run.status != "ok":
        return run
    lines = run.answer.splitlines()
    if task == "CE":
        run.answer = int(lines[0])
    elif task == "EE":
        run.answer = frozenset(canonical(line.split()[1:]) for line in lines)
    elif task == "SE":
        run.answer = None if lines == ["NO"] else canonical(lines[0].split()[1:])
    else:
        certificate = canonical(lines[1].split()[1:]) if len(lines) > 1 else None
        run.answer = (lines[0] == "YES", certificate)
    return run


# ---- clingo ----

def clingo(arguments, timeout):
    # clingo's exit code is a sum of flags: 1 interrupted (a script that stops after a model),
    # 10 satisfiable, 20 all models found or unsatisfiable; 33 and above are errors.
    return execute(["clingo"] + arguments, timeout, lambda code: code < 32)


def answer_sets(text):
    """The answer sets of clingo's text output, in order, each as canonical()."""
    lines = text.splitlines()
    return [canonical(NUMBER.findall(lines[i + 1])) for i, line in enumerate(lines)
            if line.startswith("Answer:") and i + 1 < len(lines)]


def tagged_lines(text, tag):
    """The extensions that driver.lp printed on lines starting with the tag."""
    return [canonical(NUMBER.findall(line)) for line in text.splitlines() if line.startswith(tag)]


def clingo_ideal(apx, timeout):
    """Two calls: the credulously accepted arguments by brave reasoning over complete
    extensions, then the largest admissible set of those that none of them attacks."""
    brave = clingo([os.path.join(ASP, "complete.lp"), apx, "--enum-mode=brave", "-n", "0"],
                   timeout)
    if brave.status != "ok":
        return brave
    credulous = answer_sets(brave.answer)[-1].split()
    with tempfile.NamedTemporaryFile("w", suffix=".lp", delete=False) as facts:
        facts.writelines(f"cred(a{a}).\n" for a in credulous)
    try:
        largest = clingo([os.path.join(ASP, "ideal.lp"), apx, facts.name, "-n", "1"] + DOMAIN,
                         max(1, round(timeout - brave.wall)))
    finally:
        os.unlink(facts.name)
    if largest.status == "ok":
        largest.answer = answer_sets(largest.answer)[0]
    return brave.then(largest)


def driver(key, task, apx, semantics, query, timeout):
    arguments = [os.path.join(ASP, "driver.lp"), os.path.join(ASP, ENCODING[semantics]), apx,
                 "-n", "0", "--outf=3", "-c", f"key={key}", "-c", f"task={task.lower()}"] + DOMAIN
    if query is not None:
        arguments += ["-c", f"query=a{query}"]
    return clingo(arguments, timeout)


def acceptance(task, query, extension):
    """The (accepted, certificate) answer for DC or DS, given the one extension that decides it:
    for DC one with the query, for DS one without it, or None."""
    if task == "DC":
        return (extension is not None, extension)
    return (extension is None, extension)


def holds(extension, query):
    return str(query) in extension.split()


def run_clingo(task, semantics, apx, query, timeout):
    encoding = os.path.join(ASP, ENCODING.get(semantics, ""))
    heuristic = DOMAIN if semantics in ("PR", "SST", "STG") else []
    if semantics in ("ID", "GR"):
        # One extension: every task reads it.
        run = clingo_ideal(apx, timeout) if semantics == "ID" else clingo([encoding, apx], timeout)
        if run.status != "ok":
            return run
        only = run.answer if semantics == "ID" else answer_sets(run.answer)[0]
        if task == "EE":
            run.answer = frozenset([only])
        elif task == "CE":
            run.answer = 1
        elif task == "SE":
            run.answer = only
        else:
            run.answer = acceptance(task, query,
                                    only if holds(only, query) == (task == "DC") else None)
        return run
    if task == "CE":
        if semantics in ("SST", "STG"):
            return Run("error", 0, 0, detail="CE-SST and CE-STG are not run with clingo")
        run = clingo([encoding, apx, "-n", "0", "-q"] + heuristic, timeout)
        if run.status == "ok":
            found = MODELS.search(run.answer)
            if not found or found.group(2):
                return Run("error", run.wall, run.cpu, detail="clingo printed no full count")
            run.answer = int(found.group(1))
        return run
    if task == "EE" and semantics in ("SST", "STG"):
        run = driver("range", "ee", apx, semantics, None, timeout)
        if run.status == "ok":
            run.answer = frozenset(tagged_lines(run.answer, "EXT"))
        return run
    if task in ("EE", "SE"):
        run = clingo([encoding, apx, "-n", "0" if task == "EE" else "1"] + heuristic, timeout)
        if run.status == "ok":
            found = answer_sets(run.answer)
            run.answer = frozenset(found) if task == "EE" else (found[0] if found else None)
        return run
    if semantics in ("SST", "STG") or (semantics, task) == ("PR", "DS"):
        key = "in" if semantics == "PR" else "range"
        run = driver(key, task, apx, semantics, query, timeout)
        if run.status == "ok":
            meets = tagged_lines(run.answer, "MEETS")
            run.answer = acceptance(task, query, meets[0] if meets else None)
        return run
    # A constraint on one answer set; credulous preferred acceptance is credulous complete
    # acceptance.
    base = os.path.join(ASP, "complete.lp") if semantics == "PR" else encoding
    constraint = os.path.join(ASP, "holds_query.lp" if task == "DC" else "lacks_query.lp")
    run = clingo([base, constraint, apx, "-n", "1", "-c", f"query=a{query}"], timeout)
    if run.status == "ok":
        found = answer_sets(run.answer)
        run.answer = acceptance(task, query, found[0] if found else None)
    return run


# ---- comparison ----

def agree(task, semantics, query, ours, theirs):
    """Whether the answers agree, and the certificate of dialectic-solve holds (DC) or lacks
    (DS) the query."""
    if task in ("EE", "CE"):
        return ours == theirs
    if task == "SE":
        return ours == theirs if semantics in ("GR", "ID") else (ours is None) == (theirs is None)
    accepted, certificate = ours
    if accepted != theirs[0]:
        return False
    if task == "DC" and accepted:
        return certificate is not None and holds(certificate, query)
    if task == "DS" and not accepted:
        return certificate is not None and not holds(certificate, query)
    return certificate is None


def summary(task, answer):
    if task == "CE":
        return f"{answer} extensions"
    if task == "EE":
        return f"{len(answer)} extensions"
    if task == "SE":
        return "NO" if answer is None else f"{len(answer.split())} arguments"
    return "YES" if answer[0] else "NO"


def compare(solver, job, timeout):
    tier, name, n, task, semantics, query, i23, apx = job
    ours = run_ours(solver, task, semantics, i23, query, timeout)
    theirs = run_clingo(task, semantics, apx, query, timeout)
    if ours.status == "ok" and theirs.status == "ok":
        verdict = "equal" if agree(task, semantics, query, ours.answer, theirs.answer) else (
            "DIFFERENT")
    else:
        verdict = "unchecked"
    known = ours if ours.status == "ok" else theirs if theirs.status == "ok" else None
    return {"tier": tier, "instance": name, "arguments": n, "timeout": timeout, "task": task,
            "semantics": semantics, "query": query if task in ("DC", "DS") else "",
            "ours_status": ours.status, "ours_wall": f"{ours.wall:.4f}",
            "ours_cpu": f"{ours.cpu:.4f}", "clingo_status": theirs.status,
            "clingo_wall": f"{theirs.wall:.4f}", "clingo_cpu": f"{theirs.cpu:.4f}",
            "verdict": verdict, "answer": summary(task, known.answer) if known else "",
            "detail": ours.detail or theirs.detail}


# ---- planning ----

def plan(directory, per_tier, semantics, tasks):
    """Jobs for a seeded sample of each tier's frameworks, one seeded query argument each. The
    frameworks take turns across the tiers, so that a run cut short by its budget still covers
    every tier; the tasks of a framework go from the cheap semantics to the costly ones."""
    rng = random.Random(SAMPLE_SEED)
    with open(os.path.join(directory, "index.csv")) as index:
        frameworks = list(csv.DictReader(index))
    samples = [stratified_sample([row for row in frameworks if row["tier"] == tier],
                                 per_tier.get(tier, 0), rng) for tier in TIERS]
    jobs = []
    for turn in range(max(len(sample) for sample in samples)):
        for tier, sample in zip(TIERS, samples):
            if turn < len(sample):
                row = sample[turn]
                n = int(row["arguments"])
                base = os.path.join(directory, row["name"])
                jobs += framework_jobs(tier, row["name"], n, rng.randint(1, n), base, semantics,
                                       tasks)
    return jobs


def family_of(name):
    for family, pattern in FAMILIES:
        if pattern.search(name):
            return family
    return "other"


def read_i23(path):
    """The number of arguments and the attacks of an i23 file, numbered from 1."""
    n, attacks = 0, []
    with open(path) as text:
        for line in text:
            fields = line.split()
            if not fields or fields[0].startswith("#"):
                continue
            if fields[0] == "p":
                n = int(fields[2])
            else:
                attacks.append((int(fields[0]), int(fields[1])))
    return n, attacks


def plan_files(directory, scratch, semantics, tasks):
    """Jobs for every competition file of the folder, in name order, one seeded query argument
    each; clingo reads an APX copy written to the scratch folder."""
    rng = random.Random(SAMPLE_SEED)
    jobs = []
    for file_name in sorted(os.listdir(directory)):
        if not file_name.endswith((".af", ".i23")):
            continue
        path = os.path.join(directory, file_name)
        n, attacks = read_i23(path)
        apx = os.path.join(scratch, file_name + ".apx")
        with open(apx, "w") as facts:
            facts.writelines(f"arg(a{i}).\n" for i in range(1, n + 1))
            facts.writelines(f"att(a{a},a{b}).\n" for a, b in attacks)
        query = rng.randint(1, max(n, 1))
        jobs += [("real", file_name, n, task, sem, query, path, apx)
                 for sem in semantics for task in tasks if not (task == "DS" and sem == "GR")]
    return jobs


def stratified_sample(frameworks, count, rng):
    """count frameworks, taken from the families in turn (er, ba, ws, grid; in the hard tier
    each mean), each family's frameworks in a seeded random order."""
    families = {}
    for row in frameworks:
        name = row["name"]
        family = name.rsplit("_", 1)[0] if name.startswith("hard") else name.split("_")[0]
        families.setdefault(family, []).append(row)
    for members in families.values():
        rng.shuffle(members)
    chosen = []
    while len(chosen) < min(count, len(frameworks)):
        for members in families.values():
            if members and len(chosen) < count:
                chosen.append(members.pop())
    return chosen


def framework_jobs(tier, name, n, query, base, semantics=SEMANTICS, tasks=TASKS):
    return [(tier, name, n, task, sem, query, base + ".i23", base + ".apx")
            for sem in semantics for task in tasks if not (task == "DS" and sem == "GR")]


def random_frameworks(directory, count):
    """Small random frameworks (1 to 9 arguments, self-attacks allowed) for --validate."""
    rng = random.Random(SAMPLE_SEED)
    jobs = []
    for k in range(count):
        n = rng.randint(1, 9)
        p = rng.choice((0.1, 0.2, 0.3, 0.45))
        attacks = [(a, b) for a in range(1, n + 1) for b in range(1, n + 1) if rng.random() < p]
        base = os.path.join(directory, f"small{k}")
        with open(base + ".i23", "w") as i23:
            i23.write(f"p af {n}\n" + "".join(f"{a} {b}\n" for a, b in attacks))
        with open(base + ".apx", "w") as apx:
            apx.write("".join(f"arg(a{i}).\n" for i in range(1, n + 1)))
            apx.write("".join(f"att(a{a},a{b}).\n" for a, b in attacks))
        jobs += framework_jobs("small", f"small{k}", n, rng.randint(1, n), base)
    return jobs


# ---- the table ----

def timed_rows(rows):
    """The rows that say something about speed: both tools answered, or one ran out of time
    (its time then counts as the time limit, a bound). Rows where both ran out of time, or
    either failed or went over the output limit, are left out."""
    return [r for r in rows
            if {r["ours_status"], r["clingo_status"]} in ({"ok"}, {"ok", "timeout"})]


def seconds(row, tool, kind="wall"):
    """The run's time; a run out of time counts as its time limit."""
    if row[f"{tool}_status"] == "timeout":
        return float(row["timeout"])
    return float(row[f"{tool}_{kind}"])


def group_line(label, rows):
    timed = timed_rows(rows)

    def ratio(kind):
        values = [seconds(r, "clingo", kind) / max(seconds(r, "ours", kind), 1e-3)
                  for r in timed]
        return f"{statistics.median(values):.1f}" if values else "–"

    def median_time(tool):
        values = [seconds(r, tool) for r in timed]
        return f"{statistics.median(values):.3f}" if values else "–"

    equal = sum(r["verdict"] == "equal" for r in rows)
    different = sum(r["verdict"] == "DIFFERENT" for r in rows)
    both_out = sum(r["ours_status"] == r["clingo_status"] == "timeout" for r in rows)
    ours_out = sum(r["ours_status"] == "timeout" for r in rows) - both_out
    clingo_out = sum(r["clingo_status"] == "timeout" for r in rows) - both_out
    other = len(rows) - len(timed) - both_out
    return (f"| {label} | {len(rows)} | {equal} | {different} | {ours_out} / {clingo_out} / "
            f"{both_out} | {other} | {median_time('ours')} | {median_time('clingo')} | "
            f"{ratio('wall')} | {ratio('cpu')} |")


def table(rows):
    header = ("| {} | runs | equal | different | out of time: ours / clingo / both | other | "
              "median ours (s) | median clingo (s) | median ratio clingo/ours, wall | CPU |\n"
              "|---|---|---|---|---|---|---|---|---|---|")
    standard = [r for r in rows if r["tier"] not in ("hard", "real")]
    hard = [r for r in rows if r["tier"] == "hard"]
    parts = []
    for title, key, values, subset in (
            ("Per semantics, every tier but the hard one", "semantics", SEMANTICS, standard),
            ("Per tier, every semantics", "tier", TIERS + ("small", "real"), rows),
            ("Per task, every tier but the hard one", "task", TASKS, standard),
            ("Hard tier (300 arguments, 10 to 14 attacks each) per semantics", "semantics",
             SEMANTICS, hard),
            ("Hard tier per task", "task", TASKS, hard)):
        lines = [group_line(value, [r for r in subset if r[key] == value])
                 for value in values if any(r[key] == value for r in subset)]
        if lines:
            parts.append(f"{title}:\n\n" + header.format(key) + "\n" + "\n".join(lines))
    real = [r for r in rows if r["tier"] == "real"]
    if real:
        parts.append(real_tables(real))
    decisions = [r for r in rows if r["tier"] == "2000" and r["task"] in ("DC", "DS", "SE")]
    if decisions:
        longest = max(decisions, key=lambda r: seconds(r, "ours"))
        over = sum(seconds(r, "ours") > 10 for r in decisions)
        parts.append(f"Longest DC, DS or SE run of dialectic-solve on 2,000 arguments: "
                     f"{seconds(longest, 'ours'):.2f} s ({longest['task']}-"
                     f"{longest['semantics']} on {longest['instance']}); {over} over 10 s.")
    return "\n\n".join(parts) + "\n"


def solved_line(label, rows):
    """Runs, solved within the time limit by each tool, median ratio clingo/ours (wall) where
    both answered or one ran out of time, disagreements."""
    timed = timed_rows(rows)
    ratios = [seconds(r, "clingo") / max(seconds(r, "ours"), 1e-3) for r in timed]
    ratio = f"{statistics.median(ratios):.1f}" if ratios else "–"
    ours = sum(r["ours_status"] == "ok" for r in rows)
    theirs = sum(r["clingo_status"] == "ok" for r in rows)
    only_clingo = sum(r["clingo_status"] == "ok" and r["ours_status"] != "ok" for r in rows)
    different = sum(r["verdict"] == "DIFFERENT" for r in rows)
    return (f"| {label} | {len(rows)} | {ours} | {theirs} | {only_clingo} | {ratio} | "
            f"{different} |")


def real_tables(rows):
    header = ("| {} | runs | solved by ours | solved by clingo | solved by clingo only | "
              "median ratio clingo/ours | different |\n|---|---|---|---|---|---|---|")
    for row in rows:
        row["family"] = family_of(row["instance"])
        row["problem"] = f"{row['task']}-{row['semantics']}"
    families = sorted(set(r["family"] for r in rows))
    by_family = [solved_line(f"{family} {task}", [r for r in rows if r["family"] == family
                                                  and r["task"] == task])
                 for family in families for task in ALL_TASKS
                 if any(r["family"] == family and r["task"] == task for r in rows)]
    problems = list(dict.fromkeys(r["problem"] for r in rows))
    by_problem = [solved_line(problem, [r for r in rows if r["problem"] == problem])
                  for problem in problems]
    text = ("Competition files, per family and task:\n\n" + header.format("family, task") +
            "\n" + "\n".join(by_family) + "\n\nCompetition files, per task and semantics:\n\n" +
            header.format("task") + "\n" + "\n".join(by_problem))
    lost = [r for r in rows if r["clingo_status"] == "ok" and r["ours_status"] != "ok"]
    different = [r for r in rows if r["verdict"] == "DIFFERENT"]
    for title, listed in (("Answered by clingo only", lost), ("Disagreements", different)):
        text += f"\n\n{title}: " + (", ".join(
            f"{r['problem']} on {r['instance']}" + (f" (query {r['query']})" if r["query"] else "")
            + f" [ours {r['ours_status']}, clingo {float(r['clingo_wall']):.1f} s]"
            for r in listed) or "none") + "."
    return text


def main():
    limit_output()
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--solver", default="build/default/dialectic-solve")
    parser.add_argument("--instances", action="append",
                        help="a generated folder (with index.csv) or a folder of competition "
                             "files; may be given more than once (default: build/iccma/instances)")
    parser.add_argument("--per-tier", default=DEFAULT_PER_TIER,
                        help="frameworks sampled per tier, as tier=count pairs")
    parser.add_argument("--semantics", default=",".join(SEMANTICS),
                        help="the semantics to run, a sample of the same frameworks")
    parser.add_argument("--tasks", default=",".join(TASKS), help="of SE, DC, DS, EE, CE")
    parser.add_argument("--timeout", type=int, default=30, help="seconds per run")
    parser.add_argument("--budget", type=float, default=1200,
                        help="seconds after which no further job starts")
    parser.add_argument("--out", default="build/iccma")
    parser.add_argument("--append", action="store_true",
                        help="add to the runs of an earlier run in the same --out folder")
    parser.add_argument("--validate", type=int, default=0,
                        help="compare on this many small random frameworks instead")
    options = parser.parse_args()
    os.makedirs(options.out, exist_ok=True)
    scratch = tempfile.TemporaryDirectory()
    if options.validate:
        jobs = random_frameworks(scratch.name, options.validate)
    else:
        per_tier = {tier: int(count) for tier, count in
                    (pair.split("=") for pair in options.per_tier.split(","))}
        jobs = []
        for directory in options.instances or ["build/iccma/instances"]:
            if os.path.exists(os.path.join(directory, "index.csv")):
                jobs += plan(directory, per_tier, options.semantics.split(","),
                             options.tasks.split(","))
            else:
                jobs += plan_files(directory, scratch.name, options.semantics.split(","),
                                   options.tasks.split(","))
    runs_path = os.path.join(options.out, "validate.csv" if options.validate else "runs.csv")
    rows = []
    if options.append:
        with open(runs_path) as earlier:
            rows = list(csv.DictReader(earlier))
    start = time.perf_counter()
    skipped, given_up, double_timeouts = 0, set(), {}
    for job in jobs:
        # Where both tools ran out of time on one task, the other tasks of that semantics on that
        # framework would most likely too, and after two such tasks the rest of the framework:
        # they are left out to keep the run within its budget.
        name, semantics = job[1], job[4]
        if (time.perf_counter() - start > options.budget or (name, semantics) in given_up
                or double_timeouts.get(name, 0) >= 2):
            skipped += 1
            continue
        row = compare(options.solver, job, options.timeout)
        rows.append(row)
        if row["ours_status"] == row["clingo_status"] == "timeout":
            given_up.add((name, semantics))
            double_timeouts[name] = double_timeouts.get(name, 0) + 1
        if row["verdict"] == "DIFFERENT" or row["detail"]:
            print(f"{row['verdict']}: {job[3]}-{job[4]} {job[1]} query {job[5]} "
                  f"{row['detail']}", file=sys.stderr)
    with open(runs_path, "w", newline="") as runs:
        writer = csv.DictWriter(runs, fieldnames=list(rows[0].keys()))
        writer.writeheader()
        writer.writerows(rows)
    text = table(rows) + "\nFrameworks: " + ", ".join(
        dict.fromkeys(row["instance"] for row in rows)) + ".\n"
    text += (f"\nThis run: {len(jobs) - skipped} tasks run by each tool in"
             f" {time.perf_counter() - start:.0f} s of wall time; {skipped} not started (past the"
             f" budget, or both tools out of time on another task of the same framework and"
             f" semantics, or on two tasks of the framework).\n")
    with open(runs_path[:-len(".csv")] + ".md", "w") as markdown:
        markdown.write(text)
    print(text)
    return 1 if any(r["verdict"] == "DIFFERENT" for r in rows) else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation testing of the core: how many small faults do the tests catch?

Each mutant changes one operator, one boolean literal or deletes one statement
in a source file of the core library. The script rebuilds, runs the tests and
puts the file back exactly as it was. A mutant the tests fail on is killed; one
they pass is a behaviour no test checks. The mutants are enumerated in a fixed
order and sampled with a fixed seed, so that the same set can be measured
before and after a change to the tests.

    python3 scripts/mutate.py --list           # the sampled mutants, nothing run
    python3 scripts/mutate.py                  # 60 mutants, seed 1, core build
    python3 scripts/mutate.py --count 30 --gui # a full build, the windows' tests too
    python3 scripts/mutate.py --files text/      # faults in one folder's sources only
"""

import argparse
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CORE_FOLDERS = ("platform", "text", "wordforms", "shell", "formats", "commands", "cli")

CORE_OPTIONS = ["-DLEXALON_CORE_ONLY=ON"]
GUI_OPTIONS = ["-DLEXALON_CORE_ONLY=OFF"]
COMMON_OPTIONS = ["-G", "Ninja", "-DLEXALON_BENCHMARKS=OFF", "-DCMAKE_BUILD_TYPE=Release",
                  "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
# The end-to-end and CUPS tests start servers of their own and need root or
# a display; the full build's other tests run offscreen.
GUI_EXCLUDED_TESTS = "e2e|cups"
# A mutant that loops in a compile-time table would otherwise hold the build.
BUILD_TIMEOUT_SECONDS = 1200


# ---------------------------------------------------------------- sources

def core_sources():
    """The C++ files the build puts into lexalon_core on a POSIX system."""
    files = []
    for folder in CORE_FOLDERS:
        text = (ROOT / folder / "CMakeLists.txt").read_text(encoding="utf-8")
        text = re.sub(r"#[^\n]*", "", text)
        branches = []  # one (condition, taken) pair per open if()
        for command, args in re.findall(r"(\w+)\s*\(([^)]*)\)", text):
            command = command.lower()
            if command == "if":
                branches.append((args.strip(), True))
            elif command in ("else", "elseif"):
                condition, _ = branches.pop()
                branches.append((condition, False))
            elif command == "endif":
                branches.pop()
            elif command == "target_sources":
                words = args.split()
                windows_only = ("WIN32", True) in branches
                if words[0] != "lexalon_core" or windows_only:
                    continue
                files += [f"{folder}/{name}" for name in words[1:]
                          if name.endswith((".cpp", ".h"))]
    # By name first, so that moving a file between folders keeps the sample.
    return sorted(files, key=lambda path: (path.rsplit("/", 1)[-1], path))


# ---------------------------------------------------------------- mutants

@dataclass(frozen=True)
class Mutant:
    path: str
    line: int      # 1-based
    column: int    # 0-based start of the replaced text
    length: int    # characters replaced; the whole line for a deletion
    operator: str
    before: str
    after: str

    def mutated_line(self, line):
        if self.operator == "statement deletion":
            return ""
        return line[:self.column] + self.after + line[self.column + self.length:]

    def describe(self, lines):
        text = lines[self.line - 1].rstrip("\r\n")
        after = self.mutated_line(text).strip() or "(deleted)"
        return f"{self.path}:{self.line}  {self.operator}  {text.strip()}  →  {after}"


SWAPS = {
    "<": ("relational", "<="), "<=": ("relational", "<"),
    ">": ("relational", ">="), ">=": ("relational", ">"),
    "==": ("equality", "!="), "!=": ("equality", "=="),
    "+": ("arithmetic", "-"), "-": ("arithmetic", "+"),
    "&&": ("logical", "||"), "||": ("logical", "&&"),
}
STEPS = {"++": "--", "--": "++"}
BOOLEANS = {"true": "false", "false": "true"}

TOKEN = re.compile(r"""
    (?P<comment>//.*)
  | (?P<block>/\*)
  | (?P<string>(?:u8|u|U|L)?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"
             | (?:u8|u|U|L)?"(?:\\.|[^"\\])*"
             | (?:u8|u|U|L)?'(?:\\.|[^'\\])*')
  | (?P<word>[A-Za-z_]\w*)
  | (?P<number>\.?\d(?:[eEpP][+-]|[\w.'])*)
  | (?P<op><=>|<<=|>>=|->\*|->|<<|>>|<=|>=|==|!=|&&|\|\||\+\+|--|::|[-+*/%^&|~!=<>?:;,.(){}\[\]#])
  | (?P<space>\s+)
""", re.VERBOSE)

# Statements that are not a bare expression: deleting them breaks the build
# or the function's shape rather than one behaviour.
NOT_EXPRESSIONS = {"return", "co_return", "throw", "using", "typedef", "static_assert",
                   "goto", "case", "default", "template", "friend", "namespace"}
EXPRESSION_KEYWORDS = {"delete", "Q_EMIT", "break", "continue"}
# Compiled out in a release build (NDEBUG): deleting them changes nothing.
NO_OP_CALLS = {"assert", "Q_ASSERT", "Q_ASSERT_X", "Q_UNUSED"}
# Calls that only make the program faster: without them it behaves the same.
SPEED_ONLY_CALLS = {"reserve", "squeeze", "shrink_to_fit", "_mm_prefetch"}
SCOPE_KEYWORDS = {"class", "struct", "union", "enum", "namespace", "extern"}


@dataclass
class Token:
    kind: str
    text: str
    start: int
    end: int


def tokenize(line):
    """The tokens of one line, and whether it opens a block comment left open."""
    tokens = []
    position = 0
    while position < len(line):
        match = TOKEN.match(line, position)
        if not match:
            position += 1  # a stray character (a backslash, say) is no token
            continue
        kind = match.lastgroup if match.lastgroup != "delim" else "string"
        if kind == "comment":
            break
        if kind == "block":
            close = line.find("*/", match.end())
            if close < 0:
                return tokens, True
            position = close + 2
            continue
        if kind != "space":
            tokens.append(Token(kind, match.group(), match.start(), match.end()))
        position = match.end()
    return tokens, False


def spaced(line, token):
    """A binary operator as this code base writes it: a blank on each side.

    That leaves out templates' angle brackets (std::vector<int>), unary
    signs (-1), references (T&&) and pointers alike."""
    return (token.start > 0 and line[token.start - 1].isspace()
            and token.end < len(line) and line[token.end].isspace())


def operator_mutants(path, number, line, tokens):
    # Beside a string, + joins strings: a - would not build.
    strings = any(token.kind == "string" for token in tokens)
    for index, token in enumerate(tokens):
        previous = tokens[index - 1].text if index else ""
        if previous == "operator" or (strings and token.text in ("+", "-")):
            continue
        if token.kind == "op" and token.text in SWAPS and spaced(line, token):
            operator, after = SWAPS[token.text]
            yield Mutant(path, number, token.start, len(token.text), operator, token.text, after)
        elif token.kind == "op" and token.text in STEPS:
            yield Mutant(path, number, token.start, 2, "increment", token.text, STEPS[token.text])
        elif token.kind == "word" and token.text in BOOLEANS:
            yield Mutant(path, number, token.start, len(token.text), "boolean",
                         token.text, BOOLEANS[token.text])


def is_expression_statement(tokens):
    """Whether a line holding one whole statement is an expression, not a declaration."""
    first = tokens[0].text
    if first in NOT_EXPRESSIONS or first in NO_OP_CALLS or first in "{}":
        return False
    if any(t.text in SPEED_ONLY_CALLS for t in tokens):
        return False
    if first in EXPRESSION_KEYWORDS or first in ("++", "--", "*"):
        return True
    # What comes before the first '=' or '(' of a declaration is a type and a
    # name, two words side by side; in an expression it is one lvalue path.
    depth = 0
    words = 0
    last = None
    for token in tokens:
        if depth == 0 and token.text in ("=", "(", "{", ";", "+=", "-=", "*=", "/=", "|=",
                                         "&=", "^=", "%=", "<<=", ">>=", "++", "--"):
            break
        if token.text in ("<", "["):
            depth += 1
        elif token.text in (">", "]"):
            depth -= 1
        elif depth == 0 and token.kind == "word" and (last is None or last.kind == "word"
                                                      or last.text in (">", "*", "&", "&&")):
            words += 1
        last = token
    return words == 1


def deletion_mutant(path, number, line, tokens, depth_before, previous_end):
    if depth_before != 0 or not tokens or tokens[-1].text != ";":
        return None
    if previous_end not in (";", "{", "}", ":"):
        return None  # the line continues a statement, or is the body of an if without braces
    depth = 0
    for token in tokens:
        depth += (token.text in "([{") - (token.text in ")]}")
        if depth < 0:
            return None
    if depth != 0 or not is_expression_statement(tokens):
        return None
    text = line.rstrip("\r\n")
    return Mutant(path, number, 0, len(text), "statement deletion", text.strip(), "")


def block_kind(statement):
    """What a '{' opens, from the tokens of the statement it ends."""
    words = {token.text for token in statement}
    if words & SCOPE_KEYWORDS:
        return "scope"
    if statement and statement[-1].text in ("=", "(", ",", "return"):
        return "initializer"
    return "code"


def file_mutants(path, lines):
    in_block = False
    in_directive = False
    paren_depth = 0
    previous_end = "{"
    blocks = []      # the kind of each open brace
    statement = []   # the tokens since the last ';', '{' or '}'
    for number, line in enumerate(lines, start=1):
        text = line.rstrip("\r\n")
        if in_block:
            close = text.find("*/")
            if close < 0:
                continue
            text = " " * (close + 2) + text[close + 2:]
            in_block = False
        if in_directive or text.lstrip().startswith("#"):
            in_directive = text.endswith("\\")
            continue
        tokens, in_block = tokenize(text)
        if not tokens:
            continue
        if blocks and blocks[-1] == "code":
            deletion = deletion_mutant(path, number, text, tokens, paren_depth, previous_end)
            if deletion:
                yield deletion
        if not any(t.text == "static_assert" for t in tokens):
            yield from operator_mutants(path, number, text, tokens)
        for token in tokens:
            if token.text in ("(", "["):
                paren_depth += 1
            elif token.text in (")", "]"):
                paren_depth = max(0, paren_depth - 1)
            elif token.text == "{":
                blocks.append(block_kind(statement))
            elif token.text == "}" and blocks:
                blocks.pop()
            if token.text in (";", "{", "}"):
                statement = []
            else:
                statement.append(token)
        previous_end = tokens[-1].text


def read_lines(path):
    # surrogateescape: the exact bytes come back when the file is restored
    return (ROOT / path).read_bytes().decode("utf-8", "surrogateescape").splitlines(keepends=True)


def all_mutants(files):
    mutants = []
    for path in files:
        mutants += file_mutants(path, read_lines(path))
    return mutants


def sample(mutants, count, seed):
    """The first mutants of a seeded shuffle: a smaller count takes a part of a larger one's."""
    shuffled = list(mutants)
    random.Random(seed).shuffle(shuffled)
    chosen = shuffled[:count]
    return sorted(chosen, key=lambda m: (m.path, m.line, m.column, m.operator))


def fingerprint(mutants):
    text = "\n".join(f"{m.path}:{m.line}:{m.column}:{m.before}>{m.after}" for m in mutants)
    return hashlib.sha256(text.encode("utf-8", "surrogateescape")).hexdigest()[:12]


# ---------------------------------------------------------------- running

HANDLED_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}


class Stopped(Exception):
    """A termination signal: unwinds through every finally that restores a file."""


def on_signal(signum, _frame):
    raise Stopped(f"signal {signum}")


def git(*args):
    return subprocess.run(["git", "-C", str(ROOT), *args], capture_output=True, text=True)


def dirty(files):
    status = git("status", "--porcelain", "--", *files)
    if status.returncode != 0:
        sys.exit(f"git status failed: {status.stderr.strip()}")
    return status.stdout.strip()


def run(command, log, timeout=None, env=None):
    """Runs a command in a process group of its own, its output to a log file."""
    with open(log, "w", encoding="utf-8") as out:
        process = subprocess.Popen(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT,
                                   env=env, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


class Runner:
    def __init__(self, args):
        self.build = ROOT / args.build_dir
        self.gui = args.gui
        self.timeout = args.timeout
        self.excluded = "|".join(filter(None, [GUI_EXCLUDED_TESTS if args.gui else "", args.exclude]))
        self.log = self.build / "mutation.log"
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    def configure(self):
        options = COMMON_OPTIONS + (GUI_OPTIONS if self.gui else CORE_OPTIONS)
        self.build.mkdir(parents=True, exist_ok=True)
        if run(["cmake", "-S", ".", "-B", str(self.build), *options], self.log) != 0:
            sys.exit(f"cmake could not configure {self.build}: see {self.log}")

    def compile(self):
        """'built', 'failed' or 'broken' (the mutant made a test crash while listing)."""
        code = run(["cmake", "--build", str(self.build), "-j2"], self.log,
                   timeout=BUILD_TIMEOUT_SECONDS, env=self.env)
        if code == 0:
            return "built"
        # gtest_discover_tests runs each test executable at build time.
        if "Error running test executable" in self.log.read_text(errors="replace"):
            return "broken"
        return "failed"

    def test(self):
        """None if every test passed, else the names of the failed ones."""
        # One failure kills the mutant: the rest of the tests would only cost
        # time, up to a timeout each where the mutant loops.
        command = ["ctest", "--test-dir", str(self.build), "-j2", "--timeout", str(self.timeout),
                   "--stop-on-failure"]
        if self.excluded:
            command += ["-E", self.excluded]
        code = run(command, self.log, env=self.env)
        if code == 0:
            return None
        # The progress lines: "Test #12: Name ....***Failed" (or Timeout, Exception).
        output = self.log.read_text(errors="replace")
        failed = [name for name, outcome in re.findall(r"Test +#\d+: (\S+) \.*\s*\*\*\*(\w+)", output)
                  if outcome not in ("Skipped", "Not")]
        return failed or [f"ctest exit status {code}"]

    def baseline(self):
        self.configure()
        if self.compile() != "built":
            sys.exit(f"the unmutated tree does not build: see {self.log}")
        began = time.monotonic()
        failed = self.test()
        if failed:
            sys.exit(f"tests fail on the unmutated tree ({', '.join(failed)}): see {self.log}; "
                     "fix them, or leave them out with --exclude")
        print(f"unmutated tree: every test passes ({time.monotonic() - began:.0f} s)", flush=True)

    def measure(self, mutant):
        path = ROOT / mutant.path
        original = path.read_bytes()
        lines = original.decode("utf-8", "surrogateescape").splitlines(keepends=True)
        line = lines[mutant.line - 1]
        ending = line[len(line.rstrip("\r\n")):]
        lines[mutant.line - 1] = mutant.mutated_line(line.rstrip("\r\n")) + ending
        try:
            path.write_bytes("".join(lines).encode("utf-8", "surrogateescape"))
            built = self.compile()
            if built == "failed":
                return "build error", []
            if built == "broken":
                return "killed", ["test discovery"]
            failed = self.test()
            return ("killed", failed) if failed else ("survived", [])
        finally:
            # No signal may cut the restoring short.
            held = signal.pthread_sigmask(signal.SIG_BLOCK, HANDLED_SIGNALS)
            try:
                path.write_bytes(original)
                if git("diff", "--quiet", "--", mutant.path).returncode != 0:
                    sys.exit(f"{mutant.path} was not restored: check it with git diff")
            finally:
                signal.pthread_sigmask(signal.SIG_SETMASK, held)


def measure_all(runner, chosen, files):
    texts = {path: read_lines(path) for path in {m.path for m in chosen}}
    results = {"killed": [], "survived": [], "build error": []}
    started = time.monotonic()
    for index, mutant in enumerate(chosen, start=1):
        began = time.monotonic()
        outcome, failed = runner.measure(mutant)
        results[outcome].append(mutant)
        seconds = time.monotonic() - began
        by = f"  by {', '.join(failed[:3])}" if failed else ""
        print(f"[{index:3}/{len(chosen)}] {outcome.upper():11} {seconds:5.0f} s  "
              f"{mutant.describe(texts[mutant.path])}{by}", flush=True)
    elapsed = time.monotonic() - started
    if dirty(files):
        sys.exit("the sources differ from git after the run: check git status")
    return results, elapsed, texts


def report(results, elapsed, texts, count):
    killed, survived = len(results["killed"]), len(results["survived"])
    judged = killed + survived
    score = 100.0 * killed / judged if judged else 0.0
    print()
    print(f"mutants: {count}  killed: {killed}  survived: {survived}  "
          f"build errors: {len(results['build error'])}")
    print(f"score: {killed}/{judged} = {score:.1f} %")
    print(f"time: {elapsed / 60:.1f} min, {elapsed / max(count, 1):.0f} s per mutant")
    if survived:
        print("survived (behaviours no test checks):")
        for mutant in results["survived"]:
            print(f"  {mutant.describe(texts[mutant.path])}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--count", type=int, default=60, help="mutants in the sample (default 60)")
    parser.add_argument("--list", action="store_true", help="print the sampled mutants, run nothing")
    parser.add_argument("--gui", action="store_true",
                        help="full build: the windows' tests run too (default: core only)")
    parser.add_argument("--build-dir", help="build directory (default build-mutation, "
                        "build-mutation-gui with --gui)")
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test (default 60)")
    parser.add_argument("--exclude", metavar="REGEX",
                        help="tests to leave out (ctest -E), such as one that fails unmutated")
    parser.add_argument("--files", metavar="REGEX",
                        help="mutate only the sources whose path matches, such as 'text/'")
    args = parser.parse_args()
    if args.build_dir is None:
        args.build_dir = "build-mutation-gui" if args.gui else "build-mutation"

    files = core_sources()
    if args.files:
        files = [path for path in files if re.search(args.files, path)]
    mutants = all_mutants(files)
    chosen = sample(mutants, args.count, args.seed)
    print(f"{len(mutants)} mutants in {len(files)} files; sample of {len(chosen)}, "
          f"seed {args.seed}, fingerprint {fingerprint(chosen)}", flush=True)
    if args.exclude:
        print(f"tests left out: {args.exclude}", flush=True)
    if args.list:
        texts = {path: read_lines(path) for path in {m.path for m in chosen}}
        for mutant in chosen:
            print(mutant.describe(texts[mutant.path]))
        return

    changed = dirty(files)
    if changed:
        sys.exit("the core's sources have uncommitted changes; commit or stash them first:\n"
                 + changed)
    for signum in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, on_signal)
    runner = Runner(args)
    try:
        runner.baseline()
        results, elapsed, texts = measure_all(runner, chosen, files)
    except (KeyboardInterrupt, Stopped) as stop:
        sys.exit(f"stopped ({stop or 'interrupted'}); every mutated file was restored")
    report(results, elapsed, texts, len(chosen))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""A small mutation tester: how many injected faults does the test suite catch?

A mutant is one small edit of one source line. The sample file lists one mutant a line,
tab-separated:

    id  operator  file:line:column  original  replacement

(`#` starts a comment line). The column is 1-based and points at `original` in that line.
Operators: `cmp` flips a comparison, `cond` drops a condition (one operand of && / ||, or the
whole `if` condition made true or false), `sign` swaps a sign or the debit/credit side, `skip`
skips a statement (inside a transaction where the file has one), `msg` changes a character of a
message text, `off1` moves an integer or a bound by one.

Usage (from the repository root; the build directory must be configured, `make build`):

    tools/mutate.py generate --seed 23 --count 120 > tools/mutants.txt
    tools/mutate.py run tools/mutants.txt --results build/mutants-before.jsonl > mut.log 2>&1 &
    tools/mutate.py report build/mutants-before.jsonl [--against build/mutants-after.jsonl]

`run` first builds and runs the untouched suite (it must pass), then for each mutant: applies
it, rebuilds only the test targets (ninja -j2; every build holds the lock file
/tmp/lumvoucher-build.lock, so `flock /tmp/lumvoucher-build.lock ninja ...` by hand never
overlaps it), runs the test binaries the build relinked (lumvoucher_tests without NumberRace,
dialect_tests, ui_tests; the NumberRace entry only for numbering and saving files), and records
killed (a test failed, crashed or timed out), survived or not-compiled, with the names of the
failing tests. The source file is restored after every mutant, also on Ctrl-C, SIGTERM or an
error; a restore left pending by a killed run is done at the next start (or `restore`). Results
are appended one JSON line per mutant, so a stopped run resumes where it was. The kill rate is
killed / (killed + survived): mutants that do not compile are left out.

`report` prints the kill rate by area and operator, the survivors, and the mutants only one test
kills (the tests that must stay); `--against` compares two runs of the same sample.
"""
import argparse
import fcntl
import json
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LOCK = "/tmp/lumvoucher-build.lock"

# The business logic the sample is drawn from, by area (Qt view code is left out).
AREAS = {
    "rules": ["src/voucher/line_rules.cpp", "src/voucher/header_rules.cpp",
              "src/voucher/line_arithmetic.cpp", "src/voucher/account_completion.cpp",
              "src/voucher/write_form.cpp", "src/voucher/voucher_model.cpp",
              "src/voucher/frm_voucher.cpp", "src/voucher/voucher_texts.h",
              "src/host/decimal_text.cpp", "src/host/calendar_date.cpp"],
    "saving": ["src/voucher/frm_voucher_save.cpp", "src/voucher/voucher_writer.cpp",
               "src/voucher/voucher_loader.cpp", "src/voucher/save_texts.h",
               "src/voucher/cost_collection.cpp", "src/voucher/voucher_reversal.cpp",
               "src/embedded/embedded_voucher_business.cpp"],
    "status": ["src/voucher/frm_voucher_status.cpp", "src/voucher/voucher_status.cpp",
               "src/voucher/status_texts.h", "src/frame/voucher_removal.cpp"],
    "lists": ["src/lists/voucher_list.cpp", "src/lists/list_query.cpp",
              "src/lists/list_commands.cpp", "src/lists/frm_batch_voucher.cpp",
              "src/lists/frm_list_voucher.cpp", "src/lists/frm_list_err_voucher.cpp",
              "src/lists/grid_cells.cpp", "src/lists/list_texts.h"],
    "numbering": ["src/numbering/number_ledger.cpp", "src/numbering/frm_voucher_renumber.cpp",
                  "src/numbering/frm_voucher_volume.cpp",
                  "src/numbering/frm_voucher_continuity.cpp",
                  "src/numbering/numbering_basis.cpp", "src/numbering/voucher_moves.cpp",
                  "src/numbering/number_report.cpp", "src/numbering/numbering_texts.h",
                  "src/embedded/id_service.cpp"],
    "cashflow": ["src/cashflow/frm_cash_flow_auto2.cpp", "src/cashflow/frm_voucher_cash_flow.cpp",
                 "src/cashflow/mdl_cash_flow.cpp", "src/cashflow/cash_flow_items.cpp",
                 "src/cashflow/voucher_cash_flow_check.cpp", "src/cashflow/cash_flow_command.cpp",
                 "src/cashflow/cash_flow_texts.h"],
    "dialect": ["src/embedded/dialect/tokenizer.cpp", "src/embedded/dialect/parser.cpp",
                "src/embedded/dialect/emitter.cpp", "src/embedded/dialect/outer_join.cpp",
                "src/embedded/dialect/exists_to_in.cpp", "src/embedded/dialect/conjunction.cpp",
                "src/embedded/dialect/oracle_format.cpp", "src/embedded/dialect/translator.cpp",
                "src/embedded/oracle_functions.cpp", "src/embedded/statement_cache.cpp"],
    "frame": ["src/frame/inter_face.cpp", "src/frame/text_functions.cpp",
              "src/frame/amount_words.cpp", "src/frame/voucher_lookup.cpp",
              "src/frame/number_insertion.cpp", "src/frame/operation_log.cpp",
              "src/frame/sql_text.cpp", "src/frame/uniqueness_stamp.cpp",
              "src/frame/id_list.cpp", "src/embedded/embedded_services.cpp",
              "src/embedded/embedded_period_service.cpp"],
}
QUOTA = {"rules": 16, "saving": 18, "status": 12, "lists": 16, "numbering": 16, "cashflow": 14,
         "dialect": 16, "frame": 12}
OPERATORS = ["cmp", "cond", "sign", "skip", "msg", "off1"]

# Files whose faults the two-process numbering race may be the only one to see.
RACE_FILES = re.compile(r"src/numbering/|frm_voucher_save|voucher_writer|id_service")
TEST_TARGETS = ["tests/lumvoucher_tests", "tests/dialect/dialect_tests", "tests/ui/ui_tests"]


# --- source scanning -------------------------------------------------------------------------

def code_mask(lines):
    """Per line, a string of the same length: 'c' for code, 's' inside a string or character
    literal (quotes included), ' ' inside a comment or a preprocessor line."""
    masks = []
    in_block = False
    for line in lines:
        m = []
        i = 0
        if not in_block and line.lstrip().startswith("#"):
            masks.append(" " * len(line))
            continue
        while i < len(line):
            ch = line[i]
            if in_block:
                if line.startswith("*/", i):
                    m += "  "
                    i += 2
                    in_block = False
                else:
                    m.append(" ")
                    i += 1
            elif line.startswith("//", i):
                m += " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                in_block = True
                m += "  "
                i += 2
            elif ch in "\"'":
                j = i + 1
                while j < len(line) and line[j] != ch:
                    j += 2 if line[j] == "\\" else 1
                j = min(j + 1, len(line))
                m += "s" * (j - i)
                i = j
            else:
                m.append("c")
                i += 1
        masks.append("".join(m))
    return masks


def balanced(text):
    depth = 0
    for ch in text:
        depth += {"(": 1, ")": -1}.get(ch, 0)
        if depth < 0:
            return False
    return depth == 0


def transaction_lines(lines, masks):
    """Line numbers (0-based) inside the block that holds a TransactionGuard."""
    inside = set()
    for n, line in enumerate(lines):
        if "TransactionGuard" not in line or "class TransactionGuard" in line:
            continue
        depth = 0
        for k in range(n, len(lines)):
            code = "".join(c for c, m in zip(lines[k], masks[k]) if m == "c")
            depth += code.count("{") - code.count("}")
            if depth < 0:
                break
            inside.add(k)
    return inside


CMP_FLIP = {"==": "!=", "!=": "==", "<": ">=", ">": "<=", "<=": ">", ">=": "<"}
BOUND_SHIFT = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
STATEMENT = re.compile(r"^[A-Za-z_]\w*(?:(?:\.|->|::)\w+|\[[^\]]*\])*\s*(?:\(|=[^=]|\+=|-=|\+\+|--)")
NOT_STATEMENT = re.compile(r"^(return|break|continue|case|default|else|if|for|while|do|switch|"
                           r"throw|try|catch|goto|using|namespace|template|typedef|static_assert)\b")


def condition_span(line, mask):
    """(start, end) of the condition of an `if (` whose parenthesis closes on this line."""
    m = re.search(r"\bif \(", line)
    if not m or mask[m.start()] != "c":
        return None
    start = m.end()
    depth = 1
    for i in range(start, len(line)):
        if mask[i] != "c":
            continue
        depth += {"(": 1, ")": -1}.get(line[i], 0)
        if depth == 0:
            return start, i
    return None


def top_level_operands(text, offset, mask):
    """Splits a condition at its top-level && or ||: [(start, end)] of each operand, with the
    operator kind, or None when it mixes both."""
    parts, kinds = [], set()
    depth, begin = 0, 0
    i = 0
    while i < len(text):
        ch = text[i]
        if mask[offset + i] == "c":
            if ch in "([{":
                depth += 1
            elif ch in ")]}":
                depth -= 1
            elif depth == 0 and text.startswith((" && ", " || "), i):
                parts.append((begin, i))
                kinds.add(text[i + 1:i + 3])
                begin = i + 4
                i += 4
                continue
        i += 1
    parts.append((begin, len(text)))
    return (parts, kinds) if len(kinds) == 1 else (None, kinds)


def candidates(path, lines):
    """Every mutant the operators can make in one file: (op, line, column, original, repl)."""
    masks = code_mask(lines)
    in_tx = transaction_lines(lines, masks)
    has_tx = bool(in_tx)
    out = []
    for n, (line, mask) in enumerate(zip(lines, masks)):
        stripped = line.strip()
        if not stripped or mask.strip() == "" or "static_assert" in line:
            continue
        # Comparisons and bounds.
        for m in re.finditer(r" (==|!=|<=|>=|<|>) ", line):
            if mask[m.start(1)] != "c" or "template" in line:
                continue
            op = m.group(1)
            out.append(("cmp", n, m.start(1), op, CMP_FLIP[op]))
            if op in BOUND_SHIFT:
                out.append(("off1", n, m.start(1), op, BOUND_SHIFT[op]))
        # Integer literals.
        for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", line):
            if mask[m.start()] != "c" or line.lstrip().startswith("case "):
                continue
            value = int(m.group(1))
            if value > 100000:
                continue
            repl = value + 1 if value == 0 or (n + m.start()) % 2 == 0 else value - 1
            out.append(("off1", n, m.start(), m.group(1), str(repl)))
        # Signs and sides.
        for m in re.finditer(r" (\+|-|\+=|-=) ", line):
            if mask[m.start(1)] != "c" or '"' in line or re.search(r"(?i)sql|text|str|name", line):
                continue
            op = m.group(1)
            out.append(("sign", n, m.start(1), op, {"+": "-", "-": "+", "+=": "-=", "-=": "+="}[op]))
        for m in re.finditer(r"\bk(Debit|Credit)\b", line):
            if mask[m.start()] == "c":
                other = "kCredit" if m.group(1) == "Debit" else "kDebit"
                out.append(("sign", n, m.start(), m.group(0), other))
        # Conditions.
        span = condition_span(line, mask)
        if span:
            start, end = span
            cond = line[start:end]
            parts, _ = top_level_operands(cond, start, mask)
            if parts and len(parts) > 1:
                k = (n * 7 + len(cond)) % len(parts)
                a, b = parts[k]
                if k + 1 < len(parts):
                    original = cond[a:parts[k + 1][0]]
                else:
                    a = parts[k - 1][1]
                    original = cond[a:b]
                out.append(("cond", n, start + a, original, ""))
            else:
                repl = "true" if n % 2 == 0 else "false"
                out.append(("cond", n, start, cond, repl))
        # Statements (inside a transaction where the file has one).
        indent = len(line) - len(line.lstrip())
        prev = lines[n - 1].rstrip() if n > 0 else ""
        if (stripped.endswith(";") and STATEMENT.match(stripped) and not NOT_STATEMENT.match(stripped)
                and balanced(stripped) and mask[indent] == "c"
                and (prev.endswith(("{", ";", "}")) or prev.strip().startswith("//"))
                and (not has_tx or n in in_tx)):
            out.append(("skip", n, indent, stripped, "{}"))
        # Message characters: a non-ASCII character of a literal.
        for m in re.finditer(r'"([^"\\]|\\.)*"', line):
            if mask[m.start()] != "s":
                continue
            chars = [i for i in range(m.start() + 1, m.end() - 1) if ord(line[i]) > 127
                     and line[i] not in "，。：；？！（）“”"]
            if chars:
                i = chars[(n + len(chars)) % len(chars)]
                out.append(("msg", n, i, line[i], "日" if line[i] == "口" else "口"))
    return [(op, n + 1, col + 1, orig, repl) for op, n, col, orig, repl in out]


def generate(args):
    rng = random.Random(args.seed)
    scale = args.count / sum(QUOTA.values())
    print(f"# Mutation sample: tools/mutate.py generate --seed {args.seed} --count {args.count}")
    print("# id\toperator\tfile:line:column\toriginal\treplacement")
    ident = 0
    for area, files in AREAS.items():
        pool = {op: [] for op in OPERATORS}
        for path in files:
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                lines = f.read().split("\n")
            for op, n, col, orig, repl in candidates(path, lines):
                pool[op].append((path, n, col, orig, repl))
        want = round(QUOTA[area] * scale)
        chosen = set()
        ops = [op for op in OPERATORS if pool[op]]
        # Round-robin over the operators so each area gets a mix, then random sites.
        k = 0
        while len(chosen) < want and any(set(pool[op]) - chosen for op in ops):
            op = ops[k % len(ops)]
            k += 1
            left = sorted(set(pool[op]) - chosen)
            if left:
                site = rng.choice(left)
                chosen.add(site)
                ident += 1
                print(f"{area}-{ident:03d}\t{op}\t{site[0]}:{site[1]}:{site[2]}\t{site[3]}\t{site[4]}")


# --- running ---------------------------------------------------------------------------------

class Mutant:
    def __init__(self, fields):
        self.id, self.op, where, self.original, self.replacement = fields
        self.file, line, col = where.rsplit(":", 2)
        self.line, self.col = int(line), int(col)


def read_sample(path):
    mutants = []
    with open(path, encoding="utf-8") as f:
        for raw in f:
            raw = raw.rstrip("\n")
            if raw and not raw.startswith("#"):
                fields = raw.split("\t")
                if len(fields) == 4:
                    fields.append("")
                mutants.append(Mutant(fields))
    return mutants


def pending_path(build):
    return os.path.join(build, "mutate.pending")


def restore_pending(build, quiet=False):
    path = pending_path(build)
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            saved = json.load(f)
        with open(saved["file"], "w", encoding="utf-8", newline="") as f:
            f.write(saved["text"])
        os.remove(path)
        if not quiet:
            print(f"restored {saved['file']}", flush=True)


def apply(mutant, root, build):
    path = os.path.join(root, mutant.file)
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    lines = text.split("\n")
    line = lines[mutant.line - 1]
    at = mutant.col - 1
    if line[at:at + len(mutant.original)] != mutant.original:
        return None
    with open(pending_path(build), "w", encoding="utf-8") as f:
        json.dump({"file": path, "text": text}, f)
    lines[mutant.line - 1] = line[:at] + mutant.replacement + line[at + len(mutant.original):]
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))
    return path


def build_targets(build, targets, timeout):
    with open(LOCK, "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            proc = subprocess.run(["ninja", "-C", build, "-j2"] + targets, capture_output=True,
                                  text=True, timeout=timeout)
            return proc.returncode == 0, proc.stdout[-3000:]
        except subprocess.TimeoutExpired:
            return False, "build timed out"


def run_binary(binary, gtest_filter, timeout, fail_fast=False):
    """(failed test names, seconds); a crash or timeout names the test that was running."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.pop("GTEST_TOTAL_SHARDS", None)
    env.pop("GTEST_SHARD_INDEX", None)
    cmd = [binary, "--gtest_color=no"] + ([f"--gtest_filter={gtest_filter}"] if gtest_filter else [])
    if fail_fast:
        cmd.append("--gtest_fail_fast")
    start = time.time()
    with open(os.devnull) as devnull:
        proc = subprocess.Popen(cmd, stdin=devnull, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, env=env, start_new_session=True)
        try:
            raw, _ = proc.communicate(timeout=timeout)
            code, suffix = proc.returncode, "crash"
        except subprocess.TimeoutExpired:
            # The desktop tests start processes of their own: end the whole group.
            os.killpg(proc.pid, signal.SIGKILL)
            raw, _ = proc.communicate()
            code, suffix = -1, "timeout"
    out = raw.decode("utf-8", errors="replace")
    failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+?\.\S+?)(?:,| \(|$)", out, re.M)))
    if code != 0 and not failed:
        running = re.findall(r"^\[ RUN      \] (\S+)", out, re.M)
        done = set(re.findall(r"^\[       OK \] (\S+)", out, re.M))
        open_tests = [t for t in running if t not in done]
        failed = [f"{suffix}:{open_tests[-1] if open_tests else os.path.basename(binary)}"]
    return failed, time.time() - start


def run_suite(build, binaries, race, timeout, fail_fast=False):
    failed = []
    for binary in binaries:
        name = os.path.basename(binary)
        filt = "-NumberRace.*" if name == "lumvoucher_tests" else ""
        f, _ = run_binary(os.path.join(build, binary), filt, timeout, fail_fast)
        failed += [f"{name}:{t}" for t in f]
        if race and name == "lumvoucher_tests" and not (fail_fast and failed):
            f, _ = run_binary(os.path.join(build, binary), "NumberRace.*", timeout, fail_fast)
            failed += [f"{name}:{t}" for t in f]
        if fail_fast and failed:
            break
    return failed


def mtimes(build):
    return {t: os.path.getmtime(os.path.join(build, t)) if os.path.exists(os.path.join(build, t))
            else 0 for t in TEST_TARGETS}


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted(f"signal {signum}")


def run(args):
    root = os.path.abspath(args.root)
    build = os.path.abspath(args.build)
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    restore_pending(build)
    mutants = read_sample(args.sample)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m.id in wanted]
    done = {}
    if os.path.exists(args.results):
        with open(args.results, encoding="utf-8") as f:
            for raw in f:
                r = json.loads(raw)
                done[r["id"]] = r
    ok, log = build_targets(build, TEST_TARGETS, args.build_timeout)
    if not ok:
        sys.exit("the untouched tree does not build:\n" + log)
    if not done:
        failed = run_suite(build, TEST_TARGETS, True, args.timeout)
        if failed:
            sys.exit("the untouched suite fails: " + ", ".join(failed))
        print("untouched suite passes", flush=True)
    out = open(args.results, "a", encoding="utf-8")
    try:
        for k, m in enumerate(mutants, 1):
            if m.id in done:
                continue
            start = time.time()
            result = {"id": m.id, "op": m.op, "file": m.file, "line": m.line}
            before = mtimes(build)
            try:
                if apply(m, root, build) is None:
                    result["status"] = "stale"
                else:
                    ok, log = build_targets(build, TEST_TARGETS, args.build_timeout)
                    if not ok:
                        result["status"] = "not-compiled"
                    else:
                        after = mtimes(build)
                        binaries = [t for t in TEST_TARGETS if after[t] != before[t]]
                        race = bool(RACE_FILES.search(m.file))
                        failed = run_suite(build, binaries, race, args.timeout, args.fail_fast)
                        result["status"] = "killed" if failed else "survived"
                        result["killers"] = failed
                        result["ran"] = [os.path.basename(b) for b in binaries]
            finally:
                restore_pending(build, quiet=True)
            result["seconds"] = round(time.time() - start)
            out.write(json.dumps(result, ensure_ascii=False) + "\n")
            out.flush()
            print(f"[{k}/{len(mutants)}] {m.id} {m.op} {m.file}:{m.line} {result['status']}"
                  f" ({result['seconds']} s) {' '.join(result.get('killers', [])[:3])}", flush=True)
    except (KeyboardInterrupt, Interrupted) as e:
        print(f"stopped: {e or 'Ctrl-C'}", flush=True)
    finally:
        restore_pending(build)
        out.close()
        # Leave the build matching the untouched tree.
        build_targets(build, TEST_TARGETS, args.build_timeout)
    report_file(args.results)


# --- reporting -------------------------------------------------------------------------------

def load(path):
    with open(path, encoding="utf-8") as f:
        return {r["id"]: r for r in map(json.loads, f)}


def rate(results):
    killed = sum(r["status"] == "killed" for r in results)
    survived = sum(r["status"] == "survived" for r in results)
    return killed, survived, (100.0 * killed / (killed + survived)) if killed + survived else 0.0


def report_file(path, against=None):
    res = load(path)
    rows = list(res.values())
    killed, survived, pct = rate(rows)
    other = sum(r["status"] not in ("killed", "survived") for r in rows)
    print(f"\n{path}: {len(rows)} mutants, {killed} killed, {survived} survived, "
          f"{other} not compiled or stale; kill rate {pct:.1f}%")
    for key in ("area", "op"):
        groups = {}
        for r in rows:
            groups.setdefault(r["id"].split("-")[0] if key == "area" else r["op"], []).append(r)
        print(f"  by {key}: " + ", ".join(
            f"{g} {rate(v)[0]}/{rate(v)[0] + rate(v)[1]}" for g, v in sorted(groups.items())))
    print("survivors: " + " ".join(r["id"] for r in rows if r["status"] == "survived"))
    single = {}
    for r in rows:
        if r["status"] == "killed" and len(r["killers"]) == 1:
            single.setdefault(r["killers"][0], []).append(r["id"])
    print("killed by one test only:")
    for test, ids in sorted(single.items()):
        print(f"  {test}: {' '.join(ids)}")
    if against:
        after = load(against)
        k2, s2, p2 = rate(list(after.values()))
        print(f"\n{against}: kill rate {p2:.1f}% ({k2}/{k2 + s2}) against {pct:.1f}% ({killed}/{killed + survived})")
        for i, r in sorted(res.items()):
            a = after.get(i)
            if a and r["status"] != a["status"]:
                print(f"  {i}: {r['status']} -> {a['status']}")


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = p.add_subparsers(dest="cmd", required=True)
    g = sub.add_parser("generate", help="print a reproducible random sample")
    g.add_argument("--seed", type=int, default=23)
    g.add_argument("--count", type=int, default=120)
    r = sub.add_parser("run", help="run a sample against the suite")
    r.add_argument("sample")
    r.add_argument("--results", required=True, help="JSON lines, appended (resumes)")
    r.add_argument("--root", default=ROOT)
    r.add_argument("--build", default=os.path.join(ROOT, "build"))
    r.add_argument("--only", help="comma-separated mutant ids")
    r.add_argument("--fail-fast", action="store_true",
                   help="stop a mutant at its first failing test (cheaper; names one killer)")
    r.add_argument("--timeout", type=int, default=300, help="seconds per test binary")
    r.add_argument("--build-timeout", type=int, default=900)
    rep = sub.add_parser("report", help="summarise a results file")
    rep.add_argument("results")
    rep.add_argument("--against")
    sub.add_parser("restore", help="undo a mutant left applied by a killed run").add_argument(
        "--build", default=os.path.join(ROOT, "build"))
    args = p.parse_args()
    if args.cmd == "generate":
        generate(args)
    elif args.cmd == "run":
        run(args)
    elif args.cmd == "report":
        report_file(args.results, args.against)
    else:
        restore_pending(os.path.abspath(args.build))


if __name__ == "__main__":
    main()

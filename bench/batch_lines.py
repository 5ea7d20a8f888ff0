#!/usr/bin/env python3
"""Batch lines for comparing two builds of `wagemark-cli batch`.

    batch_lines.py generate N SEED LINES_FILE KINDS_FILE
        N lines, valid and hostile, and the kind of each line.
    batch_lines.py bench N SEED LINES_FILE
        N valid lines of the shape the throughput bench uses: every key a
        line can carry (20, a `settings` object among them), about 340
        bytes each.
    batch_lines.py parse LINES_FILE
        Python's json.loads over every line of the file, as the bench's
        yardstick: prints the lines per second.
    batch_lines.py compare LINES_FILE KINDS_FILE OLD_OUTPUT NEW_OUTPUT
        Every output line must be byte for byte the same, except
        - a line the old reader refused as malformed JSON (its message ends
          "at column N"): the new one must refuse it too, in its own words;
        - lines of the kinds the strict reader treats differently on purpose
          (leading zeros, invalid UTF-8, lone surrogates, numbers beyond a
          double, a byte-order mark on the first line): the new answer must
          be the line's error object (the mark: a computed line).
"""
import json
import random
import re
import sys

STRICT_KINDS = {"leading_zero", "bad_utf8", "lone_surrogate", "huge_number"}

AMOUNTS = ["1000", "1,250.00", "$980", "$1,234.56", "(50)", " 42 ", "0", "", "0.00005", "2500.5", "12x",
           "-5", "922337203685477", "999999999999999", "1e3", "$-3.25", "750.125", "1,000,000.00", "300"]
PERCENTS = ["5", "0.05", "1", "0.5", "6", "", "-5", "abc", "100", "12.5", "0.99"]
SETTING_VALUES = {"sta401": ["Y", "N", "y"], "staPreTax": ["Y", "N"], "staDeps": ["0", "1", "2", "abc"],
                  "missPart": ["6000", "0", "x"], "staMarried": ["0", "1", "2", "3"], "staExmp": ["1", "2", "50"],
                  "staRate": ["0", "1", "4"], "MMethod": ["241", "301", "0"], "staAdd": ["5", "0"]}


def jstr(s):
    return json.dumps(s)


def ident(r):
    choice = r.randrange(9)
    if choice == 0:
        return str(r.randrange(-1000, 10**9))
    if choice == 1:
        return jstr("emp-%d" % r.randrange(10**6))
    if choice == 2:
        return '"caf\\u00e9 \\ud83d\\ude00 \\"q\\" \\\\ \\n"'
    if choice == 3:
        return "null"
    if choice == 4:
        return '[1, {"k": [true, false, null]}, "x"]'
    if choice == 5:
        return '{ "a" : 1.50 , "b" : [ ] }'
    if choice == 6:
        return "-0.25e+3"
    if choice == 7:
        return "\"\u00e9\u20ac\U0001F600\"".encode("utf-8").decode("latin-1")
    return "true"


def valid_fields(r):
    f = []
    f.append(("txtIncome", jstr(r.choice(AMOUNTS))))
    if r.random() < 0.6:
        f.append(("txt401k", jstr(r.choice(PERCENTS))))
    if r.random() < 0.3:
        f.append(("txtPreTax", jstr(r.choice(AMOUNTS[:9]))))
    if r.random() < 0.2:
        f.append(("txtPreFICA", jstr(r.choice(AMOUNTS[:9]))))
    if r.random() < 0.2:
        f.append(("chkSelfEmployed", r.choice(["true", "false"])))
    f.append(("HowOft", str(r.randrange(4))))
    f.append(("valMarried", str(r.randrange(3))))
    f.append(("DepsNumber", str(r.choice([0, 1, 2, 3, 5, 15, 20, -3]))))
    f.append(("intState", str(r.randrange(42))))
    for key, lo, hi in (("intSMarried", 0, 9), ("StateRate", 0, 4), ("StateDeps", 0, 5), ("ILINDeps", 0, 3),
                        ("StateExmp", 0, 60)):
        if r.random() < 0.4:
            f.append((key, str(r.randrange(lo, hi + 1))))
    if r.random() < 0.2:
        f.append(("Method", str(r.choice([0, 125, 175, 241, 251, 277, 282, 291, 301, 999]))))
    if r.random() < 0.2:
        f.append(("StateAdd", jstr(r.choice(["5", "0", "12.50", "abc", ""]))))
    if r.random() < 0.3:
        f.append(("SPval", r.choice(["0", "0.01", "0.03", "-0.01", "1e-3", "1E-2", "0.5", "1e-400"])))
        f.append(("SPtx", str(r.randrange(0, 7))))
    if r.random() < 0.3:
        keys = r.sample(sorted(SETTING_VALUES), r.randrange(1, 4))
        inner = ",".join("%s:%s" % (jstr(k), jstr(r.choice(SETTING_VALUES[k]))) for k in keys)
        f.append(("settings", '{"StateInfo":{%s}}' % inner))
    if r.random() < 0.1:
        f.append(("extra", '{"nested": [1, 2, {"x": "y"}], "n": -1.5e-7}'))
    if r.random() < 0.05:
        f.append(("\\u0048owOft", "1"))  # an escaped key is the same key
    if r.random() < 0.05:
        f.append(("HowOft", "3"))  # a repeated key: the last one counts
    return f


def render(fields, r):
    sep = r.choice([",", ", ", " ,\t"])
    colon = r.choice([":", ": ", " : "])
    body = sep.join("%s%s%s" % (k if k.startswith('"') else '"%s"' % k, colon, v) for k, v in fields)
    return "{" + body + "}"


def valid(r):
    f = valid_fields(r)
    if r.random() < 0.9:
        f.insert(r.randrange(len(f) + 1), ("id", ident(r)))
    r.shuffle(f) if r.random() < 0.3 else None
    line = render(f, r)
    return line + ("\r" if r.random() < 0.05 else ""), "valid"


WRONG = ['"2"', "1.5", "7", "-1", "1e5", "[1]", '{"a":1}', "null", "true", "32768", "-32769", "12345678901234567890",
         "-0", "2.0", "1E0"]


def semantic(r):
    f = valid_fields(r)
    choice = r.randrange(6)
    if choice == 0:
        key = r.choice(["HowOft", "valMarried", "intState", "DepsNumber", "SPtx", "StateDeps", "Method"])
        f.insert(r.randrange(len(f) + 1), (key, r.choice(WRONG)))
    elif choice == 1:
        key = r.choice(["txtIncome", "txt401k", "StateAdd", "txtPreTax"])
        f.insert(r.randrange(len(f) + 1), (key, r.choice(["5", "null", "true", "[]", "{}"])))
    elif choice == 2:
        f.append((r.choice(["chkSelfEmployed", "SPval"]), r.choice(['"yes"', "1", "null", "[true]"])))
    elif choice == 3:
        f.append(("settings", r.choice(['[]', '{"StateInfo":"x"}', '{"StateInfo":{"staDeps":2}}',
                                         '{"StateInfo":{"a":"1"},"User":[1]}', '"x"'])))
    elif choice == 4:
        return r.choice(["[1, 2]", "1", '"text"', "null", "true", "[]", " [ {\"a\" : 1} ] "]), "semantic"
    else:
        f.insert(0, ("id", ident(r)))
        f.append(("HowOft", "4"))
        f.append(("intState", '"27"'))  # after the first fault: only checked as JSON
    return render(f, r), "semantic"


def syntax(r):
    good = render(valid_fields(r), r)
    choice = r.randrange(14)
    if choice == 0:
        return good[: r.randrange(1, len(good))], "syntax"
    if choice == 1:
        return good.replace(",", "", 1), "syntax"
    if choice == 2:
        return good[:-1] + ",}", "syntax"
    if choice == 3:
        return good + r.choice(["x", "}", " {}", ","]), "syntax"
    if choice == 4:
        return r.choice(["", "   ", "\t"]), "syntax"
    if choice == 5:
        return r.choice(["not json", "{'a': 1}", "{a: 1}", "{\"a\" 1}", "{,}", "{\"a\":}"]), "syntax"
    if choice == 6:
        return '{"id":"unclosed}', "syntax"
    if choice == 7:
        return '{"id":"bad \\x escape"}', "syntax"
    if choice == 8:
        return '{"id":"tab\there"}', "syntax"
    if choice == 9:
        depth = r.randrange(55, 75)
        return '{"id":' + "[" * depth + "1" + "]" * depth + "}", "syntax"
    if choice == 10:
        depth = r.randrange(55, 75)
        return '{"x":' + '{"a":' * depth + "1" + "}" * depth + "}", "syntax"
    if choice == 11:
        return '{"txtIncome":"1000","HowOft":' + r.choice(["tru", "nul", "-", ".5", "+1", "1.", "1e", "0x1", "Infinity", "NaN"]) + "}", "syntax"
    if choice == 12:
        return "{\"id\":1,\x00\"a\":1}", "syntax"
    return '{"id":1}{"id":2}', "syntax"


def strict(r):
    choice = r.randrange(4)
    if choice == 0:
        where = r.choice(['{"id":01}', '{"HowOft":09}', '{"txtIncome":"1","x":[00]}', '{"id":-012,"HowOft":1}',
                          '{"SPval":00.5}'])
        return where, "leading_zero"
    if choice == 1:
        bad = r.choice(["\xff", "\xc0\xaf", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80", "\x80"])
        return '{"id":"a%sb","txtIncome":"1000"}' % bad, "bad_utf8"
    if choice == 2:
        s = r.choice(['"\\ud800x"', '"\\udc00"', '"\\ud800\\u0041"', '"a\\ud83d"'])
        where = r.choice(['{"id":%s}', '{"txtIncome":%s}', '{"settings":{%s:{"a":"b"}}}', '{"x":[%s]}'])
        return where % s, "lone_surrogate"
    number = r.choice(["1e400", "-1e400", "1.7976931348623159e308"])
    where = r.choice(['{"HowOft":%s}', '{"SPval":%s,"SPtx":1,"txtIncome":"100"}', '{"id":%s}', '{"x":[%s]}'])
    return where % number, "huge_number"


def generate(n, seed, lines_path, kinds_path):
    r = random.Random(seed)
    with open(lines_path, "wb") as lines, open(kinds_path, "w") as kinds:
        for i in range(n):
            roll = r.random()
            if roll < 0.70:
                line, kind = valid(r)
            elif roll < 0.85:
                line, kind = semantic(r)
            elif roll < 0.95:
                line, kind = syntax(r)
            else:
                line, kind = strict(r)
            if i == 0:
                line, kind = "\xef\xbb\xbf" + valid(r)[0], "bom_first"
            lines.write(line.encode("latin-1") + b"\n")
            kinds.write(kind + "\n")


def bench_line(r, i):
    state = r.randrange(42)
    inner = '"sta401":%s,"staPreTax":%s' % (jstr(r.choice("YN")), jstr(r.choice("YN")))
    fields = [
        ("id", str(100000 + i)),
        ("txtIncome", jstr("%d.%02d" % (r.randrange(200, 6000), r.randrange(100)))),
        ("txt401k", jstr(str(r.randrange(0, 11)))),
        ("txtPreTax", jstr("%d.00" % r.randrange(0, 100))),
        ("txtPreFICA", jstr("%d.00" % r.randrange(0, 50))),
        ("chkSelfEmployed", r.choice(["false", "false", "false", "true"])),
        ("HowOft", str(r.randrange(4))),
        ("valMarried", str(r.randrange(3))),
        ("DepsNumber", str(r.randrange(6))),
        ("intState", str(state)),
        ("intSMarried", str(r.randrange(3))),
        ("StateRate", str(r.randrange(5))),
        ("StateDeps", str(r.randrange(4))),
        ("ILINDeps", str(r.randrange(3))),
        ("StateExmp", str(r.randrange(3))),
        ("Method", str(r.choice([125, 175, 241, 251, 277, 282, 291, 301]))),
        ("StateAdd", jstr("%d.00" % r.randrange(0, 20))),
        ("SPval", r.choice(["0", "0.01", "0.025"])),
        ("SPtx", str(r.randrange(0, 6))),
        ("settings", '{"StateInfo":{%s}}' % inner),
    ]
    return "{" + ",".join('"%s":%s' % kv for kv in fields) + "}"


def bench(n, seed, lines_path):
    r = random.Random(seed)
    with open(lines_path, "w") as lines:
        for i in range(n):
            lines.write(bench_line(r, i) + "\n")


def parse(lines_path):
    # The file read line by line, as `batch` reads it.
    import time
    loads = json.loads
    count = 0
    start = time.perf_counter()
    with open(lines_path, "rb") as f:
        for line in f:
            loads(line)
            count += 1
    elapsed = time.perf_counter() - start
    print("%.0f" % (count / elapsed))


SYNTAX_OLD = re.compile(rb'^\{"line":(\d+),"error":\{"number":0,"description":".* at column \d+"\}\}$')
SYNTAX_NEW = re.compile(rb'^\{"line":(\d+),"error":\{"number":0,"description":"not valid JSON: [^"]*"\}\}$')
LINE_ERROR = re.compile(rb'^\{"line":(\d+),"error":\{"number":0,"description":"(?:[^"\\]|\\.)*"\}\}$')


def compare(lines_path, kinds_path, old_path, new_path):
    kinds = open(kinds_path).read().split("\n")[:-1]
    old = open(old_path, "rb").read().split(b"\n")[:-1]
    new = open(new_path, "rb").read().split(b"\n")[:-1]
    if not (len(kinds) == len(old) == len(new)):
        print("line counts differ: %d inputs, %d old, %d new" % (len(kinds), len(old), len(new)))
        return 1
    same = syntax = strict_changes = 0
    bad = []
    for i, (kind, a, b) in enumerate(zip(kinds, old, new), 1):
        try:
            b.decode("utf-8")
            json.loads(b)
        except ValueError:
            bad.append((i, kind, "new line is not valid UTF-8 JSON", a, b))
            continue
        if a == b:
            same += 1
        elif kind in STRICT_KINDS:
            m = LINE_ERROR.match(b)
            if m and int(m.group(1)) == i:
                strict_changes += 1
            else:
                bad.append((i, kind, "expected the line's error object", a, b))
        elif kind == "bom_first" and b.startswith(b'{"id":'):
            strict_changes += 1
        elif SYNTAX_OLD.match(a) and SYNTAX_NEW.match(b) and SYNTAX_NEW.match(b).group(1) == SYNTAX_OLD.match(a).group(1):
            syntax += 1
        else:
            bad.append((i, kind, "differs", a, b))
    print("%d lines: %d identical, %d malformed lines refused in the new reader's words, "
          "%d refused (or read) by the strict reader on purpose, %d unexpected" %
          (len(kinds), same, syntax, strict_changes, len(bad)))
    for i, kind, why, a, b in bad[:20]:
        print("line %d (%s): %s\n  old: %s\n  new: %s" % (i, kind, why, a[:300], b[:300]))
    return 1 if bad else 0


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "generate":
        generate(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5])
    elif len(sys.argv) == 5 and sys.argv[1] == "bench":
        bench(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
    elif len(sys.argv) == 3 and sys.argv[1] == "parse":
        parse(sys.argv[2])
    elif len(sys.argv) == 6 and sys.argv[1] == "compare":
        sys.exit(compare(*sys.argv[2:]))
    else:
        print(__doc__)
        sys.exit(2)

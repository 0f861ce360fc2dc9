#!/usr/bin/env python3
"""Runs feeddump on the reader's fixtures and checks its output and exit status.

Usage: feeddump_test.py WINE FEEDDUMP_EXE DATA_DIR [CORPUS_DIR]
Prints 'N passed, N failed' and exits non-zero when a case fails.
"""
import json
import os
import subprocess
import sys

wine, feeddump, data_dir = sys.argv[1:4]
corpus_dir = sys.argv[4] if len(sys.argv) > 4 else None


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(*args):
    result = subprocess.run([wine, feeddump, *args], capture_output=True, timeout=60,
                            stdin=subprocess.DEVNULL)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")


def items_of(name):
    status, out, err = run(windows_path(os.path.join(data_dir, name)))
    assert status == 0, f"exit {status}: {err}"
    items = json.loads(out)
    for item in items:
        assert sorted(item) == ["date", "link", "summary", "title"], item
        assert all(isinstance(value, str) for value in item.values()), item
    return items


def check_atom():
    items = items_of("atom-entries.xml")
    assert [i["title"] for i in items] == ["Birinci haber", "", "Üçüncü haber"], items
    assert items[0]["link"] == "http://news.test/1"
    assert items[0]["date"] == "2026-12-11T10:00:00Z"


def check_rss_keeps_inserted_breaks():
    items = items_of("rss-items.xml")
    assert items[0]["title"] == " Manşet ", items
    assert items[0]["link"] == "http://news.test/1?id=1&x=2"


def check_turkish():
    for name in ("turkish-utf8.xml", "turkish-iso-8859-9.xml"):
        assert items_of(name)[0]["title"] == "İstanbul'da ğüşıöç ĞÜŞİÖÇ", name


def check_unchanged(name, reason):
    status, out, err = run(windows_path(os.path.join(data_dir, name)))
    assert status == 1, f"{name}: exit {status}"
    assert out == "", f"{name}: printed {out!r}"
    assert reason in err, f"{name}: {err!r}"


def check_bad_files():
    check_unchanged("missing.xml", "no such file")
    check_unchanged("truncated.xml", "not well-formed")
    check_unchanged("rss-no-items.xml", "no Atom")
    check_unchanged("entity-bomb.xml", "refused")


def check_usage():
    for args in ((), ("a.xml", "b.xml")):
        status, out, err = run(*args)
        assert status == 2 and "usage" in err, (args, status, err)


def check_corpus():
    if not corpus_dir or not os.path.isdir(corpus_dir):
        return
    expected = {"bbc-world-2017.xml": 0, "wordpress-blog-2020.xml": 0,
                "cleancoder-atom-2020.xml": 0, "infoq-news-2020-illformed.xml": 1}
    for name, status_wanted in expected.items():
        path = os.path.join(corpus_dir, name)
        if not os.path.exists(path):
            continue
        status, out, err = run(windows_path(path))
        assert status == status_wanted, f"{name}: exit {status}: {err}"
        if status == 0:
            items = json.loads(out)
            assert items and all(i["title"] and i["link"] for i in items), name


checks = [check_atom, check_rss_keeps_inserted_breaks, check_turkish, check_bad_files,
          check_usage, check_corpus]
failed = 0
for check in checks:
    try:
        check()
        print(f"[ OK ] {check.__name__}")
    except AssertionError as error:
        failed += 1
        print(f"[FAIL] {check.__name__}: {error}")
print(f"{len(checks) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)

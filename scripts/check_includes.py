#!/usr/bin/env python3
"""Checks that includes between the folders of src/ run one way: base at the bottom, the
subsystems above it (each on the ones it builds on), the shell (app) on top.

Prints every include that runs against that order and exits 1 when there is one.
With --xml FILE it also writes the outcome as a one-case GoogleTest report for the test count."""
import pathlib
import re
import sys

# What each folder may include besides itself.
ALLOWED = {
    "base": set(),
    "xml": {"base"},
    "lang": {"base", "xml"},
    "doc": {"base", "xml", "lang"},
    "aids": {"base", "xml", "lang", "doc"},
    "build": {"base", "xml", "lang", "doc"},
    "panes": {"base", "xml", "lang", "doc"},
    "app": {"base", "xml", "lang", "doc", "aids", "build", "panes"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/[^"]+"', re.M)


def violations(src: pathlib.Path):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp", ".inc"} or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in ALLOWED:
            found.append(f"{path}: folder '{folder}' has no place in the include order")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            target = match.group(1)
            if target in ALLOWED and target != folder and target not in ALLOWED[folder]:
                line = text.count("\n", 0, match.start()) + 1
                found.append(f"{path}:{line}: {folder} must not include {target}/ ({match.group(0).strip()})")
    return found


def write_report(path: pathlib.Path, problems):
    from xml.sax.saxutils import escape
    failure = f'<failure message="{escape(chr(10).join(problems), {chr(34): "&quot;"})}"/>' if problems else ""
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text('<?xml version="1.0" encoding="UTF-8"?>\n<testsuites><testsuite name="Layering">'
                    f'<testcase name="IncludesRunOneWay" classname="Layering">{failure}</testcase>'
                    "</testsuite></testsuites>\n", encoding="utf-8")


def main(argv):
    repo = pathlib.Path(__file__).resolve().parent.parent
    problems = violations(repo / "src")
    for problem in problems:
        print(problem)
    if "--xml" in argv:
        write_report(pathlib.Path(argv[argv.index("--xml") + 1]), problems)
    print(f"include order: {len(problems)} wrong include(s)" if problems else "include order: every include runs one way")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

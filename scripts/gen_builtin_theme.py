#!/usr/bin/env python3
"""Generates the built-in style theme res/theme/builtin_theme.xml.

The global entries, the language groups and the palette are data in res/theme/; the lexer style
numbers and names come from Lexilla's SciLexer.h, whose path is given on the command line:

    python3 scripts/gen_builtin_theme.py /path/to/lexilla/include/SciLexer.h [--output FILE]

The output is checked in; run this again after changing the data or moving to another Lexilla.
"""

import argparse
import re
import sys
from pathlib import Path
from xml.sax.saxutils import escape, quoteattr

REPO = Path(__file__).resolve().parent.parent
THEME_DIR = REPO / "res" / "theme"

LANGUAGE_STYLE_SLOTS = 33  # slots per language; further entries of a group would be ignored
LANGUAGE_COUNT = 82
PREDEFINED_STYLES = range(32, 40)  # the editing component's own styles; lexers must not use them

DEFINE = re.compile(r"^#define\s+(SCE_\w+)\s+(\d+)\s*$")


class GeneratorError(Exception):
    pass


def data_lines(path):
    """Yields (line number, text) of the lines that are neither blank nor comments."""
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if line.strip() and not line.lstrip().startswith("#"):
            yield number, line.rstrip()


def read_lexer_styles(scilexer_path):
    """SciLexer.h's style constants in file order, as (name, number)."""
    styles = []
    for line in Path(scilexer_path).read_text(encoding="utf-8").splitlines():
        match = DEFINE.match(line)
        if match:
            styles.append((match.group(1), int(match.group(2))))
    if not styles:
        raise GeneratorError(f"{scilexer_path}: no SCE_ style constants found")
    return styles


def read_global_entries(path):
    entries = []
    for number, line in data_lines(path):
        fields = line.split("\t")
        if len(fields) != 3 or not fields[0].isdigit():
            raise GeneratorError(f"{path.name}:{number}: expected id, name and style string separated by tabs")
        entries.append((int(fields[0]), fields[1], fields[2]))
    return entries


def read_language_groups(path):
    groups = []
    for number, line in data_lines(path):
        fields = line.split("\t")
        if len(fields) != 4 or not fields[0].isdigit() or not 0 <= int(fields[0]) < LANGUAGE_COUNT:
            raise GeneratorError(f"{path.name}:{number}: expected id (0-81), group, lexer and styles separated by tabs")
        groups.append({"id": int(fields[0]), "name": fields[1], "lexer": fields[2], "selectors": fields[3].split()})
    return groups


def read_palette(path):
    backgrounds = {}
    rules = []
    for number, line in data_lines(path):
        words = line.split()
        if words[0] == "background" and len(words) == 3 and re.fullmatch(r"#[0-9A-F]{6}", words[2]):
            backgrounds[words[1]] = words[2]
        elif words[0] == "style" and len(words) == 3:
            try:
                rules.append((re.compile(words[1]), words[2]))
            except re.error as error:
                raise GeneratorError(f"{path.name}:{number}: bad pattern: {error}") from error
        else:
            raise GeneratorError(f"{path.name}:{number}: expected 'background GROUP #RRGGBB' or 'style PATTERN TOKENS'")
    if "*" not in backgrounds:
        raise GeneratorError(f"{path.name}: no 'background *' line")
    return backgrounds, rules


def select_styles(group, lexer_styles):
    """The group's styles as (number, short name) by style number, the first name of a number winning."""
    chosen = {}
    for selector in group["selectors"]:
        explicit = re.fullmatch(r"=(\d+):(\w+)", selector)
        if explicit:
            matches = [(explicit.group(2), int(explicit.group(1)), "")]
        elif selector.endswith("_"):
            matches = [(name, value, selector) for name, value in lexer_styles if name.startswith(selector)]
        else:
            prefix = re.match(r"SCE_[A-Z0-9]+_", selector)
            matches = [(name, value, prefix.group(0) if prefix else "")
                       for name, value in lexer_styles if name == selector]
        if not matches:
            raise GeneratorError(f"group {group['name']}: {selector} names no style of SciLexer.h")
        for name, value, prefix in matches:
            if value in PREDEFINED_STYLES:
                raise GeneratorError(f"group {group['name']}: {name} uses the predefined style {value}")
            chosen.setdefault(value, name[len(prefix):])
    ordered = sorted(chosen.items())
    # Style 0 takes no slot; beyond the slots the loader would drop entries silently, so drop them here.
    kept, used = [], 0
    for value, name in ordered:
        if value > 0:
            if used == LANGUAGE_STYLE_SLOTS:
                print(f"note: group {group['name']}: {name} ({value}) and later styles left out, "
                      f"{LANGUAGE_STYLE_SLOTS} slots are full", file=sys.stderr)
                break
            used += 1
        kept.append((value, name))
    return kept


def style_string(group_name, style_name, backgrounds, rules):
    for pattern, tokens in rules:
        if pattern.fullmatch(style_name):
            return f"{tokens},back:{backgrounds.get(group_name, backgrounds['*'])}"
    raise GeneratorError(f"no palette rule matches {style_name} of group {group_name}")


def render(global_entries, groups, backgrounds, rules, lexer_styles):
    lines = ["<!-- Kelpo's built-in style theme. Generated by scripts/gen_builtin_theme.py from res/theme/*.txt",
             "     and Lexilla's SciLexer.h; edit those and generate again instead of editing this file. -->",
             "<kelpo>",
             "\t<styles>"]
    for style_id, name, text in global_entries:
        lines.append(f"\t\t<style id=\"{style_id}\" name={quoteattr(name)}>{escape(text)}</style>")
    lines.append("\t</styles>")
    counts = {"global": len(global_entries), "groups": 0, "languages": set(), "language entries": 0}
    for group in groups:
        lines.append(f"\t<styles id=\"{group['id']}\" name={quoteattr(group['name'])}>")
        for value, style_name in select_styles(group, lexer_styles):
            text = style_string(group["name"], style_name, backgrounds, rules)
            label = style_name.replace("_", " ")
            lines.append(f"\t\t<style id=\"{value}\" name={quoteattr(label)}>{escape(text)}</style>")
            counts["language entries"] += 1
        lines.append("\t</styles>")
        counts["groups"] += 1
        counts["languages"].add(group["id"])
    lines.append("</kelpo>")
    return "\n".join(lines) + "\n", counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scilexer", help="path of Lexilla's include/SciLexer.h")
    parser.add_argument("--output", default=str(THEME_DIR / "builtin_theme.xml"))
    arguments = parser.parse_args()
    try:
        text, counts = render(read_global_entries(THEME_DIR / "global_styles.txt"),
                              read_language_groups(THEME_DIR / "language_groups.txt"),
                              *read_palette(THEME_DIR / "palette_rule.txt"),
                              read_lexer_styles(arguments.scilexer))
    except (GeneratorError, OSError) as error:
        print(f"gen_builtin_theme: {error}", file=sys.stderr)
        return 1
    Path(arguments.output).write_text(text, encoding="utf-8", newline="\n")
    print(f"{arguments.output}: {counts['global']} global entries, {counts['groups']} language groups "
          f"for {len(counts['languages'])} languages, {counts['language entries']} language entries")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Generates src/lang/language_keywords.inc from the keyword files in res/lang/keywords.

Each keyword file holds the keyword sets of one catalogue language:

    # a comment: "#" alone or followed by a space (words may start with "#")
    language 3 C++           catalogue id, and the name used in the generated comments
    case lower               optional: every word must be lower case, because the lexer
                             lower-cases a word before looking it up
    same-as fortran.txt      optional, instead of slots: use the slots of another file
    [0] keywords             a slot header: slot number 0-8, then a free description
    [1 lower] type names     a slot with its own case rule ("lower" or "any")
    alignas alignof and ...  words, separated by any white space, over any number of lines

Directives come before the first slot header, so no word can be taken for one.
Words are kept in the order written, joined by single spaces. The generator refuses
duplicate words in a slot, empty slots, characters outside printable ASCII and words
that break their slot's case rule.

Usage: gen_language_data.py            rewrite the .inc file
       gen_language_data.py --check    exit 1 if the .inc file is not up to date
"""

import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
KEYWORD_DIR = ROOT / "res" / "lang" / "keywords"
OUTPUT = ROOT / "src" / "lang" / "language_keywords.inc"

LANGUAGE_COUNT = 82
SLOT_COUNT = 9
LINE_WIDTH = 96


class KeywordFileError(Exception):
    pass


class KeywordFile:
    def __init__(self, path):
        self.path = path
        self.language = None
        self.name = None
        self.same_as = None
        self.slots = {}  # slot -> list of words
        self.descriptions = {}


def fail(path, line_number, message):
    raise KeywordFileError(f"{path.name}:{line_number}: {message}")


def parse_case(path, line_number, argument):
    if argument not in ("lower", "any"):
        fail(path, line_number, f"unknown case rule '{argument}'")
    return argument


def word_problem(word, earlier_words, case_rule):
    if any(ord(c) < 0x21 or ord(c) > 0x7E for c in word):
        return "has a character outside printable ASCII"
    if case_rule == "lower" and word != word.lower():
        return "is not lower case, which the lexer needs"
    if word in earlier_words:
        return "is listed twice"
    return None


def parse_file(path):
    """Parses one keyword file; word-level problems are all collected before failing."""
    result = KeywordFile(path)
    word_errors = []
    default_case = "any"
    slot_case = {}
    slot = None
    for line_number, raw in enumerate(path.read_text(encoding="ascii").splitlines(), 1):
        line = raw.strip()
        # Words may start with "#" ("#include"), so only "#" alone or "# " opens a comment.
        if not line or line == "#" or line.startswith("# "):
            continue
        header = re.fullmatch(r"\[(\d+)(?:\s+(lower|any))?\]\s*(.*)", line)
        if header:
            slot = int(header.group(1))
            if slot >= SLOT_COUNT:
                fail(path, line_number, f"slot {slot} outside 0-{SLOT_COUNT - 1}")
            if slot in result.slots:
                fail(path, line_number, f"slot {slot} given twice")
            result.slots[slot] = []
            result.descriptions[slot] = header.group(3)
            if header.group(2):
                slot_case[slot] = header.group(2)
            continue
        if slot is None:
            # Directives live before the first slot, where no word can be taken for one.
            directive, _, argument = line.partition(" ")
            argument = argument.strip()
            if directive == "language":
                match = re.fullmatch(r"(\d+)\s+(.+)", argument)
                if not match:
                    fail(path, line_number, "expected 'language <id> <name>'")
                result.language = int(match.group(1))
                result.name = match.group(2)
            elif directive == "case":
                default_case = parse_case(path, line_number, argument)
            elif directive == "same-as":
                result.same_as = argument
            else:
                fail(path, line_number, f"unknown directive '{directive}'")
            continue
        for word in line.split():
            problem = word_problem(word, result.slots[slot], slot_case.get(slot, default_case))
            if problem:
                word_errors.append(f"{path.name}:{line_number}: '{word}' {problem} (slot {slot})")
            else:
                result.slots[slot].append(word)

    if word_errors:
        raise KeywordFileError("\n".join(word_errors))
    if result.language is None:
        fail(path, 1, "missing 'language <id> <name>'")
    if not 0 <= result.language < LANGUAGE_COUNT:
        fail(path, 1, f"language id {result.language} outside 0-{LANGUAGE_COUNT - 1}")
    if result.same_as and result.slots:
        fail(path, 1, "'same-as' and slots of its own")
    for number, words in result.slots.items():
        if not words:
            fail(path, 1, f"slot {number} has no words")
    return result


def load_languages():
    files = sorted(KEYWORD_DIR.glob("*.txt"))
    by_name = {}
    errors = []
    for path in files:
        try:
            by_name[path.name] = parse_file(path)
        except KeywordFileError as error:
            errors.append(str(error))
    if errors:
        raise KeywordFileError("\n".join(errors))
    by_language = {}
    for keyword_file in by_name.values():
        if keyword_file.language in by_language:
            other = by_language[keyword_file.language].path.name
            raise KeywordFileError(
                f"{keyword_file.path.name}: language {keyword_file.language} also in {other}")
        by_language[keyword_file.language] = keyword_file
    for keyword_file in by_name.values():
        if keyword_file.same_as:
            target = by_name.get(keyword_file.same_as)
            if target is None or target.same_as:
                raise KeywordFileError(
                    f"{keyword_file.path.name}: 'same-as {keyword_file.same_as}' names no file "
                    "with slots of its own")
            keyword_file.slots = target.slots
            keyword_file.descriptions = target.descriptions
    return by_language


def c_string_lines(text, indent):
    """The text as adjacent C string literals, broken between words."""
    lines = []
    current = ""
    for word in text.split(" "):
        piece = word if not current else " " + word
        if current and len(current) + len(piece) > LINE_WIDTH:
            lines.append(current + " ")
            current = word
        else:
            current += piece
    lines.append(current)
    return [indent + '"' + line.replace("\\", "\\\\").replace('"', '\\"') + '"' for line in lines]


def render(by_language):
    out = [
        "// Keyword lists of the language catalogue, slot by slot.",
        "// Generated by scripts/gen_language_data.py from res/lang/keywords/*.txt: do not edit,",
        "// edit the keyword files and run the script again.",
        "",
    ]
    names = {}  # text -> constant name, so languages that share lists share storage
    table_rows = []
    for language in range(LANGUAGE_COUNT):
        keyword_file = by_language.get(language)
        slots = []
        for slot in range(SLOT_COUNT):
            words = keyword_file.slots.get(slot) if keyword_file else None
            if not words:
                slots.append("nullptr")
                continue
            text = " ".join(words)
            if text not in names:
                names[text] = f"kKeywords{language}_{slot}"
                description = keyword_file.descriptions.get(slot, "")
                out.append(f"// {keyword_file.name}, set {slot}: {description}".rstrip())
                out.append(f"inline constexpr char {names[text]}[] =")
                out.extend(c_string_lines(text, "    "))
                out[-1] += ";"
                out.append("")
            slots.append(names[text])
        label = f"{language} {keyword_file.name}" if keyword_file else str(language)
        table_rows.append(f"    {{{', '.join(slots)}}},  // {label}")

    out.append("// kLanguageKeywords[language id][slot]; nullptr for an empty slot.")
    out.append("inline constexpr std::array<std::array<const char*, kKeywordSlots>, "
               "LanguageCount> kLanguageKeywords{{")
    out.extend(table_rows)
    out.append("}};")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="fail if the generated file is not up to date")
    arguments = parser.parse_args()
    try:
        text = render(load_languages())
    except KeywordFileError as error:
        for line in str(error).splitlines():
            print(f"gen_language_data: {line}", file=sys.stderr)
        return 2
    if arguments.check:
        current = OUTPUT.read_text(encoding="ascii") if OUTPUT.exists() else ""
        if current != text:
            print(f"gen_language_data: {OUTPUT.relative_to(ROOT)} is out of date", file=sys.stderr)
            return 1
        return 0
    OUTPUT.write_text(text, encoding="ascii", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Generates res/api/cpp_win32.api, the API word list of completion and call tips.

Inputs are Debian's mingw-w64 packages (mingw-w64-common, mingw-w64-x86-64-dev and the
cross compiler): the import libraries say which functions kernel32, user32, gdi32,
advapi32, shell32, comctl32, comdlg32, ole32 and the C run-time export, and the headers,
run through the cross compiler's preprocessor, give their declarations.

One line per function, sorted in byte order:

    CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, ...)|HANDLE; kernel32, fileapi.h

The text before "|" is the signature with the parameter names the headers give; after it
come the return type, the library and the header that declares it. A system export that
no header declares is listed as "Name(...)" with its library, so that completion still
knows the name. Run-time exports without a declaration are internals and are left out.

The generator refuses its own output when it is not sorted, holds a name twice, holds a
line that is not one signature (a line end, a "|" in the signature, unbalanced
parentheses) or has fewer than MINIMUM_ENTRIES entries.

Usage: gen_api_list.py            rewrite the list
       gen_api_list.py --check    exit 1 if the list is not up to date
"""

import argparse
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUTPUT = ROOT / "res" / "api" / "cpp_win32.api"
LIB_DIR = pathlib.Path("/usr/x86_64-w64-mingw32/lib")
NM = "x86_64-w64-mingw32-nm"
CC = "x86_64-w64-mingw32-gcc-posix"

SYSTEM_LIBRARIES = ["kernel32", "user32", "gdi32", "advapi32", "shell32", "comctl32", "comdlg32", "ole32"]
RUNTIME_LIBRARY = "msvcrt"
MINIMUM_ENTRIES = 5000

# Everything that declares what the libraries above export, in one translation unit.
HEADERS = """
windows.h winternl.h winioctl.h commctrl.h commdlg.h shellapi.h shlobj.h shlwapi.h objbase.h ole2.h
oleauto.h olectl.h winsvc.h wincrypt.h aclapi.h sddl.h securitybaseapi.h accctrl.h evntrace.h
winsafer.h wct.h ntsecapi.h winefs.h lmcons.h tlhelp32.h psapi.h processthreadsapi.h
winnls.h winnetwk.h winspool.h uxtheme.h shobjidl.h shldisp.h shellscalingapi.h wincred.h
winreg.h winperf.h wmistr.h winbase.h synchapi.h fileapi.h memoryapi.h libloaderapi.h
stdio.h stdlib.h string.h wchar.h math.h time.h ctype.h wctype.h locale.h signal.h setjmp.h
stdarg.h errno.h fcntl.h io.h direct.h process.h conio.h malloc.h mbstring.h mbctype.h
search.h sys/stat.h sys/timeb.h sys/utime.h float.h share.h tchar.h usp10.h dwmapi.h imm.h
""".split()

DEFINES = ["-D_WIN32_WINNT=0x0A00", "-DWINVER=0x0A00", "-DNTDDI_VERSION=0x0A000000", "-D__USE_MINGW_ANSI_STDIO=0",
           "-DWIN32_LEAN_AND_MEAN=0", "-DSECURITY_WIN32", "-D_CRT_SECURE_NO_WARNINGS"]

IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*\Z")
LINE_MARKER = re.compile(r'#\s*\d+\s+"([^"]*)"')
# Storage classes and attributes that say nothing to someone typing a call.
NOISE_WORDS = re.compile(r"\b(extern|static|inline|__inline|__inline__|__forceinline|__cdecl|__stdcall|"
                         r"__fastcall|__thiscall|__restrict__|__restrict|__extension__|__mingw_ovr|"
                         r"__MINGW_NOTHROW|register)\b")


def exports_of(library):
    """Names a library's import archive exports, C identifiers only."""
    path = LIB_DIR / f"lib{library}.a"
    out = subprocess.run([NM, "-g", str(path)], check=True, capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[1] == "I" and parts[2].startswith("__imp_"):
            name = parts[2][len("__imp_"):]
            if IDENTIFIER.match(name):
                names.add(name)
    return names


def preprocessed_headers():
    source = "".join(f"#include <{h}>\n" for h in HEADERS)
    return subprocess.run([CC, "-E", "-x", "c", *DEFINES, "-"], input=source, check=True, capture_output=True,
                          text=True).stdout


def strip_balanced(text, keyword):
    """Removes every `keyword(...)` with its balanced parentheses."""
    result = []
    i = 0
    while True:
        j = text.find(keyword, i)
        if j < 0:
            result.append(text[i:])
            return "".join(result)
        before = text[j - 1] if j > 0 else " "
        k = j + len(keyword)
        while k < len(text) and text[k].isspace():
            k += 1
        if (before.isalnum() or before == "_") or k >= len(text) or text[k] != "(":
            result.append(text[i:j + len(keyword)])
            i = j + len(keyword)
            continue
        depth = 0
        while k < len(text):
            if text[k] == "(":
                depth += 1
            elif text[k] == ")":
                depth -= 1
                if depth == 0:
                    break
            k += 1
        result.append(text[i:j])
        i = k + 1


def declarations(preprocessed):
    """Yields (header, text) for every top-level statement; bodies of definitions are dropped."""
    header = ""
    statement = []
    statement_header = ""
    depth = 0
    for line in preprocessed.splitlines():
        marker = LINE_MARKER.match(line)
        if marker:
            header = marker.group(1)
            continue
        for ch in line:
            if depth > 0:
                if ch == "{":
                    depth += 1
                elif ch == "}":
                    depth -= 1
                    if depth == 0:
                        yield statement_header, "".join(statement)
                        statement = []
                continue
            if not ch.isspace() and not "".join(statement).strip():
                statement_header = header
            if ch == "{":
                depth = 1
            elif ch == ";":
                yield statement_header, "".join(statement)
                statement = []
            else:
                statement.append(ch)
        statement.append(" ")


def split_parameters(text):
    params, depth, current = [], 0, []
    for ch in text:
        if ch == "," and depth == 0:
            params.append("".join(current))
            current = []
            continue
        depth += ch == "("
        depth -= ch == ")"
        current.append(ch)
    params.append("".join(current))
    return [" ".join(p.split()) for p in params]


def tidy(text):
    text = strip_balanced(text, "__attribute__")
    text = strip_balanced(text, "__declspec")
    text = strip_balanced(text, "__asm__")
    text = NOISE_WORDS.sub(" ", text)
    text = re.sub(r"\s*\*\s*", "* ", text)
    text = re.sub(r"\s*,\s*", ", ", text)
    text = re.sub(r"\s+", " ", text).strip()
    return text.replace("* )", "*)").replace("( ", "(").replace(" )", ")")


def parse_function(text):
    """(return type, name, parameter list) of a function declaration, or None."""
    text = tidy(text)
    match = re.match(r"(.*?)\b([A-Za-z_][A-Za-z0-9_]*)\s*\((.*)\)\Z", text)
    if not match or "(" in match.group(1) or "typedef" in match.group(1).split():
        return None
    return_type, name, params = match.group(1).strip(), match.group(2), match.group(3)
    if not return_type or params.count("(") != params.count(")"):
        return None
    parameters = split_parameters(params)
    if parameters == ["void"] or parameters == [""]:
        parameters = []
    return return_type, name, parameters


def header_name(path):
    marker = "/include/"
    return path[path.rfind(marker) + len(marker):] if marker in path else pathlib.PurePosixPath(path).name


def build_entries():
    library_of = {}
    for library in SYSTEM_LIBRARIES:
        for name in exports_of(library):
            library_of.setdefault(name, library)
    runtime = exports_of(RUNTIME_LIBRARY) - set(library_of)
    wanted = set(library_of) | runtime

    declared = {}
    for header, text in declarations(preprocessed_headers()):
        parsed = parse_function(text)
        if parsed and parsed[1] in wanted and parsed[1] not in declared:
            declared[parsed[1]] = (parsed, header_name(header))

    entries = []
    for name in sorted(wanted):
        library = library_of.get(name, RUNTIME_LIBRARY)
        if name in declared:
            (return_type, _, parameters), header = declared[name]
            entries.append(f"{name}({', '.join(parameters)})|{return_type}; {library}, {header}")
        elif name in library_of:
            entries.append(f"{name}(...)|{library}")
    return sorted(entries)


def check_entries(entries):
    problems = []
    names = [e[:e.index("(")] for e in entries]
    if entries != sorted(entries):
        problems.append("entries are not sorted")
    if len(set(names)) != len(names):
        problems.append("a name is listed twice")
    for entry in entries:
        signature = entry.split("|", 1)[0]
        if "\n" in entry or "\r" in entry or entry.count("|") != 1 or signature.count("(") != signature.count(")") \
                or not signature.endswith(")") or not entry.isascii():
            problems.append(f"broken line: {entry!r}")
    if len(entries) < MINIMUM_ENTRIES:
        problems.append(f"only {len(entries)} entries")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    entries = build_entries()
    problems = check_entries(entries)
    if problems:
        sys.exit("gen_api_list: " + "; ".join(problems[:10]))
    text = "\n".join(entries) + "\n"
    if args.check:
        current = OUTPUT.read_text(encoding="ascii") if OUTPUT.exists() else ""
        if current != text:
            sys.exit(f"gen_api_list: {OUTPUT.relative_to(ROOT)} is not up to date; run scripts/gen_api_list.py")
        return
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_text(text, encoding="ascii", newline="\n")
    declared = sum(1 for e in entries if "(...)" not in e)
    print(f"gen_api_list: {len(entries)} entries ({declared} with a declaration) in {OUTPUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()

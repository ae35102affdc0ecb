#!/usr/bin/env python3
"""Puts whole C++ files inside one namespace.

Usage: wrap-namespace.py NAMESPACE FILE...
   e.g. wrap-namespace.py tavolex::editor $(git ls-files 'src/tavolex/*.h' 'src/tavolex/*.cpp')
        wrap-namespace.py texelor src/texelor/*.h src/texelor/*.cpp

The namespace opens after the file's last #include and closes at its end.
What must stay global stays global: forward declarations of Qt's classes
(`class QLabel;`, moved above the opening), trailing Q_DECLARE_METATYPE lines,
and main() (the namespace closes before it and a using-directive lets main()
name the file's classes as before). A file that already opens the namespace is
left as it is, so the script can run again over a tree of which part is done.
"""
import re
import sys

QT_FORWARD = re.compile(r'^(class|struct) Q[A-Za-z0-9_]*;\s*$')
GLOBAL_TAIL = re.compile(r'^(Q_DECLARE_METATYPE|Q_DECLARE_INTERFACE|Q_DECLARE_OPERATORS_FOR_FLAGS)\b')
MAIN = re.compile(r'^int main\s*\(')


def collapse_blank_lines(lines):
    kept = []
    for line in lines:
        if line.strip() == '' and kept and kept[-1].strip() == '':
            continue
        kept.append(line)
    return kept


def strip_blank_edges(lines):
    while lines and lines[0].strip() == '':
        lines.pop(0)
    while lines and lines[-1].strip() == '':
        lines.pop()
    return lines


def preamble_end(lines):
    """Index after the last #include (or #pragma once), past #endif lines closing an include block."""
    last = -1
    for index, line in enumerate(lines):
        if line.startswith('#include') or line.startswith('#pragma once'):
            last = index
    index = last + 1
    while index < len(lines) and lines[index].startswith('#endif'):
        index += 1
    return index


def leading_comment_start(lines, index):
    """The first line of the comment block directly above lines[index]."""
    while index > 0 and lines[index - 1].startswith('//'):
        index -= 1
    return index


def wrap(text, namespace):
    opening = f'namespace {namespace} {{'
    closing = f'}} // namespace {namespace}'
    lines = text.split('\n')
    if any(line.strip() in (opening, f'using namespace {namespace};') for line in lines):
        return text
    start = preamble_end(lines)
    head, body = lines[:start], lines[start:]
    qt_forwards = [line.rstrip() for line in body if QT_FORWARD.match(line)]
    body = [line for line in body if not QT_FORWARD.match(line)]
    body = strip_blank_edges(body)

    tail = []
    main_at = next((i for i, line in enumerate(body) if MAIN.match(line)), None)
    if main_at is not None:
        cut = leading_comment_start(body, main_at)
        tail = ['', f'using namespace {namespace};', ''] + body[cut:]
        body = strip_blank_edges(body[:cut])
    else:
        cut = len(body)
        while cut > 0 and (GLOBAL_TAIL.match(body[cut - 1]) or body[cut - 1].strip() == ''):
            cut -= 1
        if cut < len(body):
            tail = [''] + [line for line in body[cut:] if line.strip() != '']
            body = body[:cut]

    result = strip_blank_edges(head) + ['']
    if main_at is not None and all(line.strip() == '' or line.startswith('using ') for line in body):
        # Nothing of the file's own before main(): no namespace to open.
        result += body + tail
        return '\n'.join(collapse_blank_lines(result)).rstrip('\n') + '\n'
    if qt_forwards:
        result += qt_forwards + ['']
    result += [opening, ''] + body + ['', closing] + tail
    return '\n'.join(collapse_blank_lines(result)).rstrip('\n') + '\n'


def main(arguments):
    if len(arguments) < 2:
        sys.exit(__doc__)
    namespace, files = arguments[0], arguments[1:]
    for path in files:
        with open(path, encoding='utf-8') as file:
            text = file.read()
        wrapped = wrap(text, namespace)
        if wrapped != text:
            with open(path, 'w', encoding='utf-8') as file:
                file.write(wrapped)
            print(f'wrapped {path}')


if __name__ == '__main__':
    main(sys.argv[1:])

#!/usr/bin/env python3
"""Turns the user's guide, written in Markdown, into the plain text that ships
beside Scribbit.dll: code page 932 with CR LF line ends, for Notepad.

Notepad does not wrap lines unless asked, so paragraphs and list items are
wrapped to WIDTH columns, a character taking as many columns as it has bytes
in code page 932, without starting a line with closing punctuation or ending
one with an opening bracket. Headings get a marker, list items a "・", inline
markup is dropped, links keep their text, pictures vanish, and a backslash at
the end of a line breaks the line there. A code span is
never broken, so a line the user may search for stays whole.

The guide uses a small part of Markdown; anything else (tables, fenced or
indented code, quotes, HTML) stops the build with the line that has it, so
that no markup reaches the user unconverted. So does a character that code
page 932 cannot hold.

    python3 tools/make_guide_text.py docs/guide.ja.md OUT.txt
"""

import re
import sys

WIDTH = 72
TITLE_RULE = "━" * (WIDTH // 2)

# Kept off the start and off the end of a line, as Japanese typesetting does.
NO_LINE_START = set("、。，．・：；？！）」』】〕〉》”’ー～…々ゝゞヽヾ"
                    "ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
                    ",.:;?!)]}")
NO_LINE_END = set("（「『【〔〈《“‘([{")


class GuideError(Exception):
    pass


def columns(text):
    return len(text.encode("cp932"))


# --- inline markup -------------------------------------------------------

INLINE = re.compile(
    r"`(?P<code>[^`]+)`"
    r"|!\[(?P<alt>[^\]]*)\]\([^)]*\) ?"
    r"|\[(?P<link>[^\]]+)\]\([^)]*\)"
    r"|\*\*(?P<strong>.+?)\*\*"
    r"|\*(?P<em>[^*\s][^*]*)\*"
    r"|\\(?P<escaped>[\\`*_\[\]()#+\-.!<>|])")


def inline_pieces(text):
    """The text without markup, as (text, whole) pieces: a code span is whole."""
    pieces = []
    at = 0
    for match in INLINE.finditer(text):
        if match.start() > at:
            pieces.append((text[at:match.start()], False))
        at = match.end()
        if match.group("code") is not None:
            pieces.append((match.group("code"), True))
        elif match.group("alt") is not None:
            continue
        elif match.group("link") is not None:
            pieces.extend(inline_pieces(match.group("link")))
        elif match.group("strong") is not None:
            pieces.extend(inline_pieces(match.group("strong")))
        elif match.group("em") is not None:
            pieces.extend(inline_pieces(match.group("em")))
        else:
            pieces.append((match.group("escaped"), False))
    if at < len(text):
        pieces.append((text[at:], False))
    return pieces


def plain(text):
    return "".join(piece for piece, _ in inline_pieces(text))


# --- wrapping --------------------------------------------------------------

WORD = re.compile(r" +|[!-~]+|.")


def units(text):
    """Pieces a line may break between: a blank run, an ASCII word, one other
    character, or a code span; closing punctuation joins the unit before it,
    and a unit ending in an opening bracket joins the one after it."""
    result = []
    for piece, whole in inline_pieces(text):
        tokens = [piece] if whole else WORD.findall(piece)
        for token in tokens:
            blank = token.isspace()
            if result and not blank and not result[-1].isspace() and (
                    token[0] in NO_LINE_START or result[-1][-1] in NO_LINE_END):
                result[-1] += token
            else:
                result.append(token)
    return result


def wrap(text, first_prefix, next_prefix):
    lines = []
    line, prefix = "", first_prefix
    for unit in units(text):
        room = WIDTH - columns(prefix)
        if line and columns(line) + columns(unit) > room and not unit.isspace():
            lines.append(prefix + line.rstrip())
            line, prefix = "", next_prefix
        if not line and unit.isspace():
            continue
        line += unit
    if line.strip():
        lines.append(prefix + line.rstrip())
    return lines


def join_source_lines(parts):
    """A paragraph's source lines as the lines of text they make: a line that
    ends with a backslash ends a line (Markdown's hard break); others join the
    next, with a space only where both sides are ASCII words, as Japanese text
    has no spaces."""
    lines = [""]
    for part in parts:
        part = part.strip()
        if lines[-1] and lines[-1][-1].isascii() and part[:1].isascii():
            lines[-1] += " "
        if part.endswith("\\") and not part.endswith("\\\\"):
            lines[-1] += part[:-1].rstrip()
            lines.append("")
        else:
            lines[-1] += part
    return [line for line in lines if line]


# --- blocks ----------------------------------------------------------------

HEADING = re.compile(r"^(#{1,3}) +(.*?) *#*$")
BULLET = re.compile(r"^( *)[-*] +(.*)$")
NUMBERED = re.compile(r"^( *)(\d+)\. +(.*)$")
PICTURE_ONLY = re.compile(r"^ *(!\[[^\]]*\]\([^)]*\) *)+$")
UNSUPPORTED = re.compile(r"^( *(```|~~~|>|\||<[A-Za-z!/])|    )")


def convert(markdown):
    """The guide's text as a list of lines, without line ends."""
    out = []
    block = None  # (first prefix, next prefix, source lines) being gathered

    def flush():
        nonlocal block
        if block:
            first, following, parts = block
            for line in join_source_lines(parts):
                out.extend(wrap(line, first, following))
                first = following
            block = None

    def blank_line():
        if out and out[-1] != "":
            out.append("")

    in_list = False
    for number, line in enumerate(markdown.splitlines(), 1):
        if not line.strip():
            flush()
            continue
        if PICTURE_ONLY.match(line):
            flush()
            continue
        heading = HEADING.match(line)
        bullet = BULLET.match(line)
        numbered = NUMBERED.match(line)
        if heading:
            flush()
            level, text = len(heading.group(1)), plain(heading.group(2))
            blank_line()
            if level == 1:
                out.extend([TITLE_RULE, "  " + text, TITLE_RULE])
            else:
                out.append(("■ " if level == 2 else "◆ ") + text)
            out.append("")
            in_list = False
        elif bullet or numbered:
            flush()
            if not in_list:
                blank_line()
            indent = len((bullet or numbered).group(1))
            marker = "・" if bullet else numbered.group(2) + ". "
            text = bullet.group(2) if bullet else numbered.group(3)
            lead = "  " * (indent // 2)
            block = (lead + marker, lead + " " * columns(marker), [text])
            in_list = True
        elif block and line.startswith(" ") and in_list:
            block[2].append(line)
        elif UNSUPPORTED.match(line):
            raise GuideError("line %d: not supported in the guide: %s" % (number, line))
        elif block and not in_list:
            block[2].append(line)
        else:
            flush()
            blank_line()
            in_list = False
            block = ("", "", [line])
    flush()
    while out and out[-1] == "":
        out.pop()
    return out


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: make_guide_text.py GUIDE.md OUT.txt")
    with open(argv[1], encoding="utf-8") as source:
        markdown = source.read()
    try:
        text = "\r\n".join(convert(markdown)) + "\r\n"
        data = text.encode("cp932")
    except GuideError as error:
        sys.exit("%s: %s" % (argv[1], error))
    except UnicodeEncodeError as error:
        sys.exit("%s: %r has no code page 932 form" % (argv[1], error.object[error.start:error.end]))
    with open(argv[2], "wb") as target:
        target.write(data)


if __name__ == "__main__":
    main(sys.argv)

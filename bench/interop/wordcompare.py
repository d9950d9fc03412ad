#!/usr/bin/env python3
"""Compare the words of two plain texts the way the interoperability checks do.

    python3 wordcompare.py [--all] EXPECTED.txt ACTUAL.txt

Both files are read as UTF-8 (a byte-order mark is skipped; undecodable bytes
become U+FFFD, so they count as a difference). The texts are the same when they
have the same words in the same order after this normalisation, which is also
the one of tests/interop/InteropCorpusTest.cpp:

  * NFC composition, so a letter written as base plus combining mark equals
    the precomposed one;
  * characters that carry no word are removed: soft hyphens, zero-width
    spaces and joiners, byte-order marks, and the private-use area (the
    Symbol-font bullets of Word's lists arrive there). The object replacement
    character U+FFFC is not removed: plain text leaves pictures out, so one in
    the text is a difference;
  * the text is split on any white space (tabs, no-break spaces, line and
    paragraph separators included), so line breaks, paragraph breaks and
    the layout of table cells do not matter;
  * a word that is only a list marker is dropped: bullets such as • ◦ ▪ ■ □ ● ○
    ‣ ⁃ · – — - * ∙ ➢, and enumerators ending in "." or ")": up to three digits,
    one letter or a roman numeral of up to four letters, optionally opened by
    "(" and followed by more numbers, such as "1.", "12)", "a)", "iv.", "B.",
    "2.3.", "(3)";
  * a word made only of table drawing characters (| + - = _) is dropped.

Zorvan's plain text puts footnotes and endnotes after the document, below a
line "__________"; LibreOffice's text leaves notes out, so a text is compared
only up to the last such line.

Everything else must match exactly, so a dropped, doubled or garbled word
(a wrong letter, a "?" instead of a Czech letter) is a difference.

Exit status 0 when equal; otherwise 1, with the first difference printed
(with --all, every differing stretch).
"""
import difflib
import re
import sys
import unicodedata

_INVISIBLE = re.compile("[\u00ad\u200b\u200c\u200d\u2060\ufeff\ue000-\uf8ff]")
# "o" (Word's second-level bullet) is not here: it is a Czech word.
_BULLETS = set("•◦▪■□●○‣⁃·–—-*\u2219\u27a2")
_ENUMERATOR = re.compile(r"^\(?([0-9]{1,3}|[a-zA-Z]|[ivxlcdmIVXLCDM]{1,4})([.)][0-9]{0,3})*[.)]$")
_TABLE_RULE = re.compile(r"^[|+\-=_]+$")


def is_marker(word):
    if len(word) == 1 and word in _BULLETS:
        return True
    return bool(_ENUMERATOR.match(word) or _TABLE_RULE.match(word))


def words(text):
    text = unicodedata.normalize("NFC", text)
    text = _INVISIBLE.sub("", text)
    return [w for w in text.split() if not is_marker(w)]


NOTES_SEPARATOR = "\n__________\n"


def read_text(path):
    with open(path, "rb") as handle:
        text = handle.read().decode("utf-8-sig", errors="replace").replace("\r\n", "\n")
    notes = text.rfind(NOTES_SEPARATOR)
    return text if notes < 0 else text[:notes]


def first_difference(expected, actual, context=6):
    """None when the word lists are equal, else a short description."""
    if expected == actual:
        return None
    matcher = difflib.SequenceMatcher(a=expected, b=actual, autojunk=False)
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        if tag == "equal":
            continue
        before = " ".join(expected[max(0, i1 - context):i1])
        return ("word %d: after \u201c%s\u201d expected \u201c%s\u201d, got \u201c%s\u201d "
                "(%d words expected, %d got)" % (
                    i1, before, " ".join(expected[i1:min(i2, i1 + context)]),
                    " ".join(actual[j1:min(j2, j1 + context)]), len(expected), len(actual)))
    return None


def all_differences(expected, actual):
    """Every differing stretch, one line each, for looking into a failure."""
    matcher = difflib.SequenceMatcher(a=expected, b=actual, autojunk=False)
    return ["word %d %s: expected \u201c%s\u201d, got \u201c%s\u201d" % (
                i1, tag, " ".join(expected[i1:i2]), " ".join(actual[j1:j2]))
            for tag, i1, i2, j1, j2 in matcher.get_opcodes() if tag != "equal"]


def compare_files(expected_path, actual_path):
    return first_difference(words(read_text(expected_path)), words(read_text(actual_path)))


def main(argv):
    every = "--all" in argv
    argv = [argument for argument in argv if argument != "--all"]
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    if every:
        differences = all_differences(words(read_text(argv[1])), words(read_text(argv[2])))
        print("\n".join(differences))
        return 1 if differences else 0
    difference = compare_files(argv[1], argv[2])
    if difference:
        print(difference)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

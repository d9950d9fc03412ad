#!/usr/bin/env python3
"""The character formatting of every word of an HTML file that LibreOffice exported.

    python3 htmlattributes.py FILE.html     prints each word with its attributes

The attributes are carried down the element tree to the text: b/strong, i/em,
u, s/strike/del, sub, sup, font (color, face, size) and the style attribute
(color, background, font-family, font-size, font-weight, font-style,
text-decoration, vertical-align), after the rules of the page's own style sheet
for the element's tag and class (LibreOffice puts a paragraph style's face and
size there; a style that sets neither has those of the default paragraph style,
p.western). Only the body counts.

A word is a run of characters between white space; list markers and invisible
characters are dropped as wordcompare.py drops them. A word whose characters
differ in formatting has the formatting of each stretch, in order.
"""
import html.parser
import re
import sys
import os

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wordcompare  # noqa: E402

# The attributes of a character, in the order they are printed.
NAMES = ("face", "size", "bold", "italic", "underline", "strike", "script", "color", "background")
# A size that nothing sets is RTF's default, 12 pt.
# Automatic text colour counts as black: LibreOffice writes its paragraph style's colour as
# #000000 for both, so the two cannot be told apart in its HTML.
DEFAULTS = {"face": "", "size": "12", "bold": False, "italic": False, "underline": False, "strike": False,
            "script": "", "color": "#000000", "background": ""}
# HTML's font sizes 1 to 7 in points, for a <font size> without a style.
_HTML_SIZES = {"1": "8", "2": "10", "3": "12", "4": "14", "5": "18", "6": "24", "7": "36"}
_TAG_ATTRIBUTES = {
    "b": {"bold": True}, "strong": {"bold": True}, "i": {"italic": True}, "em": {"italic": True},
    "u": {"underline": True}, "s": {"strike": True}, "strike": {"strike": True}, "del": {"strike": True},
    "sub": {"script": "sub"}, "sup": {"script": "super"},
}
_PARAGRAPHS = {"p", "h1", "h2", "h3", "h4", "h5", "h6", "li", "td", "th", "dd", "dt"}
# Elements without an end tag.
_VOID = {"br", "img", "meta", "link", "hr", "input", "col", "area", "base", "wbr"}


def _color(value, automatic=""):
    value = value.strip().lower()
    if value in ("transparent", "none", "initial", "inherit", "auto", "windowtext"):
        return automatic
    if re.fullmatch(r"#[0-9a-f]{3}", value):
        value = "#" + "".join(digit * 2 for digit in value[1:])
    return value


def _face(value):
    first = value.split(",")[0].strip().strip("\"'")
    return first


def _points(value):
    value = value.strip().lower()
    match = re.fullmatch(r"([0-9.]+)\s*pt", value)
    if not match:
        return ""
    number = float(match.group(1))
    return ("%g" % number)


def declarations(style):
    """The attributes a CSS declaration list sets."""
    attributes = {}
    for declaration in style.split(";"):
        if ":" not in declaration:
            continue
        name, value = (part.strip() for part in declaration.split(":", 1))
        name = name.lower()
        if name == "color":
            attributes["color"] = _color(value, DEFAULTS["color"])
        elif name in ("background", "background-color"):
            attributes["background"] = _color(value.split()[0] if value.split() else value)
        elif name == "font-family":
            attributes["face"] = _face(value)
        elif name == "font-size":
            size = _points(value)
            if size:
                attributes["size"] = size
        elif name == "font-weight":
            attributes["bold"] = value in ("bold", "bolder") or (value.isdigit() and int(value) >= 600)
        elif name == "font-style":
            attributes["italic"] = value in ("italic", "oblique")
        elif name == "text-decoration" or name == "text-decoration-line":
            if "underline" in value:
                attributes["underline"] = True
            if "line-through" in value:
                attributes["strike"] = True
            if value == "none":
                attributes["underline"] = attributes["strike"] = False
        elif name == "vertical-align":
            if value in ("sub", "super"):
                attributes["script"] = value
            elif value == "baseline":
                attributes["script"] = ""
    return attributes


def style_rules(css):
    """selector ("p", "p.western") -> the attributes its rule sets."""
    rules = {}
    for selectors, body in re.findall(r"([^{}]+)\{([^{}]*)\}", css):
        for selector in selectors.split(","):
            selector = selector.strip().lower()
            if re.fullmatch(r"[a-z0-9]+(\.[a-z0-9_-]+)?", selector):
                rules.setdefault(selector, {}).update(declarations(body))
    return rules


class _Parser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = [("", dict(DEFAULTS))]
        self.characters = []  # (character, attributes)
        self.in_body = False
        self.in_style = False
        self.css = ""
        self.rules = {}

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "style":
            self.in_style = True
            return
        if tag == "body":
            self.in_body = True
            self.rules = style_rules(self.css)
        if tag in _VOID:
            return
        current = dict(self.stack[-1][1])
        if tag in _PARAGRAPHS:
            # LibreOffice's paragraph styles take their face and size from the default
            # paragraph style (p.western) unless they set their own, but its HTML rules
            # leave that inheritance out.
            default = self.rules.get("p.western", {})
            current.update({name: default[name] for name in ("face", "size") if name in default})
        current.update(self.rules.get(tag, {}))
        for name in (attrs.get("class") or "").split():
            current.update(self.rules.get(tag + "." + name.lower(), {}))
        current.update(_TAG_ATTRIBUTES.get(tag, {}))
        if tag == "font":
            if attrs.get("color"):
                current["color"] = _color(attrs["color"], DEFAULTS["color"])
            if attrs.get("face"):
                current["face"] = _face(attrs["face"])
            if attrs.get("size") in _HTML_SIZES:
                current["size"] = _HTML_SIZES[attrs["size"]]
        if attrs.get("style"):
            current.update(declarations(attrs["style"]))
        self.stack.append((tag, current))

    def handle_endtag(self, tag):
        if tag == "style":
            self.in_style = False
            return
        if tag == "body":
            self.in_body = False
        for index in range(len(self.stack) - 1, 0, -1):
            if self.stack[index][0] == tag:
                del self.stack[index:]
                return

    def handle_data(self, data):
        if self.in_style:
            self.css += data
            return
        if not self.in_body:
            return
        attributes = tuple(self.stack[-1][1][name] for name in NAMES)
        for character in data:
            self.characters.append((character, attributes))


def words_of(path):
    """[(word, attributes)], attributes a tuple of the formatting of each stretch of the word."""
    with open(path, encoding="utf-8", errors="replace") as handle:
        text = handle.read()
    parser = _Parser()
    parser.feed(text)
    parser.close()
    words = []
    letters, stretches = [], []

    def end_word():
        word = "".join(letters)
        if word and not wordcompare.is_marker(word):
            words.append((word, tuple(stretches)))
        letters.clear()
        stretches.clear()

    for character, attributes in parser.characters:
        if character.isspace():
            end_word()
            continue
        if wordcompare._INVISIBLE.match(character):
            continue
        letters.append(character)
        if not stretches or stretches[-1] != attributes:
            stretches.append(attributes)
    end_word()
    return words


def describe(stretches):
    parts = []
    for attributes in stretches:
        values = dict(zip(NAMES, attributes))
        shown = ["%s=%s" % (name, values[name]) for name in NAMES
                 if values[name] != DEFAULTS[name] and not isinstance(values[name], bool)]
        shown += [name for name in NAMES if values[name] is True]
        parts.append(" ".join(shown) or "plain")
    return " | ".join(parts)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    for word, stretches in words_of(argv[1]):
        print("%s\t%s" % (word, describe(stretches)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

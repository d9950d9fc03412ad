#!/usr/bin/env python3
"""The character formatting of every word, and the formatting of every paragraph, of an HTML
file that LibreOffice exported.

    python3 htmlattributes.py FILE.html               prints each word with its attributes
    python3 htmlattributes.py --paragraphs FILE.html  prints each paragraph with its attributes

The attributes are carried down the element tree to the text: b/strong, i/em,
u, s/strike/del, sub, sup, font (color, face, size) and the style attribute
(color, background, font-family, font-size, font-weight, font-style,
text-decoration, vertical-align), after the rules of the page's own style sheet
for the element's tag and class (LibreOffice puts a paragraph style's face and
size there; a style that sets neither has those of the default paragraph style,
p.western). Only the body counts.

A paragraph (p, h1..h6, li, td ... holding text) has its alignment (inherited, as
text-align is), the kind of the innermost list around it and how many lists
it lies in, its left, right and first-line indents, its space before and after
(margins from the style sheet's rules for it and its own style) and its line
height (single spacing, which nothing sets or "normal" sets, as 100%); lengths
are in whole points.

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
# The attributes of a paragraph, in the order they are printed, and what they are when
# nothing sets them.
PARAGRAPH_NAMES = ("align", "list", "level", "left", "right", "first", "before", "after", "line")
PARAGRAPH_DEFAULTS = {"align": "left", "list": "", "level": 0, "left": 0, "right": 0, "first": 0, "before": 0,
                      "after": 0, "line": "100%"}
_MARGINS = {"margin-left": "left", "margin-right": "right", "text-indent": "first", "margin-top": "before",
            "margin-bottom": "after"}
_POINTS_PER_UNIT = {"pt": 1.0, "in": 72.0, "cm": 72 / 2.54, "mm": 72 / 25.4, "px": 0.75}
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


def _length(value):
    """A CSS length in whole points; 0 for what is not one."""
    match = re.fullmatch(r"(-?[0-9.]+)\s*([a-z]*)", value.strip().lower())
    if not match or match.group(2) not in _POINTS_PER_UNIT:
        return 0
    return int(round(float(match.group(1)) * _POINTS_PER_UNIT[match.group(2)]))


def _alignment(value):
    value = value.strip().lower()
    return {"start": "left", "end": "right"}.get(value, value)


def _css_declarations(style):
    """The (lower-case name, value) pairs of a CSS declaration list."""
    for declaration in style.split(";"):
        if ":" not in declaration:
            continue
        name, value = (part.strip() for part in declaration.split(":", 1))
        yield name.lower(), value


def paragraph_declarations(style):
    """The paragraph attributes a CSS declaration list sets."""
    attributes = {}
    for name, value in _css_declarations(style):
        if name in _MARGINS:
            attributes[_MARGINS[name]] = _length(value)
        elif name == "margin":
            parts = [_length(part) for part in value.split()]
            if parts:
                top, right, bottom, left = (parts * 4)[:4] if len(parts) != 2 else parts * 2
                attributes.update(before=top, right=right, after=bottom, left=left)
        elif name == "text-align":
            attributes["align"] = _alignment(value)
        elif name == "line-height":
            line = value.strip().lower().replace(" ", "")
            attributes["line"] = "100%" if line in ("normal", "1", "100%") else line
    return attributes


def declarations(style):
    """The attributes a CSS declaration list sets."""
    attributes = {}
    for name, value in _css_declarations(style):
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
    return _rules(css, declarations)


def _rules(css, read):
    rules = {}
    for selectors, body in re.findall(r"([^{}]+)\{([^{}]*)\}", css):
        for selector in selectors.split(","):
            selector = selector.strip().lower()
            if re.fullmatch(r"[a-z0-9]+(\.[a-z0-9_-]+)?", selector):
                rules.setdefault(selector, {}).update(read(body))
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
        self.paragraph_rules = {}
        # The inherited paragraph attributes of each open element, beside self.stack.
        self.paragraph_stack = [dict(PARAGRAPH_DEFAULTS)]
        self.paragraphs = []  # [attributes, text]

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "style":
            self.in_style = True
            return
        if tag == "body":
            self.in_body = True
            self.rules = style_rules(self.css)
            self.paragraph_rules = _rules(self.css, paragraph_declarations)
        if tag in _VOID:
            return
        self.paragraph_stack.append(self._paragraph_start(tag, attrs))
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
                del self.paragraph_stack[index:]
                return

    def _paragraph_start(self, tag, attrs):
        """The paragraph attributes inside an element; a paragraph element starts a paragraph."""
        inherited = self.paragraph_stack[-1]
        current = {name: inherited[name] for name in ("align", "list", "level", "line")}
        own = dict(self.paragraph_rules.get(tag, {}))
        for name in (attrs.get("class") or "").split():
            own.update(self.paragraph_rules.get(tag + "." + name.lower(), {}))
        own.update(paragraph_declarations(attrs.get("style") or ""))
        if attrs.get("align"):
            own["align"] = _alignment(attrs["align"])
        current.update({name: own[name] for name in ("align", "line") if name in own})
        if tag in ("ol", "ul"):
            current["list"] = "ul" if tag == "ul" else "ol " + (attrs.get("type") or "1")
            current["level"] = inherited["level"] + 1
        if tag in _PARAGRAPHS:
            paragraph = dict(PARAGRAPH_DEFAULTS)
            paragraph.update(current)
            paragraph.update({name: own[name] for name in _MARGINS.values() if name in own})
            self.paragraphs.append([paragraph, []])
        return current

    def handle_data(self, data):
        if self.in_style:
            self.css += data
            return
        if not self.in_body:
            return
        attributes = tuple(self.stack[-1][1][name] for name in NAMES)
        if self.paragraphs:
            self.paragraphs[-1][1].append(data)
        for character in data:
            self.characters.append((character, attributes))


def _parsed(path):
    with open(path, encoding="utf-8", errors="replace") as handle:
        text = handle.read()
    parser = _Parser()
    parser.feed(text)
    parser.close()
    return parser


def paragraphs_of(path):
    """[(text, (attributes,))] for every paragraph with words, text its words joined by a
    space, in the form words_of gives a word of one stretch."""
    paragraphs = []
    for attributes, pieces in _parsed(path).paragraphs:
        words = [wordcompare._INVISIBLE.sub("", word) for word in "".join(pieces).split()]
        words = [word for word in words if word and not wordcompare.is_marker(word)]
        if words:
            paragraphs.append((" ".join(words), (tuple(attributes[name] for name in PARAGRAPH_NAMES),)))
    return paragraphs


def words_of(path):
    """[(word, attributes)], attributes a tuple of the formatting of each stretch of the word."""
    parser = _parsed(path)
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


def describe(stretches, names=NAMES, defaults=DEFAULTS):
    parts = []
    for attributes in stretches:
        values = dict(zip(names, attributes))
        shown = ["%s=%s" % (name, values[name]) for name in names
                 if values[name] != defaults[name] and not isinstance(values[name], bool)]
        shown += [name for name in names if values[name] is True]
        parts.append(" ".join(shown) or "plain")
    return " | ".join(parts)


def main(argv):
    if len(argv) == 3 and argv[1] == "--paragraphs":
        for text, attributes in paragraphs_of(argv[2]):
            print("%s\t%s" % (text[:60], describe(attributes, PARAGRAPH_NAMES, PARAGRAPH_DEFAULTS)))
        return 0
    if len(argv) != 2:
        print("\n".join(line.strip() for line in __doc__.strip().splitlines()[3:5]), file=sys.stderr)
        return 2
    for word, stretches in words_of(argv[1]):
        print("%s\t%s" % (word, describe(stretches)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

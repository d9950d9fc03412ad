#!/usr/bin/env python3
"""Measure whether character and paragraph formatting survive Zorvan's RTF, on two roads.

    check-attributes.py [--convert PATH] [--sample-tool PATH] [--shared DIR] [--road both|zorvan|others]
                        [--measure both|words|paragraphs] [--only NAME] [--show]

Road "Zorvan writes": a sample document whose words each carry their own
attributes (face, size, bold, italic, underline, strike-out, sub- and
superscript, text colour, highlight, character set) is saved as RTF by Zorvan:
by the sample tool (--sample-tool, which builds it through the editor's
character attributes) when it is there, else the hand-checked
attributes-sample.rtf beside this script. attributes-sample.tsv says what each
word carries. LibreOffice converts the RTF to HTML and every word must show
its attributes there; then Zorvan opens the RTF and saves it again, and the
second RTF must equal the first byte for byte.

Road "others write": RTF written by LibreOffice, AbiWord and pandoc
(tests/data/interop/) and the real-world files of DIR/rtf (default
../shared/interop beside the repository). Each is loaded and saved by Zorvan
(zorvan-convert in.rtf out.rtf) and LibreOffice exports the result to HTML;
every word must carry the same formatting as in LibreOffice's HTML of the
original. Beside it, LibreOffice's own round trip is measured the same way:
LibreOffice saves the original as RTF and exports that to HTML.

With --office docx (or odt) the road takes the Word (OpenDocument) documents of
tests/data/office instead: Zorvan reads each and saves it as RTF, and LibreOffice's
own round trip saves the original as RTF too.

On this road the paragraphs are measured the same way (--measure): every
paragraph must keep its alignment, list kind and level, indents, space before
and after and line height as LibreOffice's HTML of the original shows them.

Words are the words of htmlattributes.py, aligned by their text (difflib); a
word is kept when it is found at its place with the same formatting on every
stretch of it. Paragraphs are aligned by their text the same way. The table shows per file the words (paragraphs) of LibreOffice's HTML of the
original, the words Zorvan keeps, the words LibreOffice's round trip keeps, and
which attributes Zorvan loses most. A measurement: exit status 0 unless a tool
is missing.
"""
import argparse
import collections
import difflib
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import htmlattributes  # noqa: E402


def soffice_convert(sources, target_format, folder, profile):
    """Converts every file of sources into folder, in one soffice call."""
    if not sources:
        return
    os.makedirs(folder, exist_ok=True)
    try:
        subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to",
                        target_format, "--outdir", folder] + sources,
                       capture_output=True, timeout=120 + 20 * len(sources))
    except subprocess.TimeoutExpired:
        print("soffice did not finish converting %d files to %s" % (len(sources), target_format))


def zorvan_convert(convert, source, target, timeout=120):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        return subprocess.run([convert, source, target], capture_output=True, timeout=timeout,
                              env=environment).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def stem(path):
    return os.path.splitext(os.path.basename(path))[0]


# What is measured: the words with their character formatting, the paragraphs with theirs.
Measure = collections.namedtuple("Measure", "unit read names defaults")
WORDS = Measure("words", htmlattributes.words_of, htmlattributes.NAMES, htmlattributes.DEFAULTS)
PARAGRAPHS = Measure("paragraphs", htmlattributes.paragraphs_of, htmlattributes.PARAGRAPH_NAMES,
                     htmlattributes.PARAGRAPH_DEFAULTS)


def compare_words(expected, actual, show=False, measure=WORDS):
    """(items compared, items kept, Counter of the attributes that differ) for the words or the
    paragraphs of measure; with show, prints every item that is not kept."""
    kept = 0
    lost = collections.Counter()
    matcher = difflib.SequenceMatcher(a=[word for word, _ in expected], b=[word for word, _ in actual],
                                      autojunk=False)
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        if tag != "equal":
            lost["text"] += i2 - i1
            if show and i2 > i1:
                print("    TEXT %s -> %s" % (" ".join(word for word, _ in expected[i1:i2])[:200],
                                            " ".join(word for word, _ in actual[j1:j2])[:200]))
            continue
        for (word, want), (_, got) in zip(expected[i1:i2], actual[j1:j2]):
            if want == got:
                kept += 1
                continue
            if show:
                print("    %s: %s -> %s" % (word[:60], htmlattributes.describe(want, measure.names, measure.defaults),
                                            htmlattributes.describe(got, measure.names, measure.defaults)))
            if len(want) != len(got):
                lost["stretches"] += 1
                continue
            differing = {name for a, b in zip(want, got) for name, x, y in zip(measure.names, a, b) if x != y}
            for name in differing:
                lost[name] += 1
    return len(expected), kept, lost


# Road "others write".

def office_corpus(extension):
    """The Word (docx) or OpenDocument (odt) documents of tests/data/office."""
    folder = os.path.join(REPO, "tests", "data", "office")
    return [os.path.join(folder, name) for name in sorted(os.listdir(folder)) if name.endswith("." + extension)]


def corpus(shared):
    documents = []
    own = os.path.join(REPO, "tests", "data", "interop")
    documents += [os.path.join(own, name) for name in sorted(os.listdir(own)) if name.endswith(".rtf")]
    if os.path.isdir(os.path.join(shared, "rtf")):
        folder = os.path.join(shared, "rtf")
        documents += [os.path.join(folder, name) for name in sorted(os.listdir(folder))
                      if name.lower().endswith(".rtf")]
    else:
        print("no shared corpus at %s: only tests/data/interop is measured" % shared)
    return documents


def others_write(documents, convert, work, profile, show=False, measures=(WORDS,)):
    original_html = os.path.join(work, "original-html")
    zorvan_rtf = os.path.join(work, "zorvan-rtf")
    zorvan_html = os.path.join(work, "zorvan-html")
    libreoffice_rtf = os.path.join(work, "libreoffice-rtf")
    libreoffice_html = os.path.join(work, "libreoffice-html")
    os.makedirs(zorvan_rtf, exist_ok=True)
    soffice_convert(documents, "html", original_html, profile)
    saved = []
    for document in documents:
        target = os.path.join(zorvan_rtf, stem(document) + ".rtf")
        if zorvan_convert(convert, document, target):
            saved.append(target)
    soffice_convert(saved, "html", zorvan_html, profile)
    soffice_convert(documents, "rtf", libreoffice_rtf, profile)
    resaved = [os.path.join(libreoffice_rtf, name) for name in sorted(os.listdir(libreoffice_rtf))] \
        if os.path.isdir(libreoffice_rtf) else []
    soffice_convert(resaved, "html", libreoffice_html, profile)

    return [measured(measure, documents, original_html, zorvan_html, libreoffice_html, show)
            for measure in measures]


def measured(measure, documents, original_html, zorvan_html, libreoffice_html, show):
    """(measure, table rows, totals, Counter of what Zorvan loses) over the HTML files."""
    rows = []
    totals = [0, 0, 0]
    lost_total = collections.Counter()
    for document in documents:
        name = stem(document)
        original = os.path.join(original_html, name + ".html")
        if not os.path.exists(original):
            rows.append((name, None, None, None, "LibreOffice cannot read it"))
            continue
        expected = measure.read(original)

        def kept_by(folder):
            path = os.path.join(folder, name + ".html")
            if not os.path.exists(path):
                return 0, collections.Counter({"no output": len(expected)})
            _, kept, lost = compare_words(expected, measure.read(path), show, measure)
            return kept, lost

        if show:
            print("  %s %s, Zorvan:" % (name, measure.unit))
        zorvan_kept, zorvan_lost = kept_by(zorvan_html)
        if show:
            print("  %s %s, LibreOffice:" % (name, measure.unit))
        libreoffice_kept, _ = kept_by(libreoffice_html)
        lost_total.update(zorvan_lost)
        totals[0] += len(expected)
        totals[1] += zorvan_kept
        totals[2] += libreoffice_kept
        losses = ", ".join("%s %d" % item for item in zorvan_lost.most_common(4))
        rows.append((name, len(expected), zorvan_kept, libreoffice_kept, losses))
    return measure, rows, totals, lost_total


def print_table(measure, rows, totals, lost_total):
    print("\n| file | %s | kept by Zorvan | kept by LibreOffice's round trip | Zorvan loses |" % measure.unit)
    print("|---|---:|---:|---:|---|")
    for name, words, zorvan, libreoffice, losses in rows:
        if words is None:
            print("| %s | - | - | - | %s |" % (name, losses))
        else:
            print("| %s | %d | %d | %d | %s |" % (name, words, zorvan, libreoffice, losses))

    def share(value):
        return 100.0 * value / totals[0] if totals[0] else 0.0

    print("| **all %d files** | %d | %d (%.1f %%) | %d (%.1f %%) | %s |" % (
        len(rows), totals[0], totals[1], share(totals[1]), totals[2], share(totals[2]),
        ", ".join("%s %d" % item for item in lost_total.most_common(6))))
    measured_rows = [row for row in rows if row[1] is not None]
    print("Files whose every one of the %s is kept: by Zorvan %d, by LibreOffice's round trip %d, of %d" % (
        measure.unit, sum(row[2] == row[1] for row in measured_rows), sum(row[3] == row[1] for row in measured_rows),
        len(measured_rows)))


# Road "Zorvan writes".

def sample_expectations(path):
    """[(word, attributes)] in htmlattributes' form, from attributes-sample.tsv."""
    expected = []
    with open(path, encoding="utf-8") as handle:
        header = None
        for line in handle:
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if header is None:
                header = fields
                continue
            row = dict(zip(header, fields))
            flags = int(row["style"])
            size = int(row["twips"]) / 20.0
            values = {
                "face": row["face"],
                "size": "%g" % size,
                "bold": bool(flags & 1), "italic": bool(flags & 2),
                "underline": bool(flags & 4), "strike": bool(flags & 8),
                "script": {"0": "", "1": "sub", "2": "super"}[row["script"]],
                "color": htmlattributes.DEFAULTS["color"] if row["color"] == "auto" else row["color"].lower(),
                "background": "" if row["highlight"] == "auto" else row["highlight"].lower(),
            }
            expected.append((row["word"], tuple(values[name] for name in htmlattributes.NAMES)))
    return expected


def odf_sizes(path):
    """word -> its size in points in LibreOffice's flat ODF export, which keeps sizes exactly
    (its HTML export writes whole points: 10.5 pt comes out as 10 pt). A word of East Asian
    characters has the East Asian size."""
    import xml.etree.ElementTree as ElementTree
    namespaces = {"style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
                  "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
                  "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}
    root = ElementTree.parse(path).getroot()
    styles = {}
    for style in root.iter("{%s}style" % namespaces["style"]):
        properties = style.find("style:text-properties", namespaces)
        if properties is not None:
            styles[style.get("{%s}name" % namespaces["style"])] = (
                properties.get("{%s}font-size" % namespaces["fo"]),
                properties.get("{%s}font-size-asian" % namespaces["style"]))
    sizes = {}
    for span in root.iter("{%s}span" % namespaces["text"]):
        western, asian = styles.get(span.get("{%s}style-name" % namespaces["text"]), (None, None))
        for word in "".join(span.itertext()).split():
            east_asian = any(0x2E80 <= ord(character) <= 0xFFEF for character in word)
            size = asian if east_asian else western
            sizes[word] = htmlattributes._points(size) if size else ""
    return sizes


def zorvan_writes(arguments, work, profile):
    manifest = os.path.join(HERE, "attributes-sample.tsv")
    sample = os.path.join(work, "attributes-sample.rtf")
    if arguments.sample_tool and os.access(arguments.sample_tool, os.X_OK):
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        made = subprocess.run([arguments.sample_tool, manifest, sample], capture_output=True, env=environment)
        if made.returncode != 0:
            sys.exit("the sample tool failed: %s" % made.stderr.decode("utf-8", "replace").strip())
        origin = "written by %s" % arguments.sample_tool
    else:
        shutil.copy(os.path.join(HERE, "attributes-sample.rtf"), sample)
        origin = "the hand-checked attributes-sample.rtf (no sample tool at %s)" % arguments.sample_tool
    print("Road \"Zorvan writes\": %s" % origin)
    folder = os.path.join(work, "sample-html")
    soffice_convert([sample], "html", folder, profile)
    soffice_convert([sample], "fodt", folder, profile)
    expected = sample_expectations(manifest)
    actual = htmlattributes.words_of(os.path.join(folder, "attributes-sample.html"))
    by_word = {word: stretches for word, stretches in actual}
    exact_sizes = odf_sizes(os.path.join(folder, "attributes-sample.fodt"))
    size_index = htmlattributes.NAMES.index("size")
    kept = 0
    for word, attributes in expected:
        # The HTML has the size cut to whole points; the flat ODF has it exactly.
        size = attributes[size_index]
        shown = list(attributes)
        shown[size_index] = "%g" % int(float(size))
        got = by_word.get(word)
        exact = exact_sizes.get(word)
        if got == (tuple(shown),) and exact == size:
            kept += 1
            continue
        print("  LOST %s: want %s, LibreOffice's HTML shows %s, its flat ODF size %s pt" % (
            word, htmlattributes.describe((attributes,)), htmlattributes.describe(got) if got else "no such word",
            exact))
    print("  LibreOffice shows %d of %d words with all their attributes" % (kept, len(expected)))
    resaved = os.path.join(work, "attributes-sample-resaved.rtf")
    if not zorvan_convert(arguments.convert, sample, resaved):
        print("  Zorvan could not open and save the sample")
        return
    with open(sample, "rb") as first, open(resaved, "rb") as second:
        same = first.read() == second.read()
    print("  Zorvan's Open->Save gives %s RTF" % ("the same" if same else "DIFFERENT"))
    if not same:
        subprocess.run(["diff", sample, resaved])


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--convert", default=os.path.join(REPO, "build", "tools", "zorvan-convert"))
    parser.add_argument("--sample-tool", default=os.path.join(REPO, "build", "bench", "zorvan-attributes-sample"))
    parser.add_argument("--shared", default=os.path.join(os.path.dirname(REPO), "shared", "interop"))
    parser.add_argument("--only", help="measure the files whose name contains this text")
    parser.add_argument("--road", choices=("both", "zorvan", "others"), default="both")
    parser.add_argument("--measure", choices=("both", "words", "paragraphs"), default="both",
                        help="on the road \"others write\": the words' formatting, the paragraphs', or both")
    parser.add_argument("--office", choices=("docx", "odt"),
                        help="on the road \"others write\": the Word or OpenDocument documents of "
                             "tests/data/office instead of the RTF files, read by Zorvan and saved as RTF")
    parser.add_argument("--show", action="store_true", help="print every word or paragraph that is not kept")
    arguments = parser.parse_args()
    if not os.access(arguments.convert, os.X_OK):
        sys.exit("no zorvan-convert at %s (build it, or pass --convert)" % arguments.convert)
    if not shutil.which("soffice"):
        sys.exit("soffice is missing: run check-attributes.sh, which installs it")
    with tempfile.TemporaryDirectory() as work:
        profile = os.path.join(work, "profile")
        if arguments.road in ("both", "zorvan"):
            zorvan_writes(arguments, work, profile)
        if arguments.road in ("both", "others"):
            documents = office_corpus(arguments.office) if arguments.office else corpus(arguments.shared)
            if arguments.only:
                documents = [document for document in documents if arguments.only in os.path.basename(document)]
            print("Road \"others write\": %d files" % len(documents))
            measures = {"words": (WORDS,), "paragraphs": (PARAGRAPHS,), "both": (WORDS, PARAGRAPHS)}
            for result in others_write(documents, arguments.convert, work, profile, arguments.show,
                                       measures[arguments.measure]):
                print_table(*result)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Measure whether LibreOffice reads Zorvan's Word (.docx) and OpenDocument (.odt) files with
the text and formatting of the document they were made from.

    check-office-writers.py [--sample PATH] [--shared DIR] [--only NAME] [--show]

The sources are the RTF that LibreOffice, AbiWord and pandoc wrote (tests/data/interop/*.rtf),
the Word files they wrote (tests/data/office/*.docx), the RTF, .docx and .odt files of
tests/data/office/sources/ (.odt sources are listed but not measured while the sample cannot
read them) and the real-world RTF of DIR/rtf (default ../shared/interop beside the
repository, LibreOffice's text of each in DIR/text). For each source the sample tool (--sample, default build/bench/zorvan-office-sample)
reads it into Zorvan's document model and writes it as .docx and as .odt.

Text: LibreOffice converts each of Zorvan's files to plain text, which must have the words of
LibreOffice's text of the source (the .txt beside it, else LibreOffice's conversion of it) in
the same order (wordcompare.py).

Formatting: LibreOffice exports the source and each of Zorvan's files to HTML, and the words
and paragraphs of htmlattributes.py are compared as check-attributes.py compares them: a word
is kept when it is found at its place with the same formatting on every stretch of it, a
paragraph when its alignment, list, indents, spacing and line height are the same.

A measurement: exit status 0 unless a tool is missing.
"""
import argparse
import collections
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import wordcompare  # noqa: E402

_spec = importlib.util.spec_from_file_location("check_attributes", os.path.join(HERE, "check-attributes.py"))
check_attributes = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(check_attributes)

KINDS = ("docx", "odt")
NO_TEXT = "no text of the source"
READABLE = (".rtf", ".docx")


def groups(shared):
    """The sources in groups whose files have distinct names: (group name, [paths], the folder of
    LibreOffice's texts of them)."""
    found = []
    data = os.path.join(REPO, "tests", "data")
    for name, folder, extensions, texts in (
            ("rtf", os.path.join(data, "interop"), (".rtf",), os.path.join(data, "interop")),
            ("docx", os.path.join(data, "office"), (".docx",), os.path.join(data, "office")),
            ("sources", os.path.join(data, "office", "sources"), (".rtf", ".docx", ".odt"), None),
            ("shared", os.path.join(shared, "rtf"), (".rtf",), os.path.join(shared, "text"))):
        if os.path.isdir(folder):
            paths = [os.path.join(folder, entry) for entry in sorted(os.listdir(folder))
                     if entry.lower().endswith(extensions)]
            if paths:
                found.append((name, paths, texts))
    return found


def write_with_sample(sample, source, target):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        return subprocess.run([sample, source, target], capture_output=True, timeout=120,
                              env=environment).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def text_row(name, expected_text, folders):
    """'OK' or the first difference for each kind."""
    results = []
    for kind in KINDS:
        path = os.path.join(folders[kind], name + ".txt")
        if not os.path.exists(path):
            results.append("no text")
            continue
        difference = wordcompare.first_difference(wordcompare.words(wordcompare.read_text(expected_text)),
                                                  wordcompare.words(wordcompare.read_text(path)))
        results.append("OK" if difference is None else "DIFF " + difference)
    return results


def measure_group(group, sources, texts_folder, sample, work, profile, show):
    stem = check_attributes.stem
    base = os.path.join(work, group)
    written = {kind: [] for kind in KINDS}
    for source in sources:
        if not source.lower().endswith(READABLE):
            print("  %s: not measured (the sample reads RTF and Word files)" % os.path.basename(source))
            continue
        for kind in KINDS:
            folder = os.path.join(base, "zorvan-" + kind)
            os.makedirs(folder, exist_ok=True)
            target = os.path.join(folder, stem(source) + "." + kind)
            if write_with_sample(sample, source, target):
                written[kind].append(target)
    measured = [source for source in sources if source.lower().endswith(READABLE)]

    # LibreOffice's text of each source: the corpus keeps it, else LibreOffice makes it.
    expected = {}
    missing = []
    for source in measured:
        kept = os.path.join(texts_folder, stem(source) + ".txt") if texts_folder else ""
        if kept and os.path.exists(kept):
            expected[stem(source)] = kept
        else:
            missing.append(source)
    check_attributes.soffice_convert(missing, "txt:Text", os.path.join(base, "source-text"), profile)
    for source in missing:
        expected[stem(source)] = os.path.join(base, "source-text", stem(source) + ".txt")

    text_folders = {kind: os.path.join(base, kind + "-text") for kind in KINDS}
    html_folders = {kind: os.path.join(base, kind + "-html") for kind in KINDS}
    for kind in KINDS:
        check_attributes.soffice_convert(written[kind], "txt:Text", text_folders[kind], profile)
        check_attributes.soffice_convert(written[kind], "html", html_folders[kind], profile)
    source_html = os.path.join(base, "source-html")
    check_attributes.soffice_convert(measured, "html", source_html, profile)

    texts = []
    for source in measured:
        name = stem(source)
        if not os.path.exists(expected[name]):
            texts.append((name, [NO_TEXT] * len(KINDS)))
            continue
        texts.append((name, text_row(name, expected[name], text_folders)))

    formats = []
    for measure in (check_attributes.WORDS, check_attributes.PARAGRAPHS):
        # measured() compares its two folders with the source; each kind is the first once so
        # that its losses are counted.
        _, rows, totals, docx_lost = check_attributes.measured(measure, measured, source_html,
                                                               html_folders["docx"], html_folders["odt"], show)
        _, _, _, odt_lost = check_attributes.measured(measure, measured, source_html, html_folders["odt"],
                                                      html_folders["docx"], False)
        formats.append((measure, rows, totals, docx_lost, odt_lost))
    return texts, formats


def misreadings():
    """The files whose LibreOffice text is itself wrong (libreoffice-misreadings.tsv)."""
    with open(os.path.join(HERE, "libreoffice-misreadings.tsv"), encoding="utf-8") as handle:
        return {line.split("\t")[0] for line in handle if line.strip() and not line.startswith("#")}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--sample", default=os.path.join(REPO, "build", "bench", "zorvan-office-sample"))
    parser.add_argument("--shared", default=os.path.join(os.path.dirname(REPO), "shared", "interop"))
    parser.add_argument("--only", help="measure only the sources whose name contains this")
    parser.add_argument("--show", action="store_true", help="print every word and paragraph not kept")
    arguments = parser.parse_args()
    if not os.access(arguments.sample, os.X_OK):
        print("no sample tool at %s: build the target zorvan-office-sample" % arguments.sample)
        return 2
    if shutil.which("soffice") is None:
        print("soffice is missing")
        return 2
    work = tempfile.mkdtemp(prefix="zorvan-office-writers-")
    profile = os.path.join(work, "profile")
    text_totals = collections.Counter()
    wrong_references = misreadings()
    format_totals = collections.Counter()
    for group, sources, texts_folder in groups(arguments.shared):
        if arguments.only:
            sources = [source for source in sources if arguments.only in os.path.basename(source)]
        if not sources:
            continue
        print("== %s (%d files)" % (group, len(sources)))
        texts, formats = measure_group(group, sources, texts_folder, arguments.sample, work, profile,
                                       arguments.show)
        print("  text read back by LibreOffice          .docx   .odt")
        for name, results in texts:
            print("  %-38s %-7s %s" % (name, results[0][:7], results[1][:7]))
            if results[0] == NO_TEXT:
                continue
            for kind, result in zip(KINDS, results):
                text_totals[kind + " files"] += 1
                text_totals[kind + " same"] += result == "OK"
                if name in wrong_references:
                    text_totals[kind + " misread"] += 1
                if result != "OK" and arguments.show:
                    print("    .%s: %s" % (kind, result))
        for measure, rows, totals, docx_lost, odt_lost in formats:
            print("  %-38s %7s %7s %7s" % (measure.unit + " with the source's formatting", "source", ".docx",
                                           ".odt"))
            for name, count, docx_kept, odt_kept, _ in rows:
                print("  %-38s %7s %7s %7s" % (name, count, docx_kept, odt_kept))
            format_totals[measure.unit] += totals[0]
            format_totals[measure.unit + " docx"] += totals[1]
            format_totals[measure.unit + " odt"] += totals[2]
            print("  .docx loses most: %s" % ", ".join("%s %d" % item for item in docx_lost.most_common(5)))
            print("  .odt loses most:  %s" % ", ".join("%s %d" % item for item in odt_lost.most_common(5)))
    print("== totals")
    for kind in KINDS:
        print("  .%s: LibreOffice reads %d of %d files with the source's words (the files include %d whose "
              "LibreOffice text is itself wrong, libreoffice-misreadings.tsv)" %
              (kind, text_totals[kind + " same"], text_totals[kind + " files"], text_totals[kind + " misread"]))
    for unit in ("words", "paragraphs"):
        total = format_totals[unit]
        for kind in KINDS:
            kept = format_totals[unit + " " + kind]
            print("  .%s: %d of %d %s keep their formatting (%.1f%%)" %
                  (kind, kept, total, unit, 100.0 * kept / total if total else 0))
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

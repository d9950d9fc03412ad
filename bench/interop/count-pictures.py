#!/usr/bin/env python3
"""Count the pictures LibreOffice finds in RTF files before and after Zorvan saves them.

    count-pictures.py [--convert PATH] [--shared DIR] [--timeout SECONDS]

Files: tests/data/interop/*.rtf and DIR/*.rtf (default ../shared/interop/rtf
beside the repository, when it exists; a DIR holding an rtf/ folder, like the
--shared of check-peers.py, is taken as DIR/rtf).

A file holds pictures when LibreOffice's PDF of it has an image, or its RTF has
\\pict. For each such file: LibreOffice converts the original to PDF, Zorvan saves
it as RTF (zorvan-convert in.rtf out.rtf), LibreOffice converts that RTF to PDF,
and `pdfimages -list` counts the images of both PDFs. The masks of an image
(soft masks and explicit masks) are not counted: they belong to the image they
mask. soffice converts a whole folder's files in one call; files it left
without a PDF are tried again one at a time, so that one file it stops on does
not lose the others.

Prints a table (file, pictures in the original, pictures after Zorvan's save,
OK or DIFF) and how many files keep every picture. Files LibreOffice cannot
read are listed but not judged. Exit status 0 unless a tool is missing: it is a
measurement, not a test. count-pictures.sh installs LibreOffice and pdfimages.
"""
import argparse
import importlib.util
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
PICTURE_CONTROL_WORD = re.compile(rb"\\pict(?![a-zA-Z])")
# Rows of `pdfimages -list` that are part of another image rather than a picture.
MASK_TYPES = {"smask", "mask"}


def load_check_peers():
    """check-peers.py, for the way it runs zorvan-convert (its name is not importable)."""
    spec = importlib.util.spec_from_file_location("check_peers", os.path.join(HERE, "check-peers.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def rtf_files(folder):
    return [os.path.join(folder, name) for name in sorted(os.listdir(folder))
            if os.path.splitext(name)[1].lower() == ".rtf"]


def has_picture_control_word(path):
    with open(path, "rb") as handle:
        return PICTURE_CONTROL_WORD.search(handle.read()) is not None


def pdf_path(folder, source):
    return os.path.join(folder, os.path.splitext(os.path.basename(source))[0] + ".pdf")


def run_soffice(sources, folder, profile, timeout):
    """One soffice call converting sources to PDF; on a timeout its whole process group is ended."""
    command = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to", "pdf",
               "--outdir", folder] + sources
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def convert_to_pdf(sources, folder, profile, timeout):
    """LibreOffice's PDF of each source as folder/NAME.pdf, for those it can read."""
    if not sources:
        return
    os.makedirs(folder, exist_ok=True)
    run_soffice(sources, folder, profile, timeout + 10 * len(sources))
    if len(sources) == 1:
        return
    for source in sources:
        if not os.path.exists(pdf_path(folder, source)):
            run_soffice([source], folder, profile, timeout)


def count_images(pdf):
    """The images pdfimages lists in pdf, masks left out; None when there is no PDF."""
    if not os.path.exists(pdf):
        return None
    listing = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True, check=True).stdout
    rows = listing.splitlines()[2:]  # a heading and a rule come first
    return sum(1 for row in rows if row.split() and row.split()[2] not in MASK_TYPES)


class Row:
    def __init__(self, source, original):
        self.name = os.path.basename(source)
        self.original = original
        self.saved = None
        self.problem = None

    def judged(self):
        return self.original is not None

    def kept(self):
        return self.judged() and self.saved == self.original

    def verdict(self):
        if self.kept():
            return "OK"
        verdict = "DIFF" if self.judged() else "n/a: LibreOffice cannot read the original"
        return verdict + ("; " + self.problem if self.problem else "")


def measure(sources, convert, run_convert, work, profile, timeout):
    """A Row for each source that holds pictures, in the order of sources."""
    originals = os.path.join(work, "original-pdf")
    saved_rtf = os.path.join(work, "saved")
    saved_pdf = os.path.join(work, "saved-pdf")
    os.makedirs(saved_rtf, exist_ok=True)
    convert_to_pdf(sources, originals, profile, timeout)
    rows = []
    saved = []
    for source in sources:
        row = Row(source, count_images(pdf_path(originals, source)))
        if not row.original and not has_picture_control_word(source):
            continue
        target = os.path.join(saved_rtf, row.name)
        row.problem = run_convert(convert, source, target, timeout)
        if row.problem is None:
            saved.append(target)
        rows.append((row, target))
    convert_to_pdf(saved, saved_pdf, profile, timeout)
    for row, target in rows:
        if row.problem is not None:
            continue
        row.saved = count_images(pdf_path(saved_pdf, target))
        if row.saved is None:
            row.problem = "LibreOffice cannot read Zorvan's RTF"
    return [row for row, _ in rows]


def print_table(rows):
    def count(value):
        return "-" if value is None else str(value)

    print("| file | pictures in original | pictures after Zorvan's save | result |")
    print("|---|---:|---:|---|")
    for row in rows:
        print("| %s | %s | %s | %s |" % (row.name, count(row.original), count(row.saved), row.verdict()))
    judged = [row for row in rows if row.judged()]
    summary = "%d of %d files keep every picture" % (sum(1 for row in judged if row.kept()), len(judged))
    unreadable = len(rows) - len(judged)
    if unreadable:
        summary += " (%d more that LibreOffice cannot read are not judged)" % unreadable
    print(summary)


def default_shared():
    folder = os.path.join(os.path.dirname(REPO), "shared", "interop", "rtf")
    return folder if os.path.isdir(folder) else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--convert", default=os.environ.get(
        "ZORVAN_CONVERT", os.path.join(REPO, "build", "tools", "zorvan-convert")))
    parser.add_argument("--shared", default=default_shared())
    parser.add_argument("--timeout", type=int, default=60, help="seconds per file for each conversion")
    arguments = parser.parse_args()
    if not os.access(arguments.convert, os.X_OK):
        sys.exit("no zorvan-convert at %s (build it, or pass --convert)" % arguments.convert)
    for tool in ("soffice", "pdfimages"):
        if not shutil.which(tool):
            sys.exit("%s is missing: run count-pictures.sh, which installs it" % tool)

    folders = [os.path.join(REPO, "tests", "data", "interop")]
    if arguments.shared:
        shared = arguments.shared
        if os.path.isdir(os.path.join(shared, "rtf")):
            shared = os.path.join(shared, "rtf")
        if os.path.isdir(shared):
            folders.append(shared)
        else:
            print("no shared corpus at %s: skipped" % shared)
    run_convert = load_check_peers().run_convert
    rows = []
    with tempfile.TemporaryDirectory() as work:
        profile = os.path.join(work, "profile")
        for index, folder in enumerate(folders):
            rows += measure(rtf_files(folder), arguments.convert, run_convert, os.path.join(work, str(index)),
                            profile, arguments.timeout)
    print_table(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())

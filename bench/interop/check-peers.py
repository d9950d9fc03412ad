#!/usr/bin/env python3
"""Check Zorvan's RTF against LibreOffice, in both directions, and report pass rates.

    check-peers.py [--convert PATH] [--tests PATH] [--shared DIR] [--timeout SECONDS]

Own corpus (tests/data/interop/*.rtf, each with LibreOffice's text NAME.txt):
  saved:  Zorvan loads the file and saves it as RTF (zorvan-convert in.rtf out.rtf);
          LibreOffice converts that RTF to text; it must have the words of
          LibreOffice's text of the original. The same with AbiWord reading
          Zorvan's RTF (abiword --to=txt).

Shared corpus (DIR/rtf/*.rtf real-world files, DIR/text/NAME.txt LibreOffice's
text, default ../shared/interop beside the repository):
  text:   Zorvan's plain text (zorvan-convert file.rtf out.txt) has the words of
          LibreOffice's text;
  saved:  as for the own corpus.
  A file LibreOffice could not read has no reference text: it passes when Zorvan
  loads it (exit status 0) within the time limit.
  round trip: the interop_tests program (--tests) loads each file, saves it as RTF
          and loads that again; text and formats must be the same run by run, the
          saved RTF 7-bit, and a second save the same bytes as the first (the
          CTest suite does the same for the own corpus).

Words are compared by wordcompare.py (the normalisation is described there).
Files whose LibreOffice text is itself wrong are listed in
libreoffice-misreadings.tsv: they still count as failures, and the rate without
them is printed beside the plain one.
The peers must be installed (check-peers.sh does that). Exit status 0 when every
check passed, else 1.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import wordcompare  # noqa: E402


def libreoffice_misreadings():
    """name -> why LibreOffice's reference text of that file is wrong."""
    misreadings = {}
    with open(os.path.join(HERE, "libreoffice-misreadings.tsv"), encoding="utf-8") as handle:
        for line in handle:
            if line.strip() and not line.startswith("#"):
                name, reason = line.rstrip("\n").split("\t", 1)
                misreadings[name] = reason
    return misreadings


class Result:
    def __init__(self, name, misreadings=None):
        self.name = name
        self.passed = 0
        self.failures = []
        self.misreadings = misreadings or {}

    def add(self, document, difference):
        if difference:
            self.failures.append((document, difference))
        else:
            self.passed += 1

    def total(self):
        return self.passed + len(self.failures)

    def report(self):
        total = self.total()
        rate = 100.0 * self.passed / total if total else 0.0
        print("%s: %d/%d passed (%.0f %%)" % (self.name, self.passed, total, rate))
        misread = [document for document, _ in self.failures if document in self.misreadings]
        if misread:
            judged = total - len(misread)
            print("  without the %d files LibreOffice misreads: %d/%d passed (%.0f %%)" % (
                len(misread), self.passed, judged, 100.0 * self.passed / judged if judged else 0.0))
        for document, difference in self.failures:
            print("  FAIL %s: %s" % (document, difference))
            if document in self.misreadings:
                print("       (LibreOffice %s)" % self.misreadings[document])


def run_convert(convert, source, target, timeout):
    """None on success, else what went wrong."""
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        finished = subprocess.run([convert, source, target], capture_output=True, timeout=timeout,
                                  env=environment)
    except subprocess.TimeoutExpired:
        return "zorvan-convert did not finish within %d s" % timeout
    if finished.returncode != 0:
        message = finished.stderr.decode("utf-8", "replace").strip().splitlines()
        message = [line for line in message if not line.startswith("QStandardPaths")]
        return "zorvan-convert exit status %d: %s" % (finished.returncode, " ".join(message)[:200])
    return None


def libreoffice_texts(sources, folder, profile):
    """Converts every RTF in sources to UTF-8 text in folder, in one soffice call."""
    if not sources:
        return
    subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to",
                    "txt:Text (encoded):UTF8", "--outdir", folder] + sources,
                   capture_output=True, timeout=60 + 10 * len(sources))


def compare(reference, actual_path):
    if not os.path.exists(actual_path):
        return "no output"
    return wordcompare.compare_files(reference, actual_path)


def check_saved(documents, convert, work, timeout, result):
    """documents: (name, rtf path, reference text path)."""
    saved_folder = os.path.join(work, "saved")
    text_folder = os.path.join(work, "saved-text")
    os.makedirs(saved_folder, exist_ok=True)
    os.makedirs(text_folder, exist_ok=True)
    errors = {}
    saved = []
    for name, rtf, _ in documents:
        target = os.path.join(saved_folder, name + ".rtf")
        errors[name] = run_convert(convert, rtf, target, timeout)
        if errors[name] is None:
            saved.append(target)
    libreoffice_texts(saved, text_folder, os.path.join(work, "profile"))
    for name, _, reference in documents:
        result.add(name, errors[name] or compare(reference, os.path.join(text_folder, name + ".txt")))


def check_saved_abiword(documents, convert, work, timeout, result):
    """As check_saved, with AbiWord reading Zorvan's RTF."""
    os.makedirs(work, exist_ok=True)
    environment = dict(os.environ, LC_ALL="C.UTF-8")
    for name, rtf, reference in documents:
        saved = os.path.join(work, name + ".rtf")
        text = os.path.join(work, name + ".txt")
        error = run_convert(convert, rtf, saved, timeout)
        if error is None:
            subprocess.run(["abiword", "--to=txt", "--to-name=" + text, saved], capture_output=True,
                           timeout=timeout, env=environment)
        result.add(name, error or compare(reference, text))


def check_text(documents, convert, work, timeout, result):
    text_folder = os.path.join(work, "zorvan-text")
    os.makedirs(text_folder, exist_ok=True)
    for name, rtf, reference in documents:
        target = os.path.join(text_folder, name + ".txt")
        error = run_convert(convert, rtf, target, timeout)
        if error or reference is None:
            result.add(name, error)
            continue
        result.add(name, compare(reference, target))


def check_round_trip(tests, shared, work, result):
    """Runs the round-trip tests of interop_tests over the shared corpus."""
    report = os.path.join(work, "round-trip.json")
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", ZORVAN_SHARED_INTEROP=shared)
    subprocess.run([tests, "--gtest_filter=Shared/*SaveAndReload*:Shared/*SevenBit*:Shared/*SavingAReloaded*",
                    "--gtest_output=json:" + report], capture_output=True, env=environment, timeout=1800)
    with open(report, encoding="utf-8") as handle:
        suites = json.load(handle)["testsuites"]
    outcomes = {}
    for suite in suites:
        for test in suite["testsuite"]:
            document = test.get("value_param", test["name"]).strip()
            check = test["name"].split("/")[0]
            problems = [failure["failure"].split("\n", 2)[-1].strip().splitlines()
                        for failure in test.get("failures", [])]
            message = "; ".join(lines[0][:200] for lines in problems if lines)
            outcomes.setdefault(document, []).append("%s: %s" % (check, message) if problems else None)
    for document in sorted(outcomes):
        failed = [outcome for outcome in outcomes[document] if outcome]
        result.add(document, " | ".join(failed) if failed else None)


def own_corpus():
    folder = os.path.join(REPO, "tests", "data", "interop")
    return [(name[:-4], os.path.join(folder, name), os.path.join(folder, name[:-4] + ".txt"))
            for name in sorted(os.listdir(folder)) if name.endswith(".rtf")]


def shared_corpus(folder):
    documents = []
    for name in sorted(os.listdir(os.path.join(folder, "rtf"))):
        base, extension = os.path.splitext(name)
        if extension.lower() != ".rtf":
            continue
        reference = os.path.join(folder, "text", base + ".txt")
        documents.append((base, os.path.join(folder, "rtf", name),
                          reference if os.path.exists(reference) else None))
    return documents


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--convert", default=os.environ.get(
        "ZORVAN_CONVERT", os.path.join(REPO, "build", "tools", "zorvan-convert")))
    parser.add_argument("--tests", default=os.path.join(REPO, "build", "tests", "interop_tests"))
    parser.add_argument("--shared", default=os.path.join(os.path.dirname(REPO), "shared", "interop"))
    parser.add_argument("--timeout", type=int, default=60)
    arguments = parser.parse_args()
    if not os.access(arguments.convert, os.X_OK):
        sys.exit("no zorvan-convert at %s (build it, or pass --convert)" % arguments.convert)
    if not shutil.which("soffice"):
        sys.exit("soffice is missing: run check-peers.sh, which installs it")

    results = []
    with tempfile.TemporaryDirectory() as work:
        own = Result("own corpus, RTF saved by Zorvan read by LibreOffice")
        check_saved(own_corpus(), arguments.convert, os.path.join(work, "own"), arguments.timeout, own)
        results.append(own)
        own_abiword = Result("own corpus, RTF saved by Zorvan read by AbiWord")
        check_saved_abiword(own_corpus(), arguments.convert, os.path.join(work, "own-abiword"), arguments.timeout,
                            own_abiword)
        results.append(own_abiword)
        if os.path.isdir(os.path.join(arguments.shared, "rtf")):
            documents = shared_corpus(arguments.shared)
            misreadings = libreoffice_misreadings()
            text = Result("shared corpus, Zorvan's text against LibreOffice's", misreadings)
            check_text(documents, arguments.convert, os.path.join(work, "shared"), arguments.timeout, text)
            results.append(text)
            with_reference = [document for document in documents if document[2] is not None]
            saved = Result("shared corpus, RTF saved by Zorvan read by LibreOffice", misreadings)
            check_saved(with_reference, arguments.convert, os.path.join(work, "shared"), arguments.timeout, saved)
            results.append(saved)
            if os.access(arguments.tests, os.X_OK):
                round_trip = Result("shared corpus, Zorvan's round trip (load, save, load) keeps text and formats")
                check_round_trip(arguments.tests, arguments.shared, work, round_trip)
                results.append(round_trip)
            else:
                print("no %s: the round trip over the shared corpus is skipped" % arguments.tests)
        else:
            print("no shared corpus at %s: skipped" % arguments.shared)
    for result in results:
        result.report()
    return 0 if all(not result.failures for result in results) else 1


if __name__ == "__main__":
    sys.exit(main())

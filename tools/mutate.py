#!/usr/bin/env python3
"""Plants faults into src/ one at a time and reports which tests catch each.

Not part of the build or of CI: run it by hand to see whether the tests are
strong enough, before and after changing them.

    tools/mutate.py [--tree DIR] [--build DIR] [--only ID,ID] [--list] [--out FILE]

Each fault is one or more exact text replacements in one file of src/ (or
main.cpp). For each: apply, rebuild incrementally, run `ctest -LE slow`, put
the file back. A fault whose text is no longer found is reported as "gone"
(the code changed since the fault was written), one that does not compile as
"no build". QtTest's "FAIL!" lines name the test functions that caught it.
"""
import argparse
import json
import os
import re
import signal
import subprocess
import sys
import time

# (id, file, [(old, new), ...], what the fault does)
FAULTS = [
    # Listing and order
    ("num-length", "src/core/imagefolder.cpp", [("        key += QChar(char16_t(std::min<qsizetype>(end - start, 0xFFFF)));\n", "")], "numbers compare as text (img10 before img2)"),
    ("case-tiebreak", "src/core/imagefolder.cpp", [("entries[a].name < entries[b].name", "entries[a].name > entries[b].name")], "Case.jpg / case.jpg tie-break reversed"),
    ("list-dirs", "src/core/imagefolder.cpp", [("if (!it->is_regular_file(typeError) && !(it->is_symlink", "if (it->is_other(typeError) && !(it->is_symlink")], "folders are listed as images"),
    ("ext-first-dot", "src/core/imagefolder.cpp", [("name.lastIndexOf(QLatin1Char('.'))", "name.indexOf(QLatin1Char('.'))")], "extension taken after the first dot"),
    ("link-case", "src/commands/extensionlink.cpp", [("    mesg = mesg.toLower();\n", "")], "upper-case extensions rejected"),
    ("chain-skip-gif", "src/commands/chain.cpp", [("second->addChain(third);", "second->addChain(std::make_shared<NoCmd>());")], "GIF link left out of the chain"),
    ("queue-lifo", "src/commands/stack.cpp", [("std::move(m_items.front());\n    m_items.pop_front();", "std::move(m_items.back());\n    m_items.pop_back();")], "images handed out newest first"),
    # Batch mode
    ("src-isdir", "src/modes/state2.cpp", [("if (folder.isEmpty() || !QFileInfo(folder).isDir())", "if (folder.isEmpty())")], "missing source folder not told as such"),
    ("last-msg", "src/modes/state2.cpp", [('"Last image reached.\\n"', '"Last image reached\\n"')], "message text changed"),
    ("no-state4", "src/modes/state2.cpp", [("    md->StartStateFour();\n", "")], "batch end does not show View"),
    ("complete-silent", "src/modes/state2.cpp", [("        // What was written stays; the batch still ends.\n        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));\n", "")], "failed completion not reported"),
    ("prefetch-stale", "src/imaging/prefetcher.cpp", [(" && signatureOf(path) == ahead->signature) {", ") {"), ("if (adopted && (!result || signatureOf(path) != adopted)) {", "if (adopted && !result) {")], "a changed file shows its old prefetched picture"),
    # Preview
    ("fit-height", "src/imaging/previewloader.cpp", [("w = w * Square / h;", "w = w * h / Square;")], "tall images fitted wrongly"),
    ("no-autotransform", "src/imaging/jpegpreview.cpp", [("return upright(context->image, orientation);", "return context->image;")], "EXIF orientation ignored"),
    ("max-pixels", "src/imaging/jpegpreview.cpp", [("if (limits.memoryBytes > 0 && memoryNeeded(cinfo) > limits.memoryBytes)", "if (false)")], "no limit on the size of a JPEG"),
    ("caption-kept", "src/imaging/decobj.cpp", [("    form->txtCaption->setText(QString());\n", "")], "previous caption stays in the box"),
    ("source-late", "src/imaging/decobj.cpp", [("    objMediator->SetSourceFile(imagePath);\n", ""), ("    form->pichidden->setPicture(picture->image);", "    objMediator->SetSourceFile(PreviewStatus::instance()->path());\n    form->pichidden->setPicture(picture->image);")], "a failed image leaves the previous one to be added"),
    ("load-msg", "src/imaging/decobj.cpp", [('"Error loading image"', '"Error loading image."')], "message text changed"),
    ("centre-x", "src/imaging/decobj.cpp", [("QRectF((square - float(size.width())) / 2", "QRectF((square - float(size.height())) / 2")], "preview not centred across"),
    ("no-wipe", "src/imaging/decobj.cpp", [("    form->PicBox->fillBox(", "    if (false) form->PicBox->fillBox(")], "a smaller image leaves the last one around it"),
    # Document
    ("esc-quote", "src/document/pagetext.cpp", [("        case '\\'': return \"\\\\'\";\n", "")], "quote in a caption not escaped"),
    ("esc-lt", "src/document/pagetext.cpp", [("        case '<': return \"\\\\x3C\";\n", "")], "</script> in a caption not escaped"),
    ("esc-amp", "src/document/pagetext.cpp", [("        case '&': return \"&amp;\";\n", "")], "& in the name not escaped"),
    ("url-raw", "src/document/pagetext.cpp", [('return fileName.toUtf8().toPercentEncoding("-._~");', "return fileName.toUtf8();")], "picture URL not encoded"),
    ("latin1", "src/document/pagetext.cpp", [("const QByteArray bytes = text.toLocal8Bit();", "const QByteArray bytes = text.toLatin1();")], "non-Latin text lost"),
    ("row-caption-space", "src/document/pagetext.cpp", [('" </TD></TR>"', '"</TD></TR>"')], "caption row spacing"),
    ("first-kept", "src/document/slideshow.cpp", [("    strFirstPicture.clear();\n", "")], "first picture of an earlier show reused"),
    ("middle-blank", "src/document/slideshow.cpp", [("tsSlideShow->Write(templates.middle);\n    tsSlideShow->WriteBlankLines(2);", "tsSlideShow->Write(templates.middle);\n    tsSlideShow->WriteBlankLines(1);")], "blank lines after the middle"),
    ("name-from-caption", "src/document/slideshow.cpp", [("txtSlideShowName->text()", "txtCaption->text()")], "show name taken from the caption box"),
    ("no-target-check", "src/document/slideshow.cpp", [("    if (folder.isEmpty())\n        throw", "    if (false)\n        throw")], "document written without a target folder"),
    ("no-flush", "src/document/decobj2.cpp", [("    tsSlideShow->flush();\n", "")], "entry not on disk when Add returns"),
    ("first-always", "src/document/decobj2.cpp", [("    if (lngSlideCount == 1)\n        strFirstPicture", "    strFirstPicture")], "last picture becomes the first"),
    ("copy-late", "src/document/decobj2.cpp", [("    ImageCopy::copy(imagePath, copy);\n", ""), ("    tsSlideShow->flush();\n", "    tsSlideShow->flush();\n    ImageCopy::copy(imagePath, copy);\n")], "entry written before the copy succeeds"),
    ("copy-onto-self", "src/document/imagecopy.cpp", [("    if (sameFile(source, destination))\n        return;", "    if (false)\n        return;")], "an image copied onto itself is rewritten"),
    ("copy-read-error", "src/document/imagecopy.cpp", [("        if (got < 0)\n            fail(source, destination, in.errorString());", "        if (got < 0)\n            break;")], "a read error leaves a partial copy"),
    ("append-old", "src/document/textstream.cpp", [("QIODevice::WriteOnly | QIODevice::Truncate", "QIODevice::WriteOnly | QIODevice::Append")], "an old document is appended to"),
    # Coordinator and windows
    ("two-view-shown", "src/core/mediator.cpp", [("    form->Command4->setEnabled(true);\n    form->btnView->setVisible(false);", "    form->Command4->setEnabled(true);")], "View stays from the last batch"),
    ("idle-add-on", "src/core/mediator.cpp", [("    form->Next->setVisible(false);\n    form->Command4->setEnabled(false);", "    form->Next->setVisible(false);")], "Add enabled when idle"),
    ("four-skip-on", "src/core/mediator.cpp", [("    form->Next->setEnabled(false);\n    form->Command4->setEnabled(false);\n    form->btnView->setVisible(true);", "    form->Command4->setEnabled(false);\n    form->btnView->setVisible(true);")], "Skip usable after the batch ended"),
    ("list-kept", "src/core/mediator.cpp", [("    dialog->List1->clear();\n", "")], "list keeps the previous folder's images"),
    ("cancel-clears", "src/core/mediator.cpp", [("    if (folder.isEmpty())\n        return;\n\n    Form1", "\n    Form1")], "cancelling the source browser clears the choice"),
    ("target-not-kept", "src/core/mediator.cpp", [("    Form1::instance()->txtTgtFolder->setText(folder);\n    SetTgtFolder(folder);", "    Form1::instance()->txtTgtFolder->setText(folder);")], "chosen target folder not used"),
    ("view-source", "src/ui/form2.cpp", [("Platform::instance().openDocument(objMediator->GetTgtFolder()", "Platform::instance().openDocument(objMediator->GetSourceFolder()")], "View opens the source folder's page"),
    ("add-fail-moves", "src/ui/form2.cpp", [("            return;\n        }\n        moveOn();\n", "        }\n        moveOn();\n")], "a failed Add moves on"),
    ("enter-after-end", "src/ui/form2.cpp", [("        if (Command4->isEnabled())\n            Command4_Click();", "        Command4_Click();")], "Enter adds after the batch ended"),
    ("add-caption", "src/ui/form2.cpp", [('QStringLiteral("Add to SlideShow")', 'QStringLiteral("Add to Slideshow")')], "button caption changed"),
    ("add-outside", "src/ui/form2.cpp", [('Twips::rect(5640, 6000, 1455, 495)', 'Twips::rect(8640, 6000, 1455, 495)')], "Add button partly outside the window"),
    ("size-label-moved", "src/ui/form2.cpp", [('"Label5", Twips::rect(1800, 4320, 975, 255)', '"Label5", Twips::rect(2400, 4320, 975, 255)')], "Image size label over its value"),
    ("no-wrap", "src/ui/commandbutton.cpp", [("Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic", "Qt::AlignCenter | Qt::TextShowMnemonic")], "long button captions no longer wrap"),
    ("guide-name", "src/ui/form2.cpp", [('"/UsersGuide.htm"', '"/UserGuide.htm"')], "user guide file name"),
    ("close-no-idle", "src/ui/form2.cpp", [("        stopBatch();\n        objMediator->StartStateThree();", "        stopBatch();")], "File > Close does not go idle"),
    ("start-visible", "src/ui/form1.cpp", [("        static_cast<Command &>(*batchCommand).Execute();\n        hide();", "        static_cast<Command &>(*batchCommand).Execute();")], "dialog stays after Start"),
    ("failed-start-busy", "src/ui/form1.cpp", [("            objMediator->StartStateThree();\n            return;", "            return;")], "a failed start leaves the batch buttons on"),
    ("about-version", "src/ui/frmabout.cpp", [(".arg(platform.versionMajor())\n                            .arg(platform.versionMinor())", ".arg(platform.versionMinor())\n                            .arg(platform.versionMajor())")], "version parts swapped"),
    ("sysinfo-msg", "src/ui/frmabout.cpp", [('"System Information Is Unavailable At This Time"', '"System information is unavailable"')], "message text changed"),
    # Failure handling and the real platform
    ("handler-goes-on", "src/core/general.cpp", [("    CloseSlideShow();\n    Platform::instance().endProgram();", "    CloseSlideShow();")], "program goes on after an uncaught failure"),
    ("unknown-msg", "src/core/general.cpp", [('QStringLiteral("An unexpected failure occurred.")', 'QString()')], "an unknown failure shows an empty box"),
    ("qt-url", "src/platform/qtplatform.cpp", [("QDesktopServices::openUrl(QUrl::fromLocalFile(path));", "QDesktopServices::openUrl(QUrl(path));")], "path opened as a URL, not a local file"),
    ("qt-program-folder", "src/platform/qtplatform.cpp", [("return QCoreApplication::applicationDirPath();", "return QDir::currentPath();")], "templates looked for in the working folder"),
    ("qt-version", "src/platform/qtplatform.cpp", [("int QtPlatform::versionMinor() const { return versionPart(1); }", "int QtPlatform::versionMinor() const { return versionPart(2); }")], "wrong version part"),
    ("qt-box-swap", "src/platform/qtplatform.cpp", [("QMessageBox::NoIcon, appTitle(), text,", "QMessageBox::NoIcon, text, appTitle(),")], "message box title and text swapped"),
]

# What a fault may leave outside the build (a page written with no target folder);
# removed after each fault so that it cannot fail the tests of the next one.
STRAYS = ["/SlideShow.htm"]

FAIL_LINE = re.compile(r"^FAIL!\s*:\s*(\S+?)\(")
CTEST_LINE = re.compile(r"^\s*\d+/\d+ Test\s+#\d+: (\S+) \.+\**\s*(Passed|Failed|Timeout|\*\*\*Failed|Exception|Subprocess aborted|Not Run)?")


def run(cmd, cwd, timeout=None):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          errors="replace", timeout=timeout)


def build(build_dir, tree):
    """Builds what `ctest -LE slow` runs: the test programs and the program itself."""
    if not os.path.exists(os.path.join(build_dir, "build.ninja")):
        r = run(["cmake", "-S", tree, "-B", build_dir, "-G", "Ninja", "-Wno-dev", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                 "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"], tree)
        if r.returncode:
            sys.exit("configure failed:\n" + r.stdout)
    listed = run(["ninja", "-C", build_dir, "-t", "targets", "all"], tree).stdout
    targets = sorted({m.group(1) for m in re.finditer(r"^(bin/(?:tst_\w+|fotoweave(?:-batchchild)?)):", listed, re.M)})
    return run(["ninja", "-C", build_dir] + targets, tree).returncode == 0


def test(build_dir):
    """Names of failing ctest tests and of failing QtTest functions."""
    try:
        r = run(["ctest", "-LE", "slow", "-j2", "--timeout", "180", "--output-on-failure"], build_dir, timeout=1800)
        out = r.stdout
    except subprocess.TimeoutExpired as e:
        out = (e.stdout or b"").decode(errors="replace") if isinstance(e.stdout, bytes) else (e.stdout or "")
    tests, functions = set(), set()
    for line in out.splitlines():
        m = CTEST_LINE.match(line)
        if m and m.group(2) and m.group(2) != "Passed":
            tests.add(m.group(1))
        m = FAIL_LINE.match(line.strip())
        if m:
            functions.add(m.group(1))
    if not tests and not re.search(r"\b100% tests passed", out):
        tests.add("?")  # failed in a way that names no test
    return sorted(tests), sorted(functions)


def main():
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--tree", default=here, help="source tree to plant faults in (default: this one)")
    ap.add_argument("--build", default=None, help="build folder (default: TREE/build-mut)")
    ap.add_argument("--only", default="", help="comma-separated fault ids")
    ap.add_argument("--list", action="store_true", help="list the faults and whether each still applies")
    ap.add_argument("--out", default=None, help="also write one JSON line per fault here")
    args = ap.parse_args()
    tree = os.path.abspath(args.tree)
    build_dir = os.path.abspath(args.build or os.path.join(tree, "build-mut"))
    os.environ.setdefault("CCACHE_BASEDIR", "/work")
    os.environ.setdefault("CCACHE_DIR", "/work/.ccache")
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))  # still puts the planted file back
    wanted = set(filter(None, args.only.split(",")))
    faults = [f for f in FAULTS if not wanted or f[0] in wanted]

    def applies(fault):
        with open(os.path.join(tree, fault[1]), encoding="utf-8") as fh:
            text = fh.read()
        return all(text.count(old) == 1 for old, _ in fault[2])

    if args.list:
        for f in faults:
            print(f"{f[0]:20} {'ok  ' if applies(f) else 'gone'} {f[1]:32} {f[3]}")
        return

    print(f"baseline build in {build_dir} ...", flush=True)
    if not build(build_dir, tree):
        sys.exit("the unchanged tree does not build")
    base_tests, base_functions = test(build_dir)
    if base_tests:
        print(f"failing without any fault (ignored below): {base_tests} {base_functions}", flush=True)

    strays = [path for path in STRAYS if not os.path.exists(path)]
    out = open(args.out, "w") if args.out else None
    results = []
    for fid, path, edits, what in faults:
        full = os.path.join(tree, path)
        with open(full, encoding="utf-8") as fh:
            original = fh.read()
        if not applies((fid, path, edits, what)):
            results.append((fid, "gone", [], []))
            print(f"{fid:20} gone", flush=True)
            continue
        changed = original
        for old, new in edits:
            changed = changed.replace(old, new, 1)
        started = time.time()
        try:
            with open(full, "w", encoding="utf-8") as fh:
                fh.write(changed)
            if build(build_dir, tree):
                tests, functions = test(build_dir)
                tests = [t for t in tests if t not in base_tests]
                functions = [f for f in functions if f not in base_functions]
                verdict = "caught" if tests else "MISSED"
            else:
                tests, functions, verdict = [], [], "no build"
        finally:
            with open(full, "w", encoding="utf-8") as fh:
                fh.write(original)
            for path in strays:
                if os.path.lexists(path):
                    os.remove(path)
        results.append((fid, verdict, tests, functions))
        print(f"{fid:20} {verdict:8} {time.time() - started:5.0f}s  {' '.join(tests)}  {' '.join(functions)}", flush=True)
        if out:
            out.write(json.dumps({"id": fid, "verdict": verdict, "tests": tests, "functions": functions}) + "\n")
            out.flush()
    build(build_dir, tree)  # leave the build matching the tree

    counted = [r for r in results if r[1] in ("caught", "MISSED")]
    caught = [r for r in counted if r[1] == "caught"]
    print()
    print(f"{'fault':20} {'verdict':8} caught by")
    for fid, verdict, tests, functions in results:
        print(f"{fid:20} {verdict:8} {', '.join(functions) or ', '.join(tests)}")
    print(f"\n{len(caught)} of {len(counted)} planted faults caught"
          f" ({len(results) - len(counted)} gone or not building)")
    print("missed: " + ", ".join(r[0] for r in counted if r[1] == "MISSED"))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Plants faults into src/ one at a time and reports which tests catch each.

Not part of the build or of CI: run it by hand to see whether the tests are
strong enough, before and after changing them.

    tools/mutate.py [--tree DIR] [--build DIR] [--only ID,ID] [--list] [--out FILE]

Each fault is one or more exact text replacements in src/ (or main.cpp), in
the fault's own file unless an edit names another. For each: apply, rebuild
incrementally, run `ctest -LE slow`, put the files back. A fault whose text is
no longer found is reported as "gone" (the code changed since the fault was
written), one that does not compile as "no build". QtTest's "FAIL!" lines name
the test functions, and the rows of them, that caught it (--out keeps both).
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
    ("num-length", "src/imaging/imagefolder.cpp", [("        key += QChar(char16_t(std::min<qsizetype>(end - start, 0xFFFF)));\n", "")], "numbers compare as text (img10 before img2)"),
    ("case-tiebreak", "src/imaging/imagefolder.cpp", [("entries[a].name < entries[b].name", "entries[a].name > entries[b].name")], "Case.jpg / case.jpg tie-break reversed"),
    ("list-dirs", "src/imaging/imagefolder.cpp", [("if (!it->is_regular_file(typeError) && !(it->is_symlink", "if (it->is_other(typeError) && !(it->is_symlink")], "folders are listed as images"),
    ("ext-first-dot", "src/imaging/imagefolder.cpp", [("name.lastIndexOf(QLatin1Char('.'))", "name.indexOf(QLatin1Char('.'))")], "extension taken after the first dot"),
    ("link-case", "src/commands/extensionlink.cpp", [("    mesg = mesg.toLower();\n", "")], "upper-case extensions rejected"),
    ("chain-skip-gif", "src/commands/chain.cpp", [("second->addChain(third);", "second->addChain(std::make_shared<NoCmd>());")], "GIF link left out of the chain"),
    ("queue-lifo", "src/commands/stack.cpp", [("std::move(m_items.front());\n    m_items.pop_front();", "std::move(m_items.back());\n    m_items.pop_back();")], "images handed out newest first"),
    # Batch mode
    ("src-isdir", "src/modes/state2.cpp", [("if (folder.isEmpty() || !QFileInfo(folder).isDir())", "if (folder.isEmpty())")], "missing source folder not told as such"),
    ("last-msg", "src/modes/state2.cpp", [('"Last image reached.\\n"', '"Last image reached\\n"')], "message text changed"),
    ("no-state4", "src/modes/state2.cpp", [("    md->StartStateFour();\n", "")], "batch end does not show View"),
    ('complete-silent', 'src/modes/state2.cpp', [('failure.isEmpty() ? StatusTexts::summary(added, m_count, page, inShow()) : failure', 'StatusTexts::summary(added, m_count, page, inShow())')], 'a page that could not be completed is announced as made'),
    ("failed-end-open", "src/modes/state2.cpp", [("        failure = QString::fromLocal8Bit(e.what());\n        show.close();\n", "        failure = QString::fromLocal8Bit(e.what());\n")], "a page that could not be completed is tried again at Exit"),
    ("prefetch-stale", "src/imaging/prefetcher.cpp", [(" && signatureOf(path) == ahead->signature) {", ") {"), ("if (adopted && (!result || signatureOf(path) != adopted)) {", "if (adopted && !result) {")], "a changed file shows its old prefetched picture"),
    # Preview
    ("fit-height", "src/imaging/previewloader.cpp", [("w = w * square / h;", "w = w * h / square;")], "tall images fitted wrongly"),
    ('no-autotransform', 'src/imaging/jpegpreview.cpp', [('QImage image = upright(context->image, orientation);', 'QImage image = context->image;')], 'EXIF orientation ignored'),
    ("max-pixels", "src/imaging/jpegpreview.cpp", [("if (limits.memoryBytes > 0 && memoryNeeded(cinfo) > limits.memoryBytes)", "if (false)")], "no limit on the size of a JPEG"),
    ('caption-kept', 'src/ui/form2.cpp', [('    txtCaption->setText(QString());\n', '')], 'previous caption stays in the box'),
    ('source-late', 'src/core/mediator.cpp', [('    SetSourceFile(path);\n    emit imageLoading(path);', '    emit imageLoading(path);'), ('    emit imageShown(path, *picture,', '    SetSourceFile(path);\n    emit imageShown(path, *picture,')], 'a failed image leaves the previous one to be added'),
    ('load-msg', 'src/core/mediator.h', [('QT_TR_NOOP("Error loading image")', 'QT_TR_NOOP("Error loading image.")')], 'message text changed'),
    ("centre-x", "src/ui/previewpainter.cpp", [("QRectF(area.x() + (area.width() - size.width()) / 2", "QRectF(area.x() + (area.width() - size.height()) / 2")], "preview not centred across"),
    ("no-wipe", "src/ui/previewpainter.cpp", [("    m_box->fillBox(", "    if (false) m_box->fillBox(")], "a smaller image leaves the last one around it"),
    # Document
    ("esc-quote", "src/document/pagetext.cpp", [("        case '\\'': return \"\\\\'\";\n", "")], "quote in a caption not escaped"),
    ("esc-lt", "src/document/pagetext.cpp", [("        case '<': return \"\\\\x3C\";\n", "")], "</script> in a caption not escaped"),
    ("esc-amp", "src/document/pagetext.cpp", [("        case '&': return \"&amp;\";\n", "")], "& in the name not escaped"),
    ("url-raw", "src/document/pagetext.cpp", [('return fileName.toUtf8().toPercentEncoding("-._~");', "return fileName.toUtf8();")], "picture URL not encoded"),
    ("latin1", "src/document/pagetext.cpp", [("const QByteArray bytes = text.toLocal8Bit();", "const QByteArray bytes = text.toLatin1();")], "non-Latin text lost"),
    ("row-caption-space", "src/document/pagetext.cpp", [('" </TD></TR>"', '"</TD></TR>"')], "caption row spacing"),
    ("first-kept", "src/document/slideshow.cpp", [("    m_firstPicture.clear();\n", "")], "first picture of an earlier show reused"),
    ('middle-blank', 'src/document/pagetext.cpp', [('return middle + "\\r\\n\\r\\n" + pictureRow(firstPicture)', 'return middle + "\\r\\n" + pictureRow(firstPicture)')], 'blank lines after the middle'),
    ('name-from-caption', 'src/modes/state2.cpp', [('show.complete(md->showName());', 'show.complete(QString());')], "the page is completed without the show's name"),
    ("no-target-check", "src/document/slideshow.cpp", [("    if (folder.isEmpty())\n        throw", "    if (false)\n        throw")], "document written without a target folder"),
    ("no-flush", "src/document/slideshow.cpp", [("    m_stream->flush();\n", "")], "entry not on disk when Add returns"),
    ("first-always", "src/document/slideshow.cpp", [("    if (m_slideCount == 1)\n        m_firstPicture", "    m_firstPicture")], "last picture becomes the first"),
    ("copy-late", "src/document/decobj2.cpp", [("        ImageCopy::copy(imagePath, copy);\n", ""), ("    m_added = {offset, created};\n", "    if (!WebCopy::shared().isOn())\n        ImageCopy::copy(imagePath, show.folder() + QLatin1Char('/') + fileName);\n    m_added = {offset, created};\n")], "entry written before the copy succeeds"),
    ("copy-onto-self", "src/document/imagecopy.cpp", [("    if (inPlace(source, destination))\n        return;", "    if (false)\n        return;")], "an image copied onto itself is rewritten"),
    ("copy-read-error", "src/document/imagecopy.cpp", [("        if (got < 0)\n            fail(source, destination, in.errorString());", "        if (got < 0)\n            break;")], "a read error leaves a partial copy"),
    ("append-old", "src/document/slideshow.cpp", [("    replacePage(path, plan.continued", "    if (plan.continued || !QFileInfo::exists(path))\n        replacePage(path, plan.continued")], "an old document is appended to"),
    # Coordinator and windows
    ('two-view-shown', 'src/core/mediator.cpp', [('    buttons.viewVisible = buttons.viewEnabled = false;\n    buttons.backVisible = true;', '    buttons.viewEnabled = false;\n    buttons.backVisible = true;')], 'View stays from the last batch'),
    ('idle-add-on', 'src/core/mediator.cpp', [('.skipEnabled = true, .addEnabled = false, .viewVisible = false,', '.skipEnabled = true, .addEnabled = true, .viewVisible = false,')], 'Add enabled when idle'),
    ('four-skip-on', 'src/core/mediator.cpp', [('    Buttons buttons = m_buttons;\n    buttons.skipEnabled = false;\n', '    Buttons buttons = m_buttons;\n')], 'Skip usable after the batch ended'),
    ('list-kept', 'src/ui/form1.cpp', [('    List1->clear();\n    List1->addItems(names);', '    List1->addItems(names);')], "list keeps the previous folder's images"),
    ('cancel-clears', 'src/core/mediator.cpp', [('    if (folder.isEmpty())\n        return;\n    takeSourceFolder(folder);', '    takeSourceFolder(folder);')], 'cancelling the source browser clears the choice'),
    ('target-not-kept', 'src/core/mediator.cpp', [('    SetTgtFolder(folder);\n    emit targetFolderChanged(folder);\n    listSource();', '    emit targetFolderChanged(folder);\n    listSource();')], 'chosen target folder not used'),
    ('view-source', 'src/core/mediator.cpp', [('openPage(m_slideShow->path())', 'openPage(GetSourceFolder() + QStringLiteral("/SlideShow.htm"))')], "View opens the source folder's page"),
    ('add-fail-moves', 'src/core/mediator.cpp', [('        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));\n        return;\n    }\n    moveOn();', '        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));\n    }\n    moveOn();')], 'a failed Add moves on'),
    ('enter-after-end', 'src/core/mediator.cpp', [('    if (!m_buttons.addEnabled)\n        return; // nothing on show to add\n', '')], 'Add works after the batch ended'),
    ('exit-button', 'src/ui/form2.cpp', [('void Form2::Command1_Click()\n{\n    if (ShowEditor::closeAll()) // an editor with changes asks first\n        objMediator->exit();', 'void Form2::Command1_Click()\n{\n    if (ShowEditor::closeAll()) // an editor with changes asks first\n        objMediator->close();')], 'Exit ends the batch but not the program'),
    ('add-caption', 'src/ui/form2.cpp', [('tr("&Add to SlideShow")', 'tr("&Add to Slideshow")')], 'button caption changed'),
    ("add-outside", "src/ui/form2.cpp", [('Twips::rect(5640, 6000, 1455, 495)', 'Twips::rect(8640, 6000, 1455, 495)')], "Add button partly outside the window"),
    ("size-label-moved", "src/ui/form2.cpp", [('"Label5", Twips::rect(1800, 4320, 975, 255)', '"Label5", Twips::rect(2400, 4320, 975, 255)')], "Image size label over its value"),
    ("no-wrap", "src/ui/commandbutton.cpp", [("Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic", "Qt::AlignCenter | Qt::TextShowMnemonic")], "long button captions no longer wrap"),
    ('guide-name', 'src/core/mediator.cpp', [('QStringLiteral("UsersGuide.htm")', 'QStringLiteral("UserGuide.htm")')], 'user guide file name'),
    ('close-no-idle', 'src/core/mediator.cpp', [('    stopBatch();\n    StartStateThree();', '    stopBatch();')], 'File > Close does not go idle'),
    ('start-visible', 'src/ui/form1.cpp', [('        if (objMediator->startBatch(', '        if (!objMediator->startBatch(')], 'the Images window closes when the batch did not start'),
    ('failed-start-busy', 'src/core/mediator.cpp', [('        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));\n        StartStateThree();\n        return false;', '        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));\n        return false;')], 'a failed start leaves the batch buttons on'),
    ("about-version", "src/ui/frmabout.cpp", [(".arg(platform.versionMajor())\n                            .arg(platform.versionMinor())", ".arg(platform.versionMinor())\n                            .arg(platform.versionMajor())")], "version parts swapped"),
    ("sysinfo-msg", "src/ui/frmabout.cpp", [('"System Information Is Unavailable At This Time"', '"System information is unavailable"')], "message text changed"),
    # Failure handling and the real platform
    ("handler-goes-on", "src/core/general.cpp", [("        objMediator->slideShow().close();\n    Platform::instance().endProgram();", "        objMediator->slideShow().close();")], "program goes on after an uncaught failure"),
    ('unknown-msg', 'src/core/general.cpp', [('QCoreApplication::translate("General", "An unexpected failure occurred.")', 'QString()')], 'an unknown failure shows an empty box'),
    ("qt-url", "src/platform/qtplatform.cpp", [("QDesktopServices::openUrl(QUrl::fromLocalFile(path));", "QDesktopServices::openUrl(QUrl(path));")], "path opened as a URL, not a local file"),
    ("qt-program-folder", "src/platform/qtplatform.cpp", [("return QCoreApplication::applicationDirPath();", "return QDir::currentPath();")], "templates looked for in the working folder"),
    ("qt-version", "src/platform/qtplatform.cpp", [("int QtPlatform::versionMinor() const { return versionPart(1); }", "int QtPlatform::versionMinor() const { return versionPart(2); }")], "wrong version part"),
    ("qt-box-swap", "src/platform/qtplatform.cpp", [("QMessageBox::NoIcon, appTitle(), text,", "QMessageBox::NoIcon, text, appTitle(),")], "message box title and text swapped"),
    ("qt-browse-settings", "src/platform/qtplatform.cpp", [("    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsPath);\n    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsPath);\n", "")], "the folder browser writes its history into the user's settings"),
    # Back and the record of steps
    ("back-offset-late", "src/document/decobj2.cpp", [("    m_added = {offset, created};\n", "    m_added = {QFileInfo(show.path()).size(), created};\n")], "Back cuts the page after the entry, not before it"),
    ("back-count-kept", "src/document/slideshow.cpp", [("    --m_slideCount;\n", "")], "Back does not lower the slide number"),
    ("back-first-kept", "src/document/slideshow.cpp", [("    if (m_slideCount == 0)\n        m_firstPicture.clear(); // the next image added becomes the first picture\n", "")], "a photo taken back stays the show's first picture"),
    ('back-copies-stay', 'src/document/slideshow.cpp', [('    for (const Entry &entry : std::as_const(gone))\n        removeCopies(entry);\n', '')], 'Back leaves the copy in the target'),
    ("back-removes-existing", "src/document/decobj2.cpp", [("const bool newCopy = !before.exists() && !before.isSymLink();", "const bool newCopy = !before.isSymLink();")], "Back removes a file that was in the target before"),
    ('back-caption-lost', 'src/modes/state2.cpp', [('    if (step.added)\n        md->restoreCaption(step.caption);\n', '')], 'Back does not put the caption back'),
    ("back-shows-current", "src/modes/state2.cpp", [("    imageStack->putBack(current);\n    imageStack->putBack(step.item);", "    imageStack->putBack(step.item);\n    imageStack->putBack(current);")], "Back shows the image on show again, not the previous one"),
    ("back-key", "src/ui/form2.cpp", [("QKeySequence(Qt::ALT | Qt::Key_Left)", "QKeySequence(Qt::ALT | Qt::Key_Right)")], "Alt+Right goes back, Alt+Left does nothing"),
    # Where am I
    ("where-number", "src/modes/state2.cpp", [("md->showPosition(m_steps.count() + 1,", "md->showPosition(m_steps.count(),")], "position in the batch counted from 0"),
    ('where-percent', 'src/modes/statustexts.cpp', [('fileName, QString::number(added))\n', 'fileName).arg(QString::number(added))\n')], 'a %1 in a file name is filled in'),
    ('size-of-preview', 'src/core/mediator.cpp', [('(picture->naturalTwips / PreviewLoader::TwipsPerPixel)', '(picture->fittedTwips / PreviewLoader::TwipsPerPixel)')], "size label gives the preview's size, not the photo's"),
    ('title-stale', 'src/ui/form2.cpp', [('        objMediator->setShowName(name);\n        showTitle();', '        objMediator->setShowName(name);')], 'window title does not follow the show name'),
    ("summary-skipped", "src/modes/state2.cpp", [("const int added = m_steps.addedCount();", "const int added = m_steps.count();")], "'Last image reached.' counts skipped images as added"),
    # Continue, Replace or Cancel
    ("read-hex", "src/document/slideshowreader.cpp", [("hexValue(text.sliced(i + 1, digits))", "hexValue(text.sliced(i, digits))")], "\\x and \\u escapes read one character early"),
    ('read-thumbnail', 'src/document/slideshowreader.cpp', [('thumbnailStart, "\';")', 'thumbnailStart, "\' ;")')], 'Thumbnail lines of a web-sized show refused'),
    ('answer-swapped', 'src/document/slideshowstart.cpp', [('            if (answer == 0) {\n                plan.continued', '            if (answer == 1) {\n                plan.continued')], 'Continue replaces and Replace continues'),
    ("cancel-replaces", "src/document/slideshowstart.cpp", [("            if (answer == 2)\n                return false;\n", "")], "Cancel replaces the show"),
    ("continue-renumbers", "src/document/slideshow.cpp", [("        m_slideCount = qint32(slides.size());\n", "")], "a continued show's new slides numbered from 1"),
    ("stop-name-lost", "src/document/slideshow.cpp", [("        stop(stoppedName);\n", "        stop(QString());\n")], "a page left open in another folder is completed without its name"),
    ('continue-name-lost', 'src/core/mediator.cpp', [('        m_showName = m_continuedName = *name;\n        emit showNameRestored(*name);\n', '')], "a continued show's name not put back"),
    ('continue-offers-held', 'src/modes/state2.cpp', [('        return !decision.leftOut.contains(file.path)\n            && (skipped', '        return (skipped')], 'photos already in a continued show offered again'),
    ("held-by-name", "src/document/continuedphotos.cpp", [("    return webSized || slide.webSized;", "    return true;")], "another photo of a slide's name is dropped unseen"),
    ("held-by-size", "src/document/continuedphotos.cpp", [("        if (left.isEmpty() || left != other.read(Chunk))", "        if (left.isEmpty() || left.size() != other.read(Chunk).size())")], "another photo of the same size is taken for the show's"),
    ("web-by-bytes", "src/document/continuedphotos.cpp", [("    return webSized || slide.webSized;", "    return webSized;")], "a web-sized show's photos are offered again"),
    ("rename-overwrites", "src/document/continuedphotos.cpp", [(" && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink()", "")], "a new name replaces a file in the target"),
    ("cut-refused", "src/document/slideshowreader.cpp", [("        return cutLine(line, start) ? Entry::Cut : broken();", "        return (void)line, (void)start, broken();")], "a page cut inside an entry cannot be continued"),
    ("nul-kept", "src/document/slideshowreader.cpp", [("    while (length > 0 && whole[length - 1] == '\\0')", "    while (length < 0)")], "a page padded with NULs cannot be continued"),
    # Keeping the target whole: lock, copies, page writes
    ("lock-error", "src/document/targetlock.h", [("QLockFile::LockFailedError", "QLockFile::PermissionError")], "a target held by another batch is not refused"),
    ("lock-kept", "src/document/slideshow.cpp", [("    m_lock.reset();\n    m_held.clear();", "    m_held.clear();")], "the target stays locked after the batch ends"),
    ("lock-folder-claimed", "src/document/targetlock.cpp", [("    if (!kind.isEmpty())\n        return", "    if (false)\n        return")], "a folder in the lock's place is told as another batch"),
    ("stale-any-age", "src/document/staletemporaries.cpp", [("            && olderThan(file, lock))", "            && (olderThan(file, lock) || true))")], "a live writer's temporary file is removed"),
    ('stale-through-link', 'src/document/staletemporaries.cpp', [('return ::lstat(QFile::encodeName(path).constData(), &there) == 0 && S_ISDIR', 'return ::stat(QFile::encodeName(path).constData(), &there) == 0 && S_ISDIR')], 'temporaries are removed behind a linked thumbnail folder'),
    ("entry-leaves-copy", "src/document/decobj2.cpp", [("        for (const QString &file : std::as_const(created))\n            QFile::remove(file);\n", "")], "a photo whose entry failed stays in the target"),
    ("copy-before-check", "src/document/slideshow.cpp", [("    m_stream->checkInPlace();\n", "")], "a photo is copied over a user's file for a page that is gone"),
    ('back-stale-page', 'src/document/textstream.cpp', [('        fail(QCoreApplication::translate("TextStream", "could not be cut back"), displaced);', '        (void)displaced;')], 'Back cuts a page that was replaced'),
    ("length-unchecked", "src/document/textstream.cpp", [("    if (written.st_size != m_size)", "    if (false)")], "Back cuts a page another program wrote to"),
    ("copy-keeps-link", "src/document/imagecopy.cpp", [("return !S_ISLNK(there.st_mode) && ImageCopy::sameFile(source, destination);", "return ImageCopy::sameFile(source, destination);")], "a link in the target to the photo is kept, not replaced by a copy"),
    ("temp-left", "src/document/replacingfile.cpp", [("    if (!m_temporary.isEmpty())\n        ::unlink(", "    if (false)\n        ::unlink(")], "a failed copy leaves its temporary file"),
    ("size-unchecked", "src/document/replacingfile.cpp", [("    if (!sizeKept())\n        return false;\n", "")], "a copy the file system cut short is put in place"),
    ("no-takeback", "src/document/textstream.cpp", [("            takeBack();\n", "")], "a failed write leaves part of the entry in the page"),
    # Presses meant for another image
    ("gate-repeat", "src/ui/pressgate.cpp", [("(key->isAutoRepeat() || madeTooEarly(watched, key))", "madeTooEarly(watched, key)")], "a held Enter adds image after image"),
    ("gate-double", "src/ui/pressgate.cpp", [("    case QEvent::MouseButtonDblClick:\n        return isButton(watched);", "    case QEvent::MouseButtonDblClick:\n        return false;")], "a double-click on Skip passes two images"),
    ("gate-early", "src/ui/pressgate.cpp", [("needsPicture ? m_shownAt : m_loadingAt", "needsPicture ? m_loadingAt : m_shownAt")], "presses judged against the wrong moment (Add before painting, Skip while loading)"),
    # Decoding and listing off the window's thread
    ("prefetch-late", "src/imaging/prefetcher.cpp", [("        if (generation != m_generation)\n            return; // the user has moved on\n", "")], "a decode the user has moved past is still shown"),
    ('failed-silent', 'src/core/mediator.cpp', [('        buttons.addEnabled = false;\n        setButtons(buttons);\n        emit imageFailed(path);\n', '')], 'a failed image leaves the last picture and Add enabled'),
    ("redecode-moved-past", "src/imaging/prefetcher.cpp", [("    if (m_preview.path != path)\n        forget(m_preview); // the preview of a photo the user has left\n", "")], "a resized preview's re-decode is painted over the photo the user moved on to"),
    ("redecode-older", "src/imaging/prefetcher.cpp", [("        if (generation == slot.generation)\n            done(result);", "        done(result);")], "an older re-decode, or one dropped, is still handed over"),
    ("fit-cancels-preview", "src/imaging/prefetcher.cpp", [("    decodeFor(m_fit, path,", "    decodeFor(m_preview, path,")], "the full-screen decode cancels the preview's re-decode"),
    ("batch-serial", "src/imaging/prefetcher.cpp", [("m_batchPool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));", "m_batchPool.setMaxThreadCount(1);")], "batch work runs on one core"),
    ("batch-memory", "src/imaging/prefetcher.cpp", [("while (m_batchHeld > 0 && m_batchHeld + need > m_batchMemory) {", "while (false) {")], "batch decodes take more memory together than their budget"),
    ("batch-stolen", "src/imaging/prefetcher.cpp", [("    auto promise = std::make_shared<QPromise<void>>();\n    promise->start();\n    QFuture<void> future = promise->future();\n    m_batchPool.start([this, promise, cancelled, work = std::move(work)] {", "    return QtConcurrent::run(&m_batchPool, [this, cancelled, work = std::move(work)] {"), ("        promise->finish();\n    });\n    return future;\n", "    });\n")], "waiting for a web-sized copy decodes it on the window's thread"),
    ('webcopy-own-decode', 'src/imaging/webcopy.cpp', [('        limits.box = QSize(Thumbnail2xSide, Thumbnail2xSide);\n        picture = decode(source, limits);', '        limits.box = QSize(Thumbnail2xSide, Thumbnail2xSide);\n        picture = PreviewLoader::load(source, limits);')], "a web-sized copy decodes by itself, outside the batch's budget"),
    ("scan-limit", "src/imaging/jpegpreview.cpp", [("\n        || (limits.maxScans > 0 && decompress->input_scan_number > limits.maxScans))", ")")], "no limit on the number of JPEG scans"),
    ('listed-twice', 'src/modes/state2.cpp', [('    FolderListing::shared().whenReady(folder, md,', '    FolderListing::shared().start(folder);\n    FolderListing::shared().whenReady(folder, md,')], 'Start lists the folder again'),
    ("list-fifo", "src/imaging/imagefolder.cpp", [("if (!it->is_regular_file(typeError) && !(it->is_symlink", "if (it->is_directory(typeError) && !(it->is_symlink")], "pipes and devices listed as images"),
    ('list-bad-name', 'src/imaging/imagefolder.cpp', [('        if (QFile::encodeName(name).toStdString() != raw) {', '        if (false) {')], 'a name that cannot be opened again is listed'),
    # Web-sized copies
    ("bmp-collides", "src/imaging/webcopy.cpp", [("return m_namesTaken.contains(name.toLower()) || QFileInfo::exists(m_sourceFolder + QLatin1Char('/') + name)\n            || ", "return m_namesTaken.contains(name.toLower())\n            || ")], "photo.bmp's copy takes the name of the source's photo.jpg"),
    ("long-side-min", "src/imaging/webcopy.cpp", [("std::max(natural.width(), natural.height()) <= LongSide", "std::min(natural.width(), natural.height()) <= LongSide")], "a wide JPEG over 2048 px copied as it is"),
    ('thumb-full', 'src/imaging/webcopy.cpp', [('const QSize size = fitted(small.size(), side);', 'const QSize size = fitted(small.size(), LongSide);')], 'thumbnails as large as the copy'),
    ("exif-all-kept", "src/imaging/webcopy.cpp", [("out->setExifData(dates);", "out->setExifData(exif);")], "the copy keeps all EXIF: location, camera, the old orientation"),
    ('gif-reencoded', 'src/imaging/webcopy.cpp', [('    if (suffix == QLatin1String("gif") || (isJpeg(suffix) && !big)) {', '    if (isJpeg(suffix) && !big) {')], 'a GIF re-encoded as JPEG under its own name'),
    ("web-copy-late", "src/document/decobj2.cpp", [("        const WebCopy::Placed placed = WebCopy::shared().place(imagePath);\n        fileName = placed.fileName;\n        thumbnail = placed.thumbnail;\n        created = placed.created;\n", "        fileName = WebCopy::shared().targetName(imagePath);\n        thumbnail = WebCopy::thumbnailFolder() + QLatin1Char('/') + fileName\n            + (fileName.endsWith(QLatin1String(\".jpg\"), Qt::CaseInsensitive) ? QString() : QStringLiteral(\".jpg\"));\n"), ("    m_added = {offset, created};\n", "    if (WebCopy::shared().isOn())\n        created = WebCopy::shared().place(imagePath).created;\n    m_added = {offset, created};\n")], "entry names the web-sized copy before it is in place"),
    ("websized-same-path", "src/ui/form1.cpp", [("source != target && !ImageCopy::sameFile(source, target)", "source != target")], "web-sized option offered for the source folder under another path"),
    # Desktop habits
    ("key-open", "src/ui/form2.cpp", [("Qt::CTRL | Qt::Key_O", "Qt::CTRL | Qt::Key_P")], "Ctrl+O does not open the Images window"),
    ("key-close", "src/ui/form2.cpp", [("    mnuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));\n", "")], "no Ctrl+W"),
    ("key-quit", "src/ui/form2.cpp", [("Qt::CTRL | Qt::Key_Q", "Qt::CTRL | Qt::Key_X")], "Ctrl+X quits, Ctrl+Q does not"),
    ("key-help", "src/ui/form2.cpp", [("QKeySequence(Qt::Key_F1)", "QKeySequence(Qt::Key_F2)")], "F1 does not open the user guide"),
    ("key-full-screen", "src/ui/form2.cpp", [("QKeySequence(Qt::Key_F11)", "QKeySequence(Qt::Key_F12)")], "F11 does not show the photo full screen"),
    ("full-screen-escape", "src/ui/fullscreenpreview.cpp", [("    case Qt::Key_Escape:\n", "")], "Escape does not leave full screen"),
    ("typed-blanks", "src/ui/typedfolder.cpp", [("    if (!problem(path).isEmpty() && problem(path.trimmed()).isEmpty())\n        path = path.trimmed(); // stray blanks around a pasted path\n", "")], "a pasted path with blanks around it refused"),
    ("drop-photo", "src/ui/folderdrop.cpp", [("    if (info.isFile())\n        return info.absolutePath();\n", "")], "a photo dropped on a window does not open its folder"),
    ("junk-case", "src/imaging/photodescription.cpp", [("QRegularExpression::CaseInsensitiveOption", "QRegularExpression::NoPatternOption")], "'OLYMPUS DIGITAL CAMERA' suggested as the caption"),
    ("stretch-shortens", "src/ui/stretchlayout.cpp", [("std::min(0, dy)", "std::max(0, dy)")], "the film strip grows with a taller window instead of only shrinking"),
    ("square-grown", "src/ui/previewpainter.cpp", [("const float grown = std::min(grownWidth, grownHeight);", "const float grown = std::max(grownWidth, grownHeight);")], "in a wide window the preview runs out of its box"),
    ('preview-dpr', 'src/ui/previewpainter.cpp', [('area.height())), box->devicePixelRatioF()};', 'area.height())), 1.0};')], 'preview decoded at half the pixels of a 2x screen'),
    ('browse-start', 'src/core/mediator.cpp', [('startFolder.isEmpty() ? GetSourceFolder() : startFolder', 'startFolder.isEmpty() ? GetTgtFolder() : startFolder')], 'the source browser opens at the target folder'),
    # Checks that guard what no other fault reaches
    ('templates-late', 'src/document/slideshowtemplates.cpp', [('    templates.end = readTemplate(QStringLiteral("End.txt"));\n', ''), ('src/document/slideshow.cpp', 'm_firstPicture, name, m_templates.end));', 'm_firstPicture, name, SlideShowTemplates::read().end));')], 'End.txt read only when the page is completed'),
    ('exit-no-complete', 'src/core/mediator.cpp', [('    // A batch still running leaves a page that plays with what was added.\n    stopBatch();\n', '')], 'Exit and closing the window leave the page unfinished'),
    ("copy-to-chosen", "src/document/decobj2.cpp", [("#include \"document/slideshow.h\"\n", "#include \"document/slideshow.h\"\n#include \"core/general.h\"\n"), ("const QString copy = show.folder() + ", "const QString copy = objMediator->GetTgtFolder() + ")], "copies go to the target chosen mid-batch"),
    ("browser-trimmed", "src/core/mediator.cpp", [("        text.truncate(nul);\n    return text;", "        text.truncate(nul);\n    return text.trimmed();")], "a chosen folder's trailing space is cut"),
    ("browser-nul", "src/core/mediator.cpp", [("    if (nul >= 0)\n        text.truncate(nul);", "    if (nul > 0 && nul < 0)\n        text.truncate(nul);")], "what follows a NUL in the browser's answer is kept"),
    ("thumb-not-undone", "src/imaging/webcopy.cpp", [("        if (newThumbnail)\n            placed.created << path;\n", "")], "Back leaves the thumbnail"),
    ('place-unfinished', 'src/imaging/webcopy.cpp', [('        job = start(imagePath);\n    job->future.waitForFinished();\n', '        job = start(imagePath);\n')], 'a web copy is put in place before it is finished'),
    ("cmyk-refused", "src/imaging/jpegpreview.cpp", [("const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;", "const bool cmyk = false;")], "CMYK JPEGs cannot be previewed"),
    ('source-clears-show', 'src/core/mediator.cpp', [('    if (!batchRuns())\n        emit pictureCleared();\n    const QString folder', '    emit pictureCleared();\n    const QString folder')], 'choosing a source folder mid-batch empties the preview'),
    ('buttons-while-listing', 'src/modes/state2.cpp', [('    md->setMovesEnabled(false);\n    FolderListing', '    FolderListing')], 'Add and Skip usable before the listing arrives'),
    # Held out: written before the tests that catch them, in the areas the tests above were weak in
    ("ext-whole-name", "src/imaging/imagefolder.cpp", [("return dot < 0 ? QString() : name.mid(dot + 1);", "return dot < 0 ? name : name.mid(dot + 1);")], "a file named jpg, without a dot, is offered"),
    ("ext-dotfile-none", "src/imaging/imagefolder.cpp", [("return dot < 0 ? QString() : name.mid(dot + 1);", "return dot <= 0 ? QString() : name.mid(dot + 1);")], "a file named .jpg is not offered"),
    ("ext-trimmed", "src/commands/extensionlink.cpp", [("    mesg = mesg.toLower();\n", "    mesg = mesg.trimmed().toLower();\n")], "a.jpg with a trailing blank is offered"),
    ("zeros-counted", "src/imaging/imagefolder.cpp", [("        while (start + 1 < end && folded[start] == QLatin1Char('0'))\n            ++start;\n", "")], "img007 sorted after img10"),
    ("digits-after-letters", "src/imaging/imagefolder.cpp", [("        key += QChar(0x01);\n", "        key += QChar(0x7F);\n")], "numbers sorted after letters (1.jpg after a.jpg)"),
    ("digits-capped", "src/imaging/imagefolder.cpp", [("std::min<qsizetype>(end - start, 0xFFFF)", "std::min<qsizetype>(end - start, 9)")], "numbers of ten digits and more compared as text"),
    ("turn-five", "src/imaging/jpegpreview.cpp", [("const bool quarterTurn = orientation >= 5;", "const bool quarterTurn = orientation > 5;")], "orientation 5 measured unturned: wrong size, squashed preview"),
    ("exif-big-endian", "src/imaging/jpegpreview.cpp", [("readNumber(tiff + entry + 8, 2, bigEndian)", "readNumber(tiff + entry + 8, 4, bigEndian)")], "big-endian (MM) EXIF orientation ignored"),
    ("mirror-swapped", "src/imaging/jpegpreview.cpp", [("case 2: return stored.mirrored(true, false);", "case 2: return stored.mirrored(false, true);")], "orientation 2 flipped upside down instead of across"),
    ("rotate-eight", "src/imaging/jpegpreview.cpp", [("case 8: return stored.transformed(QTransform().rotate(270));", "case 8: return stored.transformed(QTransform().rotate(90));")], "orientation 8 turned the wrong way"),
    ("fit-zero-side", "src/imaging/previewloader.cpp", [("return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));", "return size.scaled(box, Qt::KeepAspectRatio);")], "a very thin photo reduced to no pixels"),
    ("fit-one-side", "src/imaging/previewloader.cpp", [("if (size.width() <= box.width() && size.height() <= box.height())", "if (size.width() <= box.width() || size.height() <= box.height())")], "a photo over the box on one side only is not reduced"),
    ("pixels-truncated", "src/imaging/previewloader.cpp", [("std::max(1, int(std::lround(twips.height() * scale)))", "std::max(1, int(twips.height() * scale))")], "preview height rounded down, not to the nearest pixel"),
    ("sysinfo-start-unchecked", "src/ui/frmabout.cpp", [("        if (found && platform.startProgram(path))\n            return;", "        if (found) {\n            platform.startProgram(path);\n            return;\n        }")], "no message when the system information program does not start"),
    ("sysinfo-exists-unchecked", "src/ui/frmabout.cpp", [("\n            && platform.fileExists(path + QStringLiteral(\"\\\\MSINFO32.EXE\"))) {", ") {")], "a system information program that is not there is started"),
    ("sysinfo-second-key", "src/ui/frmabout.cpp", [("if (!found\n            && GetKeyValue(", "if (found\n            && GetKeyValue(")], "the second place of the system information program never looked at"),
    ("regkey-nul-kept", "src/ui/frmabout.cpp", [("    if (!kept.isEmpty() && kept.back() == QChar(u'\\0'))\n        kept.chop(1);\n", "")], "a registry text's closing NUL kept in the path"),
    ("qt-open-unchecked", "src/platform/qtplatform.cpp", [("    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));", "    QDesktopServices::openUrl(QUrl::fromLocalFile(path));\n    return true;")], "no program to open a page is not told"),
    ('sysinfo-caption', 'src/ui/frmabout.cpp', [('tr("&System Info...")', 'tr("&System Information...")')], 'about box button caption changed'),
    ('images-title', 'src/ui/form1.cpp', [('setWindowTitle(tr("Images"));', 'setWindowTitle(tr("Image"));')], 'Images window title changed'),
    ('left-out-one', 'src/ui/form1.cpp', [('tr("1 photo left out")', 'tr("1 photos left out")')], 'one photo left out told in the plural'),
    ("steps-kept", "src/modes/state2.cpp", [("    m_steps.clear();\n    m_count = 0;", "    m_count = 0;")], "a new batch counts the steps of the one before"),
    ("websized-kept", "src/core/mediator.cpp", [("    WebCopy::shared().begin(webSized, GetSourceFolder(), GetTgtFolder());", "    if (webSized)\n        WebCopy::shared().begin(webSized, GetSourceFolder(), GetTgtFolder());")], "a batch after a web-sized one still makes web-sized copies"),
    ("scan-stale", "src/modes/state2.cpp", [("        if (scan != m_scan)\n            return; // a newer batch has started\n", "")], "the listing of an earlier start begins the batch"),
    ('guide-menu-text', 'src/ui/form2.cpp', [('tr("&UserGuide")', 'tr("&User Guide")')], 'Help menu item text changed'),
    ('completed-early', 'src/document/slideshow.cpp', [('    m_stream->Write(PageText::closing(m_templates.middle,', '    m_completed = true;\n    m_stream->Write(PageText::closing(m_templates.middle,'), ('    WebCopy::shared().discard(); // a last photo shown but skipped\n    m_completed = true;\n', '    WebCopy::shared().discard(); // a last photo shown but skipped\n')], 'a page whose completion failed counts as ready to view'),
    ("stop-swallows", "src/document/slideshow.cpp", [("            close();\n            throw;\n", "            close();\n")], "a page that could not be completed when another batch starts is not told"),
]

# What a fault may leave outside the build (a page written with no target folder);
# removed after each fault so that it cannot fail the tests of the next one.
STRAYS = ["/SlideShow.htm"]

FAIL_LINE = re.compile(r"^FAIL!\s*:\s*(\S+?)\((.*?)\)\s")
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
    return run(["ninja", "-C", build_dir, "-j2"] + targets, tree).returncode == 0


def test(build_dir):
    """Names of failing ctest tests, of failing QtTest functions and of their failing rows."""
    try:
        r = run(["ctest", "-LE", "slow", "-j2", "--timeout", "180", "--output-on-failure"], build_dir, timeout=1800)
        out = r.stdout
    except subprocess.TimeoutExpired as e:
        out = (e.stdout or b"").decode(errors="replace") if isinstance(e.stdout, bytes) else (e.stdout or "")
    tests, functions, rows = set(), set(), set()
    for line in out.splitlines():
        m = CTEST_LINE.match(line)
        if m and m.group(2) and m.group(2) != "Passed":
            tests.add(m.group(1))
        m = FAIL_LINE.match(line.strip())
        if m:
            functions.add(m.group(1))
            rows.add(f"{m.group(1)}({m.group(2)})")
    if not tests and not re.search(r"\b100% tests passed", out):
        tests.add("?")  # failed in a way that names no test
    return sorted(tests), sorted(functions), sorted(rows)


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

    def by_file(fault):
        """{file: [(old, new), ...]}; an edit (file, old, new) plants into another file than the fault's own."""
        files = {}
        for edit in fault[2]:
            name, old, new = edit if len(edit) == 3 else (fault[1], *edit)
            files.setdefault(name, []).append((old, new))
        return files

    def applies(fault):
        for name, edits in by_file(fault).items():
            if not os.path.exists(os.path.join(tree, name)):
                return False  # the file moved or went: the fault is gone
            with open(os.path.join(tree, name), encoding="utf-8") as fh:
                text = fh.read()
            if not all(text.count(old) == 1 for old, _ in edits):
                return False
        return True

    if args.list:
        for f in faults:
            print(f"{f[0]:20} {'ok  ' if applies(f) else 'gone'} {f[1]:32} {f[3]}")
        return

    print(f"baseline build in {build_dir} ...", flush=True)
    if not build(build_dir, tree):
        sys.exit("the unchanged tree does not build")
    base_tests, base_functions, _ = test(build_dir)
    if base_tests:
        print(f"failing without any fault (ignored below): {base_tests} {base_functions}", flush=True)

    strays = [path for path in STRAYS if not os.path.exists(path)]
    out = open(args.out, "w") if args.out else None
    results = []
    for fid, path, edits, what in faults:
        if not applies((fid, path, edits, what)):
            results.append((fid, "gone", [], []))
            if out:
                out.write(json.dumps({"id": fid, "verdict": "gone", "tests": [], "functions": [], "rows": []}) + "\n")
            print(f"{fid:20} gone", flush=True)
            continue
        originals = {}
        started = time.time()
        try:
            for name, file_edits in by_file((fid, path, edits, what)).items():
                full = os.path.join(tree, name)
                with open(full, encoding="utf-8") as fh:
                    originals[full] = fh.read()
                changed = originals[full]
                for old, new in file_edits:
                    changed = changed.replace(old, new, 1)
                with open(full, "w", encoding="utf-8") as fh:
                    fh.write(changed)
            if build(build_dir, tree):
                tests, functions, rows = test(build_dir)
                tests = [t for t in tests if t not in base_tests]
                functions = [f for f in functions if f not in base_functions]
                rows = [r for r in rows if r.split("(")[0] in functions]
                verdict = "caught" if tests else "MISSED"
            else:
                tests, functions, rows, verdict = [], [], [], "no build"
        finally:
            for full, original in originals.items():
                with open(full, "w", encoding="utf-8") as fh:
                    fh.write(original)
            for stray in strays:
                if os.path.lexists(stray):
                    os.remove(stray)
        results.append((fid, verdict, tests, functions))
        print(f"{fid:20} {verdict:8} {time.time() - started:5.0f}s  {' '.join(tests)}  {' '.join(functions)}", flush=True)
        if out:
            out.write(json.dumps({"id": fid, "verdict": verdict, "tests": tests, "functions": functions, "rows": rows}) + "\n")
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

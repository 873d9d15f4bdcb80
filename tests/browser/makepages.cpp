// SPDX-License-Identifier: MIT
// Writes slide show pages through the program's own writer, one folder per
// case, each with a manifest.json of what the page should show.
#include "core/general.h"
#include "document/decobj2.h"
#include "document/slideshow.h"
#include "imaging/webcopy.h"
#include "platform/scriptedplatform.h"
#include "imaging/prefetcher.h"
#include "../testsupport.h"

#include <QtGui>
#include <QtTest>

#include <cstdio>

namespace {
/** A photo's file name and caption. */
using Slide = std::pair<QString, QString>;

/** Writes one case; web-sized photos bring thumbnails. */
bool writeCase(const QString &root, const QString &name, const QString &showName, const QList<Slide> &slides,
               bool webSized = false)
{
    const QString folder = root + QLatin1Char('/') + name;
    const QString photos = folder + QStringLiteral("/photos");
    QDir().mkpath(photos);

    objMediator->SetTgtFolder(folder);
    objMediator->StartStateTwo();
    WebCopy::shared().begin(webSized, photos, folder);
    objMediator->createSlideShow();
    QJsonArray expected;
    for (int index = 0; index < slides.size(); ++index) {
        const auto &[file, caption] = slides[index];
        const QString path = photos + QLatin1Char('/') + file;
        QSize size(320 + 40 * (index % 8), 200 + 30 * (index % 2));
        if (webSized && index == 1)
            size.transpose(); // a portrait among the thumbnails, which the grid must not crop
        writeImage(path, size, QColor::fromHsv(index * 47 % 360, 200, 200));
        DecObj2 entry;
        entry.init(path, caption, objMediator->slideShow());
        entry.Execute();
        expected.append(QJsonObject{{QStringLiteral("file"), file}, {QStringLiteral("caption"), caption}});
    }
    objMediator->slideShow().complete(showName);

    QFile manifest(folder + QStringLiteral("/manifest.json"));
    return manifest.open(QIODevice::WriteOnly)
        && manifest.write(QJsonDocument(QJsonObject{{QStringLiteral("name"), showName}, {QStringLiteral("slides"), expected}})
                              .toJson()) > 0;
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    Platform::install(std::make_unique<ScriptedPlatform>(QStringLiteral(FOTOWEAVE_ASSETS_DIR)));
    objMediator = std::make_unique<Mediator>();
    objMediator->init();

    const QString root = QString::fromLocal8Bit(argv[1]);
    QList<Slide> many;
    for (int n = 1; n <= 2000; ++n)
        many.append({QStringLiteral("p%1.jpg").arg(n, 4, 10, QLatin1Char('0')), QStringLiteral("Photo %1").arg(n)});
    // One BMP and one GIF among the JPEGs; captions and names that need escaping; none, one and many slides.
    const bool ok = writeCase(root, "plain", "Holiday", {{"one.jpg", "The first day"}, {"two.bmp", "Lunch by the lake"},
                                                         {"three.gif", "Home again"}})
        && writeCase(root, "tricky-text", "<b>Tom & Jerry's</b> \"best\" \\ </script>",
                     {{"a.jpg", "It's \"quoted\" and \\back\\slashed\\"}, {"b.jpg", "</script><script>alert(1)</script>"},
                      {"c.jpg", "Grüße aus 東京 — 🎉🐈"}, {"d.jpg", "two\nlines"},
                      {"e.jpg", "שלום עולם: a caption that starts right to left"}})
        && writeCase(root, "tricky-names", "Names",
                     {{"my photo.jpg", "space"}, {"shot #1.jpg", "hash"}, {"100% sure.jpg", "percent"},
                      {"Tom's.jpg", "apostrophe"}, {"Straße.jpg", "non-ASCII"}, {"quote \"q\".jpg", "double quotes"},
                      {".hidden.jpg", "leading dot"}, {"Case.jpg", "upper case"}, {"case.jpg", QString(10'000, QLatin1Char('w'))}})
        && writeCase(root, "empty", "Nothing yet", {})
        && writeCase(root, "one", "Just one", {{"only.jpg", "The only photo"}})
        && writeCase(root, "thumbnails", "With thumbnails", {{"t1.jpg", "First, with a caption far too long for its place in the grid\nand a second line"},
                                                                    {"t2.jpg", "Second"}, {"t3.jpg", "Third"}},
                     /*webSized=*/true)
        && writeCase(root, "many", "Two thousand", many);
    Prefetcher::shared().finish();
    objMediator.reset();
    return ok ? 0 : 1;
}

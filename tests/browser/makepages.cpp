// SPDX-License-Identifier: MIT
// Writes slide show pages through the program's own writer, one folder per
// case, each with a manifest.json of what the page should show.
#include "core/general.h"
#include "document/decobj2.h"
#include "document/slideshow.h"
#include "imaging/webcopy.h"
#include "platform/scriptedplatform.h"
#include "ui/form2.h"
#include "../testsupport.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <cstdio>

namespace {
struct Slide {
    QString file;
    QString caption;
    QColor color;
};

/** Web-sized photos, which bring thumbnails, or plain copies. */
enum class Thumbnails { None, Written };

bool writeCase(const QString &root, const QString &name, const QString &showName, const QList<Slide> &slides,
               Thumbnails thumbnails = Thumbnails::None)
{
    const QString folder = root + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    const QString photos = folder + QStringLiteral("/photos");
    QDir().mkpath(photos);

    objMediator->SetTgtFolder(folder);
    objMediator->StartStateTwo();
    WebCopy::shared().begin(thumbnails == Thumbnails::Written, photos, folder);
    CreateSlideShow(*objMediator);
    QJsonArray expected;
    int index = 0;
    for (const Slide &slide : slides) {
        const QSize size(320 + 40 * (index % 8), 200 + 30 * (index % 2));
        const QString path = photos + QLatin1Char('/') + slide.file;
        writeImage(path, size, slide.color);
        Form2::instance()->txtCaption->setText(slide.caption);
        DecObj2 entry;
        entry.init(path);
        entry.Execute();
        expected.append(QJsonObject{{QStringLiteral("file"), slide.file}, {QStringLiteral("caption"), slide.caption}});
        ++index;
    }
    Form2::instance()->txtSlideShowName->setText(showName);
    CompleteSlideShow();

    QFile manifest(folder + QStringLiteral("/manifest.json"));
    if (!manifest.open(QIODevice::WriteOnly))
        return false;
    manifest.write(QJsonDocument(QJsonObject{{QStringLiteral("name"), showName}, {QStringLiteral("slides"), expected}})
                       .toJson());
    return true;
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    Platform::install(std::make_unique<ScriptedPlatform>(QStringLiteral(FOTOWEAVE_ASSETS_DIR)));
    objMediator = std::make_unique<Mediator>();
    objMediator->init();

    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    ok &= writeCase(root, QStringLiteral("plain"), QStringLiteral("Holiday"),
                    {{QStringLiteral("one.jpg"), QStringLiteral("The first day"), Qt::red},
                     {QStringLiteral("two.bmp"), QStringLiteral("Lunch by the lake"), Qt::darkGreen},
                     {QStringLiteral("three.gif"), QStringLiteral("Home again"), Qt::blue}});
    ok &= writeCase(root, QStringLiteral("tricky-text"), QStringLiteral("<b>Tom & Jerry's</b> \"best\" \\ </script>"),
                    {{QStringLiteral("a.jpg"), QStringLiteral("It's \"quoted\" and \\back\\slashed\\"), Qt::red},
                     {QStringLiteral("b.jpg"), QStringLiteral("</script><script>alert(1)</script>"), Qt::green},
                     {QStringLiteral("c.jpg"), QStringLiteral("Grüße aus 東京 — 🎉🐈"), Qt::blue},
                     {QStringLiteral("d.jpg"), QStringLiteral("two\nlines"), Qt::yellow}});
    ok &= writeCase(root, QStringLiteral("tricky-names"), QStringLiteral("Names"),
                    {{QStringLiteral("my photo.jpg"), QStringLiteral("space"), Qt::red},
                     {QStringLiteral("shot #1.jpg"), QStringLiteral("hash"), Qt::green},
                     {QStringLiteral("100% sure.jpg"), QStringLiteral("percent"), Qt::blue},
                     {QStringLiteral("Tom's.jpg"), QStringLiteral("apostrophe"), Qt::cyan},
                     {QStringLiteral("Straße.jpg"), QStringLiteral("non-ASCII"), Qt::magenta},
                     {QStringLiteral("quote \"q\".jpg"), QStringLiteral("double quotes"), Qt::darkRed},
                     {QStringLiteral(".hidden.jpg"), QStringLiteral("leading dot"), Qt::darkBlue},
                     {QStringLiteral("Case.jpg"), QStringLiteral("upper case"), Qt::darkCyan},
                     {QStringLiteral("case.jpg"), QString(10'000, QLatin1Char('w')), Qt::darkMagenta}});
    ok &= writeCase(root, QStringLiteral("empty"), QStringLiteral("Nothing yet"), {});
    ok &= writeCase(root, QStringLiteral("one"), QStringLiteral("Just one"),
                    {{QStringLiteral("only.jpg"), QStringLiteral("The only photo"), Qt::darkYellow}});
    ok &= writeCase(root, QStringLiteral("thumbnails"), QStringLiteral("With thumbnails"),
                    {{QStringLiteral("t1.jpg"), QStringLiteral("First"), Qt::red},
                     {QStringLiteral("t2.jpg"), QStringLiteral("Second"), Qt::green},
                     {QStringLiteral("t3.jpg"), QStringLiteral("Third"), Qt::blue}},
                    Thumbnails::Written);
    QList<Slide> many;
    for (int n = 1; n <= 2000; ++n)
        many.append({QStringLiteral("p%1.jpg").arg(n, 4, 10, QLatin1Char('0')), QStringLiteral("Photo %1").arg(n),
                     QColor::fromHsv(n % 360, 200, 200)});
    ok &= writeCase(root, QStringLiteral("many"), QStringLiteral("Two thousand"), many);
    Form2::unload();
    return ok ? 0 : 1;
}

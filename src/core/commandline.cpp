// SPDX-License-Identifier: MIT
#include "core/commandline.h"

#include "core/consoleplatform.h"
#include "core/makeoptions.h"
#include "core/showmaker.h"
#include "core/translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {
const char ProgramHelp[] = QT_TRANSLATE_NOOP("CommandLine",
    "Usage: fotoweave [COMMAND]\n"
    "Turns a folder of photos into a captioned web slide show, SlideShow.htm.\n"
    "\n"
    "Without a command, the Fotoweave window opens.\n"
    "\n"
    "Commands:\n"
    "  make SOURCE [TARGET]   make the slide show of the photos in SOURCE without\n"
    "                         a window (see fotoweave make --help)\n"
    "\n"
    "Options:\n"
    "  -h, --help             show this help\n"
    "  -v, --version          show the version\n");

const char MakeHelp[] = QT_TRANSLATE_NOOP("CommandLine",
    "Usage: fotoweave make [OPTION]... SOURCE [TARGET]\n"
    "Makes the slide show SlideShow.htm of the photos (JPEG, BMP and GIF) in the\n"
    "folder SOURCE, in the folder TARGET (SOURCE when not given; made when\n"
    "missing), with no window. The photos go in the order the window offers them,\n"
    "and the page and the copies are those the window makes.\n"
    "\n"
    "Options:\n"
    "  --name NAME           the slide show's name (default \"My Slide Show\")\n"
    "  --captions metadata   captions from the descriptions the photos carry, as\n"
    "                        the window suggests them (the default)\n"
    "  --captions FILE       captions from a CSV or TSV file in UTF-8 with rows\n"
    "                        \"file name, caption\"; a header row may come first\n"
    "  --captions none       no captions\n"
    "  --only-captioned      leave out the photos that have no caption\n"
    "  --web-sized           web-sized photos (longest side 2048 px) with\n"
    "                        thumbnails; TARGET must not be SOURCE\n"
    "  --continue            add the photos after the last slide of a slide show\n"
    "                        already in TARGET (the photos it holds are left out)\n"
    "  --replace             replace a slide show already in TARGET\n"
    "  --dry-run             say what would be done, and change nothing\n"
    "  -q, --quiet           show no progress\n"
    "  -h, --help            show this help\n"
    "\n"
    "A slide show already in TARGET is left untouched unless --continue or\n"
    "--replace is given.\n"
    "\n"
    "Exit status:\n"
    "  0    every photo went in\n"
    "  1    some photos could not be read or copied (each is named on stderr);\n"
    "       the page is complete all the same\n"
    "  2    a usage error, or TARGET refused; nothing was changed\n"
    "  130  stopped by SIGINT (Ctrl+C), 143 stopped by SIGTERM: the page is\n"
    "       completed with the slides added so far\n");

void out(FILE *to, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

int usageError(const QString &text, const char *helpCommand)
{
    out(stderr, CommandLine::tr("fotoweave: %1\nTry '%2' for more.\n").arg(text, QLatin1String(helpCommand)));
    return ShowMaker::Refused;
}

bool isHelp(const char *arg) { return !std::strcmp(arg, "--help") || !std::strcmp(arg, "-h"); }
bool isVersion(const char *arg) { return !std::strcmp(arg, "--version") || !std::strcmp(arg, "-v"); }

int make(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption name(QStringLiteral("name"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption captions(QStringLiteral("captions"), QString(), QStringLiteral("SOURCE"));
    const QCommandLineOption onlyCaptioned(QStringLiteral("only-captioned"));
    const QCommandLineOption webSized(QStringLiteral("web-sized"));
    const QCommandLineOption continueShow(QStringLiteral("continue"));
    const QCommandLineOption replace(QStringLiteral("replace"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")});
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({name, captions, onlyCaptioned, webSized, continueShow, replace, dryRun, quiet, help});
    const char *makeHelp = "fotoweave make --help";
    if (!parser.parse(arguments))
        return usageError(parser.errorText() + QLatin1Char('.'), makeHelp);
    if (parser.isSet(help)) {
        out(stdout, CommandLine::tr(MakeHelp));
        return ShowMaker::Done;
    }
    const QStringList folders = parser.positionalArguments().mid(1); // after "make"
    if (folders.isEmpty() || folders.size() > 2)
        return usageError(folders.isEmpty() ? CommandLine::tr("make needs the folder of the photos.")
                                            : CommandLine::tr("make takes a source and at most one target folder."),
                          makeHelp);
    for (const QCommandLineOption *once : {&name, &captions}) {
        if (parser.values(*once).size() > 1)
            return usageError(CommandLine::tr("--%1 is given more than once.").arg(once->names().constFirst()), makeHelp);
    }
    if (parser.isSet(continueShow) && parser.isSet(replace))
        return usageError(CommandLine::tr("--continue and --replace cannot both be given."), makeHelp);

    MakeOptions options;
    options.source = folders.at(0);
    options.target = folders.value(1);
    if (parser.isSet(name)) {
        options.name = parser.value(name);
        options.nameGiven = true;
    }
    const QString from = parser.value(captions);
    if (from == QLatin1String("none"))
        options.captions = MakeOptions::Captions::None;
    else if (!from.isEmpty() && from != QLatin1String("metadata")) {
        options.captions = MakeOptions::Captions::File;
        options.captionFile = from;
    }
    options.onlyCaptioned = parser.isSet(onlyCaptioned);
    options.webSized = parser.isSet(webSized);
    options.existing = parser.isSet(continueShow) ? MakeOptions::Existing::Continue
        : parser.isSet(replace)                   ? MakeOptions::Existing::Replace
                                                  : MakeOptions::Existing::Refuse;
    options.dryRun = parser.isSet(dryRun);
    options.quiet = parser.isSet(quiet);

    auto platform = std::make_unique<ConsolePlatform>(options.existing);
    ConsolePlatform &console = *platform;
    Platform::install(std::move(platform));
    ShowMaker maker(options, console);
    return maker.run();
}
}

bool CommandLine::isFor(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    const char *first = argv[1];
    // Qt's own options (-platform, -style ...) belong to the window program.
    return first[0] != '-' || isHelp(first) || isVersion(first);
}

int CommandLine::run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Fotoweave"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FOTOWEAVE_VERSION));
    Translations::install(QCoreApplication::applicationDirPath());
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("make"))
        return make(arguments);
    if (isHelp(argv[1])) {
        out(stdout, CommandLine::tr(ProgramHelp));
        return ShowMaker::Done;
    }
    if (isVersion(argv[1])) {
        out(stdout, QStringLiteral("fotoweave %1\n").arg(QStringLiteral(FOTOWEAVE_VERSION)));
        return ShowMaker::Done;
    }
    return usageError(CommandLine::tr("there is no command \"%1\".").arg(command), "fotoweave --help");
}

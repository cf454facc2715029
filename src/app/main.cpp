// Kinetrak Krovel: start-up, the event loop, and the exit sequence's code.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <optional>
#include <string>
#include <vector>

#include "app/core/CommandLine.h"
#include "app/gui/CKrovelDeviceApp.h"
#include "base/gui/QtPrompts.h"
#include "base/io/CommandLineConventions.h"
#include "base/io/LogCategories.h"

namespace {

const krovel::CommandHelp& ProgramHelp() {
    static const krovel::CommandHelp help{
        QStringLiteral("krovel"), QStringLiteral("[--open FILE] [SUBJECT [FILE NAME]]"),
        QStringLiteral("Records and reports barbell velocity training with the Kinetrak "
                       "transducer.\nSUBJECT selects that subject's folder in the subject "
                       "registry; the words after it\nare the file name the Save dialog "
                       "suggests.")};
    return help;
}

// The arguments without the options QApplication takes for itself (with their values),
// so that what is left can be checked before the window system is needed.
QStringList WithoutQtOptions(const QStringList& arguments) {
    static const QStringList withValue{QStringLiteral("platform"),
                                       QStringLiteral("platformpluginpath"),
                                       QStringLiteral("platformtheme"),
                                       QStringLiteral("plugin"),
                                       QStringLiteral("qwindowgeometry"),
                                       QStringLiteral("qwindowicon"),
                                       QStringLiteral("qwindowtitle"),
                                       QStringLiteral("session"),
                                       QStringLiteral("display"),
                                       QStringLiteral("geometry"),
                                       QStringLiteral("style"),
                                       QStringLiteral("stylesheet"),
                                       QStringLiteral("name"),
                                       QStringLiteral("title"),
                                       QStringLiteral("visual"),
                                       QStringLiteral("qmljsdebugger")};
    static const QStringList flags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb"),
                                   QStringLiteral("sync")};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            kept += arguments.mid(i);
            break;
        }
        QString name = argument;
        if (name.startsWith(u"--")) name.remove(0, 1);
        if (i > 0 && name.startsWith(u'-')) {
            name.remove(0, 1);
            if (flags.contains(name)) continue;
            if (withValue.contains(name)) {
                ++i;
                continue;
            }
            if (withValue.contains(name.section(u'=', 0, 0))) continue;
        }
        kept << argument;
    }
    return kept;
}

// The program's own options; the exit status when it ends here, else the subject and
// the file name's words, and the file to open (empty when none).
std::optional<int> ParseProgramOptions(QStringList arguments, QStringList& positional,
                                       QString& openFile) {
    QCommandLineParser parser;
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("open the measurement file FILE as File > Open does once it is chosen"),
        QStringLiteral("FILE"));
    parser.addOption(open);
    parser.addPositionalArgument(QStringLiteral("SUBJECT"), QStringLiteral("a subject's folder"));
    parser.addPositionalArgument(QStringLiteral("FILE NAME"),
                                 QStringLiteral("the file name to suggest when saving"));
    // The desktop entry's "--open %f" ends in a bare --open when started without a file:
    // that starts the program as without arguments.
    if (arguments.size() > 1 && arguments.last() == u"--open") arguments.removeLast();
    if (auto exit = krovel::ParseCommandLine(parser, arguments, ProgramHelp())) return exit;
    positional = parser.positionalArguments();
    openFile = parser.value(open);
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    // The program's options are answered before the window system is needed, so that
    // --help, --version and a refused option work without a display.
    QStringList positional;
    QString openFile;
    if (auto exit = ParseProgramOptions(WithoutQtOptions(krovel::ArgumentList(argc, argv)),
                                        positional, openFile))
        return *exit;

    QApplication qtApp(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(KROVEL_APP_ID));

    // The subject and the file name's words, as the program reads them.
    std::vector<std::string> arguments;
    for (const QString& word : positional) arguments.push_back(word.toLocal8Bit().toStdString());

    krovel::LogFileWarnings();
    krovel::QtPrompts prompts;
    krovel::InstallPrompts(&prompts);
    int code = 1;
    {
        krovel::CKrovelDeviceApp app;
        krovel::CommandLineParts parts = krovel::CommandLineOfArguments(arguments);
        parts.OpenFile = QFile::encodeName(openFile).toStdString();
        if (app.InitInstance(parts)) {
            qtApp.exec();
            code = app.ExitInstance();
        }
    }
    krovel::InstallPrompts(nullptr);
    return code;
}

#include "app/io/CommandLineConventions.h"

#include <QFile>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace krovel {

namespace {

void Print(FILE* out, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
    std::fflush(out);
}

// Qt's help text with our own usage line in place of its first line, whose program
// name Qt takes from the application object that a tool may not have.
QString HelpText(const QCommandLineParser& parser, const CommandHelp& help) {
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf(u'\n');
    text.remove(0, lineEnd < 0 ? text.size() : lineEnd);
    return QStringLiteral("Usage: ") + help.command + u' ' + help.usage + text;
}

} // namespace

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const CommandHelp& help) {
    parser.setApplicationDescription(help.text);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("print this usage and exit"));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("print the version and exit"));
    parser.addOptions({helpOption, versionOption});
    const bool parsed = parser.parse(arguments);
    // Asking for help or the version wins over anything else on the line.
    if (parser.isSet(helpOption)) {
        Print(stdout, HelpText(parser, help));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        Print(stdout, VersionLine(help.command.section(u' ', 0, 0)) + u'\n');
        return 0;
    }
    if (!parsed) return Refuse(help.command, parser.errorText());
    return std::nullopt;
}

int Refuse(const QString& command, const QString& message) {
    Print(stderr, command + QStringLiteral(": ") + message + u'\n');
    return ExitRefused;
}

QString FileProblem(const QString& path, int errnum) {
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errnum));
}

std::optional<QString> UnreadableFileProblem(const QString& path) {
    errno = 0;
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file) return FileProblem(path, errno ? errno : ENOENT);
    // A folder opens like a file here and only fails at the first read.
    struct stat status {};
    const bool folder = fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
    std::fclose(file);
    if (folder) return FileProblem(path, EISDIR);
    return std::nullopt;
}

QString VersionLine(const QString& program) {
    return program + u' ' + QStringLiteral(KROVEL_VERSION);
}

} // namespace krovel

#include "base/io/CommandLineConventions.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Opened without waiting: a named pipe would otherwise block until a writer comes.
    errno = 0;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileProblem(path, errno ? errno : ENOENT);
    struct stat status {};
    const bool known = fstat(fd, &status) == 0;
    ::close(fd);
    // A folder opens like a file here and only fails at the first read.
    if (known && S_ISDIR(status.st_mode)) return FileProblem(path, EISDIR);
    // Pipes and devices are refused as the program refuses them.
    if (!known || !S_ISREG(status.st_mode)) return path + QStringLiteral(": Error opening file");
    return std::nullopt;
}

QString VersionLine(const QString& program) {
    return program + u' ' + QStringLiteral(KROVEL_VERSION);
}

} // namespace krovel

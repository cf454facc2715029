// The command-line conventions every program of the suite follows: --help prints the
// usage on standard output and exits 0, --version prints the version and exits 0,
// --opt=value works like --opt value, and a refused argument gives one line on standard
// error, naming the option or file and the cause, and exit status 2.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace krovel {

// Exit status for input a program refuses (bad arguments, a file it cannot use).
inline constexpr int ExitRefused = 2;

// The arguments as Qt sees them, converted from the process's own (local 8-bit) argv.
QStringList ArgumentList(int argc, char** argv);

struct CommandHelp {
    QString command; // as the user types it, e.g. "krovel-cli report"
    QString usage;   // what follows the command on the usage line, e.g. "FILE [OPTIONS]"
    QString text;    // what the command does, printed between the usage and the options
};

// Adds --help and --version to parser and parses arguments (the first one is the
// program's name). Answers --help and --version, and reports a refused argument.
// Returns the exit status when the command ends here, nothing when it goes on with
// the parsed options.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const CommandHelp& help);

// "COMMAND: MESSAGE" on standard error; returns ExitRefused.
int Refuse(const QString& command, const QString& message);

// "PATH: the system's reason for errnum", e.g. "a.krvx: Permission denied".
QString FileProblem(const QString& path, int errnum);

// The system's reason why path cannot be opened for reading, or nothing when it can.
std::optional<QString> UnreadableFileProblem(const QString& path);

// The program's name and version, "krovel-cli 1.25".
QString VersionLine(const QString& program);

} // namespace krovel

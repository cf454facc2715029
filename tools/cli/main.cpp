// krovel-cli: scripting access to measurement files and device streams. It needs Qt Core
// only; `print`, which draws pages, runs the program krovel-cli-print.
#include <QCommandLineParser>

#include <clocale>
#include <cstring>

#include "CliCommand.h"
#include "base/io/LogCategories.h"

namespace {

using namespace krovel;

CommandHelp ToolHelp() {
    QString text = QStringLiteral(
        "Works on measurement files and device streams with the program's own code.\n"
        "krovel-cli COMMAND --help describes one command.\n\nCommands:");
    for (const auto& c : cli::Commands())
        text += QStringLiteral("\n  krovel-cli ") + QString::fromUtf8(c.usage);
    return {QStringLiteral("krovel-cli"), QStringLiteral("COMMAND [ARGS]"), text};
}

} // namespace

int main(int argc, char** argv) {
    // Numbers follow the user's locale, as in the program.
    std::setlocale(LC_NUMERIC, "");
    LogFileWarnings();
    // Options before the command belong to krovel-cli; everything from the command on
    // belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("what to do"));
    const CommandHelp help = ToolHelp();
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return *exit;
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) return Refuse(help.command, QStringLiteral("no command given"));
    // The command's own arguments start at its name, wherever it stood on the line.
    const int at = argc - static_cast<int>(words.size());
    for (const auto& c : cli::Commands()) {
        if (words.front() == QString::fromUtf8(c.name)) return c.run(argc - at, argv + at);
    }
    return Refuse(help.command, QStringLiteral("unknown command '%1'").arg(words.front()));
}

#include "MeasurementInput.h"

#include <QFile>

#include "base/io/CommandLineConventions.h"

namespace krovel::cli {

std::optional<int> LoadMeasurementArgument(const QString& command, const QString& path,
                                           MeasurementScratch& scratch) {
    if (auto problem = UnreadableFileProblem(path)) return Refuse(command, *problem);
    const FileLoadError error = LoadMeasurementFile(QFile::encodeName(path).toStdString(), scratch);
    if (error == FileLoadError::None) return std::nullopt;
    return Refuse(command,
                  path + QStringLiteral(": ") + QString::fromLatin1(FileLoadErrorText(error)));
}

} // namespace krovel::cli

#include "MeasurementInput.h"

#include "ArgumentParser.h"

namespace krovel::cli {

std::optional<int> LoadMeasurementArgument(const std::string& command, const std::string& path,
                                           MeasurementScratch& scratch) {
    if (auto problem = UnreadableFileProblem(path)) return Refuse(command, *problem);
    const FileLoadError error = LoadMeasurementFile(path, scratch);
    if (error == FileLoadError::None) return std::nullopt;
    return Refuse(command, path + ": " + FileLoadErrorText(error));
}

} // namespace krovel::cli

#include "base/core/AppPaths.h"

namespace krovel {

AppPathsState AppPaths;

std::string ProgramFolderOf(const std::string& executablePath) {
    size_t cut = executablePath.rfind('/');
    return cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty()) return folder;
    size_t end = folder.find_last_not_of('/');
    if (end == std::string::npos) return "/";
    return folder.substr(0, end + 1) + "/";
}

void FormAppPaths(const std::string& programFolder) {
    const std::string folder = WithTrailingSeparator(programFolder);
    AppPaths.SettingsPath = folder + SettingsFileName;
    AppPaths.DataFolder = folder + "DATA";
    // The program folder without its trailing separator, cut once more.
    const std::string bare = folder.empty() ? folder : folder.substr(0, folder.size() - 1);
    const size_t cut = bare.rfind('/');
    if (bare.empty() || cut == std::string::npos)
        AppPaths.RegistryDataFolder = AppPaths.DataFolder;
    else
        AppPaths.RegistryDataFolder = bare.substr(0, cut) + "/DATA";
}

std::string SubjectTokenPath(const std::string& token) {
    return AppPaths.RegistryDataFolder + "/" + token;
}

std::string ExitSavePath(const std::string& chosen) {
    if (chosen.find(MeasurementExtension) != std::string::npos) return chosen;
    return chosen + MeasurementExtension;
}

std::string FileTitleOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

void AppPathsState::Reset() {
    *this = AppPathsState{};
}

} // namespace krovel

#include "base/core/AppPaths.h"

namespace krovel {

std::string SettingsPath;
std::string DataFolder;
std::string RegistryDataFolder;
std::string SuggestedFileName;

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
    SettingsPath = folder + SettingsFileName;
    DataFolder = folder + "DATA";
    // The program folder without its trailing separator, cut once more.
    const std::string bare = folder.empty() ? folder : folder.substr(0, folder.size() - 1);
    const size_t cut = bare.rfind('/');
    if (bare.empty() || cut == std::string::npos)
        RegistryDataFolder = DataFolder;
    else
        RegistryDataFolder = bare.substr(0, cut) + "/DATA";
}

std::string SubjectTokenPath(const std::string& token) {
    return RegistryDataFolder + "/" + token;
}

std::string ExitSavePath(const std::string& chosen) {
    if (chosen.find(MeasurementExtension) != std::string::npos) return chosen;
    return chosen + MeasurementExtension;
}

void ResetAppPaths() {
    SettingsPath.clear();
    DataFolder.clear();
    RegistryDataFolder.clear();
    SuggestedFileName.clear();
}

} // namespace krovel

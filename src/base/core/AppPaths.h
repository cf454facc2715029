// The folders and names the program works with, formed once at start-up from the
// program folder (the folder of the executable, or the folder that stands in for it).
#pragma once

#include <string>

namespace krovel {

struct AppPathsState {
    std::string SettingsPath;       // program folder + "default.krovlcfg"
    std::string DataFolder;         // program folder + "DATA", created at start-up
    std::string RegistryDataFolder; // parent of the program folder + "/DATA"
    std::string SuggestedFileName;  // command-line rest: initial name of the Save dialog

    // Back to the state before start-up: every path empty (tests).
    void Reset();
};
extern AppPathsState AppPaths;

inline constexpr const char* SettingsFileName = "default.krovlcfg";
inline constexpr const char* MeasurementExtension = ".krvx";

// The folder of a program file, cut after the last separator (which stays).
std::string ProgramFolderOf(const std::string& executablePath);

// A folder name with exactly one trailing separator ("" stays "").
std::string WithTrailingSeparator(const std::string& folder);

// Sets AppPaths.SettingsPath, DataFolder and RegistryDataFolder from the program folder
// (given with or without its trailing separator). A program folder without a
// parent (the root) keeps the registry's data in its own DATA folder.
void FormAppPaths(const std::string& programFolder);

// The subject folder named by a command-line subject token.
std::string SubjectTokenPath(const std::string& token);

// The exit-time save rule: ".krvx" is appended when that text occurs nowhere in
// the chosen path (so "run.krvx.bak" is kept as it is).
std::string ExitSavePath(const std::string& chosen);

// The name a dialog returned, without its folder and its extension ("a/run.krvx" ->
// "run"; "a/trial.krvx.old" -> "trial.krvx"): the document's name, as FileName holds it.
std::string FileTitleOf(const std::string& path);

} // namespace krovel

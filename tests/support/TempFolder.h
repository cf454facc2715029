// A fresh folder under the system's temporary folder for one test, removed with
// everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace krovel::testing {

// Creates a new folder with a unique name under the system's temporary folder; its
// path, or "" when that fails.
inline std::string MakeTemporaryFolder() {
#ifdef _WIN32
    // No mkdtemp: a random name, created only if nobody holds it yet.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("krovel-" + std::to_string(random() % 1000000000));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) return candidate.generic_string();
    }
    return {};
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "krovel-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
#endif
}

class TempFolder {
public:
    TempFolder() : path_(MakeTemporaryFolder()) {}
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Names of the entries in the folder.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::string path_;
};

} // namespace krovel::testing

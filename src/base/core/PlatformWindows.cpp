// The platform calls on Windows: Win32 for files, the C runtime for time. Paths
// arrive as UTF-8 and go to the wide-character calls as UTF-16.
#ifdef _WIN32

#include "base/core/Platform.h"

#include <algorithm>
#include <atomic>
#include <vector>
#include <windows.h>

namespace krovel::platform {

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// The system's text for an error code, in UTF-8 without the trailing line break.
std::string ErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = n > 0 && text ? Narrow(std::wstring(text, n)) : std::string();
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    if (out.empty()) out = "error " + std::to_string(code);
    return out;
}

// A temporary name beside the target, unique within this process; CREATE_NEW guards
// against other processes.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(counter++) +
           ".tmp";
}

HANDLE CreateExclusive(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TemporaryNameFor(path);
        HANDLE file = CreateFileW(Wide(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        done += written;
    }
    return true;
}

PathKind KindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
    return PathKind::RegularFile;
}

} // namespace

bool LocalTime(std::time_t t, std::tm& out) {
    return localtime_s(&out, &t) == 0;
}

PathKind KindOf(const std::string& path) {
    return KindOfAttributes(GetFileAttributesW(Wide(path).c_str()));
}

// Only a path with a reparse point (a symbolic link or junction) is resolved, so an
// ordinary path comes back exactly as given. The final name is read from a handle
// opened through the link, as the system resolves it.
Status FollowLinks(const std::string& path, std::string& target) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        target = path;
        return Status::Ok();
    }
    const HANDLE file =
        CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A link to nothing yet: the write creates the file under the link's own name.
        if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) {
            target = path;
            return Status::Ok();
        }
        return Status::Fail(ErrorText(GetLastError()));
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= final.size()) {
        final.resize(n);
        n = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (n == 0 || n >= final.size()) return Status::Fail(ErrorText(error));
    final.resize(n);
    target = Narrow(final);
    return Status::Ok();
}

Status ReplaceFileContents(const std::string& target, const std::string& bytes) {
    std::string tempPath;
    HANDLE file = CreateExclusive(target, tempPath);
    if (file == INVALID_HANDLE_VALUE) return Status::Fail(ErrorText(GetLastError()));
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    const std::wstring wideTarget = Wide(target);
    const std::wstring wideTemp = Wide(tempPath);
    if (ok) {
        // An existing file is replaced with ReplaceFileW, which keeps its attributes
        // and access rights. A new file, or one ReplaceFileW refuses, is moved into
        // place with MoveFileExW, which with MOVEFILE_WRITE_THROUGH returns only once
        // the move is on disk. Windows has no call to flush a folder's entries.
        const bool exists = GetFileAttributesW(wideTarget.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!(exists && ReplaceFileW(wideTarget.c_str(), wideTemp.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) &&
            !MoveFileExW(wideTemp.c_str(), wideTarget.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ok = false;
            error = GetLastError();
        }
    }
    if (!ok) {
        DeleteFileW(wideTemp.c_str());
        return Status::Fail(ErrorText(error));
    }
    return Status::Ok();
}

Status FlushFolderOf(const std::string& path) {
    (void)path;
    return Status::Ok(); // the move above wrote through to disk
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::wstring pattern = Wide(folder);
    if (!pattern.empty() && pattern.back() != L'/' && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// A process that has ended but whose handle someone still holds is not running.
bool ProcessRuns(unsigned long pid) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}

// Shared with other readers and writers, as a POSIX open would be; a folder cannot be
// opened this way, and a pipe or device is told apart by its type.
ReadableFile::ReadableFile(const std::string& path)
    : handle_(reinterpret_cast<std::intptr_t>(CreateFileW(
          Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {}

ReadableFile::~ReadableFile() {
    if (isOpen()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool ReadableFile::isOpen() const {
    return reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
}

PathKind ReadableFile::kind() const {
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (GetFileType(file) != FILE_TYPE_DISK) return PathKind::Other;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return PathKind::Missing;
    return KindOfAttributes(info.dwFileAttributes);
}

bool ReadableFile::read(size_t want, std::string& out) {
    char buffer[65536];
    while (want > 0) {
        DWORD n = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer,
                      static_cast<DWORD>(std::min(sizeof buffer, want)), &n, nullptr))
            return false;
        if (n == 0) break;
        out.append(buffer, n);
        want -= n;
    }
    return true;
}

} // namespace krovel::platform

#endif // _WIN32

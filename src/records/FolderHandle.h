// A folder opened once, its entries then reached by their names alone, so that the folder's
// own path never reaches the system whole: a working folder deeper than the system takes in
// one call (PATH_MAX on Linux, MAX_PATH on Windows) is read and written in as any other.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace records {

class FolderHandle {
public:
    // On POSIX one name at a time from the root or the working folder, on Windows by the
    // "\\?\" form of its absolute path. Links to folders are followed, as the system follows
    // them in a path.
    explicit FolderHandle(const std::filesystem::path& path);
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // The folder `name` inside this one.
    FolderHandle Sub(const std::filesystem::path& name) const;

    bool bOpen() const { return sProblem.empty(); }
    // The folder, or one on the way to it, does not exist.
    bool bMissing() const { return bNotFound; }
    // The system's reason it could not be opened; empty when it was.
    const std::string& Problem() const { return sProblem; }
    // The path it was opened by, for the operator.
    const std::filesystem::path& Path() const { return path; }

    // The names of its entries, in no order; false with the system's reason in `problem`.
    bool List(std::vector<std::filesystem::path>& names, std::string& problem) const;

    enum class Kind { Missing, File, Folder, Other };
    // What `name` is, a link taken as what it names.
    Kind KindOf(const std::filesystem::path& name) const;

#ifdef _WIN32
    // `name` in the form the wide calls take beyond MAX_PATH.
    std::filesystem::path SystemPath(const std::filesystem::path& name) const;
#else
    // The open folder, for the *at() calls; -1 when it could not be opened.
    int Descriptor() const {
        return fd;
    }
#endif

private:
    FolderHandle() = default;
    void Fail(int error);

    std::filesystem::path path;
    std::string sProblem;
    bool bNotFound = false;
#ifdef _WIN32
    std::filesystem::path systemPath;
#else
    int fd = -1;
#endif
};

} // namespace records

#pragma once
// What the tool asks the file system about names: whether a file lies there, a name's full path,
// and a file that must go again unless the work that made it finishes.
#include <string>

enum class FileLookup {
    File,   // a file (not a directory) of that name
    NoFile, // surely none: nothing of that name, or a directory
    Failed, // the search failed for another reason (a name too long, a folder that may not be
            // listed): it has found out nothing
};

// A directory search for the name.
FileLookup LookForFile(const std::string& path);

// The full path of a name, however long: the system tells how much room it needs. Empty when
// the system gives none (GetLastError then says why).
std::string FullPathName(const std::string& name);

// Deletes its file when it goes, unless Keep() was called: a file that is only half made must
// not stay behind on any way out.
class FileRemover {
public:
    explicit FileRemover(std::string path) : path_(std::move(path)) {}
    FileRemover(const FileRemover&) = delete;
    FileRemover& operator=(const FileRemover&) = delete;
    ~FileRemover();

    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

#pragma once
// A scratch folder under the prefix's temp folder, removed with everything in it at the end.
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in "\".
    const std::string& Path() const { return path_; }
    // Makes a file (and its folders) below the scratch folder; returns its full path.
    std::string MakeFile(const std::string& relative, const std::string& contents = {}) const;
    std::string MakeFolder(const std::string& relative) const;

private:
    std::string path_;
};

// A fresh folder under the system's temp folder, removed with everything in
// it (whatever its permission bits or path lengths) when the object goes.
#pragma once

#include <string>
#include <string_view>

namespace glyphwright::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }

    // Relative paths inside the folder; parents must exist.
    void MakeFolder(std::string_view relative) const;
    void MakeFile(std::string_view relative) const;
    void MakeLink(std::string_view relative, std::string_view target) const;

private:
    std::string path_;
};

// Removes name (relative to parentFd) and everything below it, opening each
// folder relative to its parent, so that any depth and path length works.
void RemoveTree(int parentFd, const char* name);

} // namespace glyphwright::testing

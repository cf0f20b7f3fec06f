#pragma once
// The files the document was read from since it became a new document: the format each file's content
// has, and which of them were read only in part. A save over such a file keeps the format its content
// has, and a save over a file read in part asks first, since it loses what was not read.

#include "model/FileKinds.h"

#include <optional>
#include <string>
#include <vector>

namespace vantle::ui {

class DocumentOrigin {
  public:
    // A new document: nothing is remembered.
    void forget() { files_.clear(); }
    // A file was read into the document (Open, Append, command line).
    void remember(const std::string& path, FileKind kind, bool readInPart);
    // The document was written whole to path in the given format: nothing of that file is lost any more.
    void written(const std::string& path, FileKind kind);

    bool readInPart(const std::string& path) const;
    // The format the content of path was read as, when the document was read from it.
    std::optional<FileKind> kindOf(const std::string& path) const;

  private:
    struct File {
        std::string key;
        FileKind kind = FileKind::Unknown;
        bool readInPart = false;
    };
    const File* find(const std::string& path) const;

    std::vector<File> files_;
};

// One spelling for one file: the absolute path with links and "." / ".." resolved where they exist.
std::string samePathKey(const std::string& path);

} // namespace vantle::ui

// Folders as the Windows file system shows them: an enumeration that returns
// "." and ".." first and then the folder's entries in the order the file
// system keeps them, each with its attribute bits; and the plain operations
// that create and remove folders and files. Paths are native paths.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum FileAttribute : uint32_t {
  // The write permission that applies to this user (owner, group or others)
  // is not granted by the entry's mode bits. The superuser's power to write
  // anyway does not clear it, as the read-only bit binds administrators too.
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,     // the name begins with "."
  kAttributeSystem = 0x04,     // a device, pipe or socket: not a file to copy
  kAttributeDirectory = 0x10,
  // A symbolic link. Links are never followed: a link is never a directory,
  // so nothing that walks a tree leaves the tree through one.
  kAttributeReparsePoint = 0x400,
};

struct FolderEntry {
  std::string name;
  uint32_t attributes = 0;
};

// One pass over a folder's entries. The handle is released by Close() or the
// destructor, whichever comes first, on every path.
class FolderEnumeration {
 public:
  FolderEnumeration() = default;
  FolderEnumeration(const FolderEnumeration&) = delete;
  FolderEnumeration& operator=(const FolderEnumeration&) = delete;
  ~FolderEnumeration();

  bool Open(const std::string& folder);  // false when it cannot be read
  // The next entry: ".", "..", then the entries; false after the last one.
  bool Next(FolderEntry& entry);
  void Close();

 private:
  void* handle_ = nullptr;  // DIR*
  std::string folder_;
  int dotEntriesGiven_ = 0;
};

bool CreateFolder(const std::string& path);            // the parent must exist
bool CreateFolderWithParents(const std::string& path);  // true if it exists afterwards
bool RemoveFolder(const std::string& path);             // an empty folder only
bool RemoveFile(const std::string& path);               // anything but a folder

}  // namespace platform

#include "install/tree_operations.h"

#include <strings.h>

#include <vector>

#include "install/file_copy.h"
#include "platform/folders.h"

namespace install {
namespace {

bool FitsPath(const std::string& path) { return path.size() <= kMaxPathLength; }

// The entries of folder, less the first one and the names beginning with
// "."; false when the folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<platform::FolderEntry>& entries) {
  platform::FolderEnumeration enumeration;
  if (!FitsPath(folder) || !enumeration.Open(folder)) return false;
  platform::FolderEntry entry;
  bool first = true;
  while (enumeration.Next(entry)) {
    if (!first && !entry.name.empty() && entry.name.front() != '.') entries.push_back(entry);
    first = false;
  }
  return true;
}

bool IsFolder(const platform::FolderEntry& entry) {
  return (entry.attributes & platform::kAttributeDirectory) != 0;
}

bool CopyFile(const std::string& source, const std::string& target) {
  return FitsPath(source) && FitsPath(target) && CopyFileInBlocks(source, target);
}

}  // namespace

std::string FindFolder(const std::string& name, const std::string& start) {
  std::vector<platform::FolderEntry> entries;
  if (!ListFolder(start, entries)) return {};
  for (const platform::FolderEntry& entry : entries) {
    std::string path = start + "/" + entry.name;
    if (!IsFolder(entry) || !FitsPath(path)) continue;
    if (strcasecmp(entry.name.c_str(), name.c_str()) == 0) return path;
    std::string found = FindFolder(name, path);
    if (!found.empty()) return found;
  }
  return {};
}

bool CopyTree(const std::string& source, const std::string& target) {
  std::vector<platform::FolderEntry> entries;
  if (!FitsPath(target) || !ListFolder(source, entries)) return false;
  platform::CreateFolder(target);  // it may exist already; the copies show whether it is usable
  bool succeeded = true;
  for (const platform::FolderEntry& entry : entries) {
    std::string from = source + "/" + entry.name;
    std::string to = target + "/" + entry.name;
    if (IsFolder(entry)) {
      if (succeeded) succeeded = CopyTree(from, to);
    } else if (!CopyFile(from, to)) {
      succeeded = false;
    }
  }
  return succeeded;
}

bool DeleteTree(const std::string& folder) {
  std::vector<platform::FolderEntry> entries;
  if (!ListFolder(folder, entries)) return false;
  for (const platform::FolderEntry& entry : entries) {
    std::string path = folder + "/" + entry.name;
    bool deleted = entry.attributes == platform::kAttributeDirectory
                       ? DeleteTree(path)
                       : FitsPath(path) && platform::RemoveFile(path);
    if (!deleted) return false;
  }
  return platform::RemoveFolder(folder);
}

bool MoveTree(const std::string& source, const std::string& target) {
  return CopyTree(source, target) && DeleteTree(source);
}

}  // namespace install

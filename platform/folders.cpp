#include "platform/folders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace platform {
namespace {

bool InSupplementaryGroup(gid_t group) {
  int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  count = getgroups(count, groups.data());
  for (int i = 0; i < count; ++i) {
    if (groups[static_cast<size_t>(i)] == group) return true;
  }
  return false;
}

bool WriteGrantedByModeBits(const struct stat& info) {
  if (info.st_uid == geteuid()) return (info.st_mode & S_IWUSR) != 0;
  if (info.st_gid == getegid() || InSupplementaryGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
  return (info.st_mode & S_IWOTH) != 0;
}

// The attributes of the entry `name` found at `path` (links not followed);
// false when nothing is there.
bool ReadAttributes(const std::string& path, const std::string& name, uint32_t& attributes) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return false;
  attributes = 0;
  if (S_ISDIR(info.st_mode)) attributes |= kAttributeDirectory;
  if (S_ISLNK(info.st_mode)) attributes |= kAttributeReparsePoint;
  if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
    attributes |= kAttributeSystem;
  }
  if (!S_ISLNK(info.st_mode) && !WriteGrantedByModeBits(info)) attributes |= kAttributeReadOnly;
  if (!name.empty() && name.front() == '.') attributes |= kAttributeHidden;
  return true;
}

}  // namespace

FolderEnumeration::~FolderEnumeration() { Close(); }

bool FolderEnumeration::Open(const std::string& folder) {
  Close();
  handle_ = opendir(folder.c_str());
  folder_ = folder;
  dotEntriesGiven_ = 0;
  return handle_ != nullptr;
}

bool FolderEnumeration::Next(FolderEntry& entry) {
  if (handle_ == nullptr) return false;
  // "." and ".." come first, as they do on Windows; POSIX may place them
  // anywhere, so they are given here and skipped where they really appear.
  while (dotEntriesGiven_ < 2) {
    entry.name = dotEntriesGiven_ == 0 ? "." : "..";
    ++dotEntriesGiven_;
    if (ReadAttributes(folder_ + "/" + entry.name, entry.name, entry.attributes)) return true;
  }
  while (dirent* found = readdir(static_cast<DIR*>(handle_))) {
    std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    // An entry removed since the folder was read is passed over.
    if (ReadAttributes(folder_ + "/" + name, name, entry.attributes)) {
      entry.name = std::move(name);
      return true;
    }
  }
  return false;
}

void FolderEnumeration::Close() {
  if (handle_ != nullptr) {
    closedir(static_cast<DIR*>(handle_));
    handle_ = nullptr;
  }
}

bool CreateFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool CreateFolderWithParents(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return std::filesystem::is_directory(path, error);
}

bool RemoveFolder(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace platform

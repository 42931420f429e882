// Whole folders: finding one by name, copying, deleting and moving a tree.
// Paths are native paths of at most kMaxPathLength characters; an operation
// that would need a longer one refuses that path (it fails, or finds
// nothing there) rather than work on a shortened name.
//
// Every operation lists a folder the same way: the enumeration's first entry
// (the folder's own ".") and every name beginning with "." are passed over;
// the rest are visited in the order the file system keeps them.
#pragma once

#include <cstddef>
#include <string>

namespace install {

constexpr size_t kMaxPathLength = 255;

// Depth first from start, the path of the first folder whose name equals
// `name` without regard to case; empty when there is none.
std::string FindFolder(const std::string& name, const std::string& start);

// Copies every file and subfolder of source into target (created when
// missing). A failure does not stop the files that follow from being copied,
// but no further subfolder is copied. False when source cannot be listed or
// anything failed.
bool CopyTree(const std::string& source, const std::string& target);

// Deletes everything in folder, then the folder. Only an entry that is
// exactly a plain folder is deleted as a folder; anything else (a read-only
// folder, a link) is deleted as a file. The first failure leaves the rest in
// place and makes the result false.
bool DeleteTree(const std::string& folder);

// CopyTree, then, only when the copy is complete, DeleteTree on the source.
bool MoveTree(const std::string& source, const std::string& target);

}  // namespace install

// Copying one file in fixed blocks, the way the program group is copied into
// the desktop's menu folder.
#pragma once

#include <cstddef>
#include <string>

namespace install {

constexpr size_t kCopyBlockSize = 262144;

// Copies source to target (created, or emptied first) block by block until a
// block comes back shorter than kCopyBlockSize. True when the source opened
// and every read, write and close succeeded.
bool CopyFileInBlocks(const std::string& source, const std::string& target);

// Lets tests watch the copy: called with the size of every block read.
// Pass nullptr to stop watching.
using CopyBlockObserver = void (*)(size_t blockBytes);
void SetCopyBlockObserver(CopyBlockObserver observer);

}  // namespace install

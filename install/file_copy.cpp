#include "install/file_copy.h"

#include <vector>

#include "platform/block_file.h"

namespace install {
namespace {

CopyBlockObserver g_blockObserver = nullptr;

}  // namespace

void SetCopyBlockObserver(CopyBlockObserver observer) { g_blockObserver = observer; }

bool CopyFileInBlocks(const std::string& source, const std::string& target) {
  platform::BlockFile from;
  platform::BlockFile to;
  if (!from.OpenForReading(source) || !to.Create(target)) return false;
  std::vector<char> block(kCopyBlockSize);
  size_t got = 0;
  do {
    got = from.Read(block.data(), block.size());
    if (g_blockObserver != nullptr) g_blockObserver(got);
    to.Write(block.data(), got);
  } while (got == block.size() && !from.Failed() && !to.Failed());
  from.Close();
  to.Close();
  return !from.Failed() && !to.Failed();
}

}  // namespace install

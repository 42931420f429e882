#include "game/file_block.h"

#include "platform/files.h"

size_t ReadFileBlock(std::string_view fileName, void* buffer, int64_t offset, size_t count) {
  platform::BinaryFile file;
  file.Open(fileName, platform::BinaryFile::Mode::kReadWrite);
  file.Seek(offset);
  size_t got = file.ReadSome(buffer, count);
  file.Close();
  return got;
}

void WriteFileBlock(std::string_view fileName, const void* buffer, int64_t offset, size_t count) {
  platform::BinaryFile file;
  file.OpenOrCreate(fileName);
  file.Seek(offset);
  file.Write(buffer, count);
  file.Close();
}

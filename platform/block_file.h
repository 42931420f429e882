// A file read or written in blocks that remembers its first failure instead
// of ending the process, like the run-time's file access with I/O checking
// switched off: the caller asks for the status when the work is done.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

class BlockFile {
 public:
  BlockFile() = default;
  BlockFile(const BlockFile&) = delete;
  BlockFile& operator=(const BlockFile&) = delete;
  ~BlockFile();

  // Opens an existing regular file for reading (a pipe or device is refused,
  // so that copying it cannot block).
  bool OpenForReading(const std::string& path);
  // Creates the file for writing, or empties an existing one.
  bool Create(const std::string& path);

  // Fills the buffer unless the file ends or fails first; returns the bytes read.
  size_t Read(void* buffer, size_t count);
  void Write(const void* buffer, size_t count);
  void Close();  // a failure to close counts as a failure of the file

  bool Failed() const { return failed_; }

 private:
  int descriptor_ = -1;
  bool failed_ = false;
};

}  // namespace platform

#include "platform/block_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

BlockFile::~BlockFile() { Close(); }

bool BlockFile::OpenForReading(const std::string& path) {
  Close();
  descriptor_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info;
  if (descriptor_ >= 0 && (fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode))) {
    close(descriptor_);
    descriptor_ = -1;
  }
  failed_ = descriptor_ < 0;
  return !failed_;
}

bool BlockFile::Create(const std::string& path) {
  Close();
  descriptor_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  failed_ = descriptor_ < 0;
  return !failed_;
}

size_t BlockFile::Read(void* buffer, size_t count) {
  if (descriptor_ < 0) {
    failed_ = true;
    return 0;
  }
  size_t done = 0;
  while (done < count) {
    ssize_t got = read(descriptor_, static_cast<char*>(buffer) + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

void BlockFile::Write(const void* buffer, size_t count) {
  if (descriptor_ < 0) {
    failed_ = true;
    return;
  }
  size_t done = 0;
  while (done < count) {
    ssize_t put = write(descriptor_, static_cast<const char*>(buffer) + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      failed_ = true;
      return;
    }
    done += static_cast<size_t>(put);
  }
}

void BlockFile::Close() {
  if (descriptor_ < 0) return;
  if (close(descriptor_) != 0) failed_ = true;
  descriptor_ = -1;
}

}  // namespace platform

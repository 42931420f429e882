#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

RuntimeErrorHandler g_errorHandler = nullptr;

int CodeForErrno(int error, int fallback) {
  switch (error) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kAccessDenied;
    default: return fallback;
  }
}

std::string ConvertSeparators(std::string_view gameName) {
  std::string path(gameName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// Finds an entry of `directory` whose name equals `component` ignoring case.
bool FindCaseInsensitive(const std::string& directory, const std::string& component,
                         std::string& found) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return false;
  bool matched = false;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, component.c_str()) == 0) {
      found = entry->d_name;
      matched = true;
      break;
    }
  }
  closedir(dir);
  return matched;
}

bool PathExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

}  // namespace

void SetRuntimeErrorHandler(RuntimeErrorHandler handler) { g_errorHandler = handler; }

void RuntimeError(int code, std::string_view what, std::string_view file) {
  std::string message = "Runtime error " + std::to_string(code) + ": " + std::string(what) +
                        ": " + std::string(file);
  if (g_errorHandler != nullptr) {
    g_errorHandler(code, message);
  }
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  std::_Exit(code);
}

std::string NativePath(std::string_view gameName) {
  std::string exact = ConvertSeparators(gameName);
  if (exact.empty() || PathExists(exact)) return exact;

  // Resolve component by component, keeping the exact spelling where it exists.
  std::string resolved = exact.front() == '/' ? "/" : "";
  size_t start = exact.front() == '/' ? 1 : 0;
  while (start <= exact.size()) {
    size_t end = exact.find('/', start);
    if (end == std::string::npos) end = exact.size();
    std::string component = exact.substr(start, end - start);
    if (!component.empty()) {
      std::string candidate = resolved + component;
      std::string found;
      if (!PathExists(candidate)) {
        std::string directory = resolved.empty() ? "." : resolved;
        if (!FindCaseInsensitive(directory, component, found)) {
          // Nothing further exists: the rest stays as written (a file about
          // to be created keeps the name it was given).
          return resolved + exact.substr(start);
        }
        candidate = resolved + found;
      }
      resolved = candidate;
      if (end < exact.size()) resolved += '/';
    }
    start = end + 1;
  }
  return resolved;
}

bool FileExists(std::string_view gameName) {
  struct stat info;
  return stat(NativePath(gameName).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(std::string_view gameName) {
  struct stat info;
  return stat(NativePath(gameName).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFileIfExists(std::string_view gameName) {
  if (!FileExists(gameName)) return false;
  return std::remove(NativePath(gameName).c_str()) == 0;
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : handle_(other.handle_), gameName_(std::move(other.gameName_)) {
  other.handle_ = nullptr;
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    gameName_ = std::move(other.gameName_);
    other.handle_ = nullptr;
  }
  return *this;
}

BinaryFile::~BinaryFile() { Close(); }

bool BinaryFile::TryOpen(std::string_view gameName, Mode mode) {
  Close();
  gameName_ = std::string(gameName);
  std::string path = NativePath(gameName);
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    errno = ENOENT;
    return false;
  }
  handle_ = std::fopen(path.c_str(), mode == Mode::kRead ? "rb" : "r+b");
  return handle_ != nullptr;
}

void BinaryFile::Open(std::string_view gameName, Mode mode) {
  if (!TryOpen(gameName, mode)) {
    RuntimeError(CodeForErrno(errno, kFileNotFound), "cannot open file", gameName);
  }
}

void BinaryFile::OpenOrCreate(std::string_view gameName) {
  if (TryOpen(gameName, Mode::kReadWrite)) return;
  if (errno != ENOENT) {
    RuntimeError(CodeForErrno(errno, kAccessDenied), "cannot open file", gameName);
  }
  Create(gameName);
}

void BinaryFile::Create(std::string_view gameName) {
  Close();
  gameName_ = std::string(gameName);
  handle_ = std::fopen(NativePath(gameName).c_str(), "w+b");
  if (handle_ == nullptr) {
    RuntimeError(CodeForErrno(errno, kAccessDenied), "cannot create file", gameName);
  }
}

int64_t BinaryFile::Size() {
  if (handle_ == nullptr) RuntimeError(kFileNotOpen, "file not open", gameName_);
  struct stat info;
  if (fstat(fileno(handle_), &info) != 0) RuntimeError(kDiskReadError, "cannot read size", gameName_);
  return info.st_size;
}

void BinaryFile::Seek(int64_t offset) {
  if (handle_ == nullptr) RuntimeError(kFileNotOpen, "file not open", gameName_);
  if (offset < 0 || fseeko(handle_, offset, SEEK_SET) != 0) {
    RuntimeError(kDiskReadError, "cannot seek", gameName_);
  }
}

size_t BinaryFile::ReadSome(void* buffer, size_t count) {
  if (handle_ == nullptr) RuntimeError(kFileNotOpen, "file not open", gameName_);
  size_t got = std::fread(buffer, 1, count, handle_);
  if (got < count && std::ferror(handle_)) RuntimeError(kDiskReadError, "read error", gameName_);
  return got;
}

void BinaryFile::ReadExact(void* buffer, size_t count) {
  if (ReadSome(buffer, count) != count) RuntimeError(kDiskReadError, "read past end of file", gameName_);
}

void BinaryFile::Write(const void* buffer, size_t count) {
  if (handle_ == nullptr) RuntimeError(kFileNotOpen, "file not open", gameName_);
  // A read may have come before: C streams need a positioning call between
  // reading and writing.
  fseeko(handle_, 0, SEEK_CUR);
  if (std::fwrite(buffer, 1, count, handle_) != count || std::fflush(handle_) != 0) {
    RuntimeError(kDiskWriteError, "write error", gameName_);
  }
}

void BinaryFile::Close() {
  if (handle_ != nullptr) {
    std::fclose(handle_);
    handle_ = nullptr;
  }
}

bool TryReadWholeFile(std::string_view gameName, std::vector<uint8_t>& contents) {
  BinaryFile file;
  if (!file.TryOpen(gameName, BinaryFile::Mode::kRead)) return false;
  contents.clear();
  uint8_t chunk[65536];
  for (;;) {
    size_t got = file.ReadSome(chunk, sizeof chunk);
    contents.insert(contents.end(), chunk, chunk + got);
    if (got < sizeof chunk) break;
  }
  return true;
}

std::vector<uint8_t> ReadWholeFile(std::string_view gameName) {
  std::vector<uint8_t> contents;
  if (!TryReadWholeFile(gameName, contents)) {
    RuntimeError(CodeForErrno(errno, kFileNotFound), "cannot open file", gameName);
  }
  return contents;
}

void WriteWholeFile(std::string_view gameName, const void* data, size_t size) {
  BinaryFile file;
  file.Create(gameName);
  file.Write(data, size);
}

namespace {

// Writes all bytes to the descriptor and makes them durable; false on failure.
bool WriteAndSync(int descriptor, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = write(descriptor, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return fsync(descriptor) == 0;
}

}  // namespace

void ReplaceWholeFile(std::string_view gameName, const void* data, size_t size) {
  std::string path = NativePath(gameName);
  struct stat existing;
  mode_t permissions = 0644;
  if (stat(path.c_str(), &existing) == 0) {
    // The file itself must be open to update, as when it was rewritten in place.
    int probe = open(path.c_str(), O_RDWR);
    if (probe < 0) RuntimeError(CodeForErrno(errno, kAccessDenied), "cannot open file", gameName);
    close(probe);
    permissions = existing.st_mode & 0777;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) path = resolved;  // a link keeps pointing at it
  }
  std::string temporary = path + ".XXXXXX";
  int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) RuntimeError(CodeForErrno(errno, kDiskWriteError), "cannot create file", gameName);
  bool written = fchmod(descriptor, permissions) == 0 && WriteAndSync(descriptor, data, size);
  written = close(descriptor) == 0 && written;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    RuntimeError(kDiskWriteError, "write error", gameName);
  }
}

void TextNumberReader::Open(std::string_view gameName) {
  gameName_ = std::string(gameName);
  std::vector<uint8_t> bytes = ReadWholeFile(gameName);
  text_.assign(bytes.begin(), bytes.end());
  position_ = 0;
}

int32_t TextNumberReader::ReadInteger() {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1a'; };
  while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
  if (position_ >= text_.size()) RuntimeError(kDiskReadError, "read past end of file", gameName_);
  size_t start = position_;
  while (position_ < text_.size() && !isBlank(text_[position_])) ++position_;
  std::string word = text_.substr(start, position_ - start);
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX) {
    RuntimeError(kInvalidNumericFormat, "invalid numeric format", gameName_);
  }
  return static_cast<int32_t>(value);
}

void TextNumberReader::SkipRestOfLine() {
  while (position_ < text_.size() && text_[position_] != '\n') ++position_;
  if (position_ < text_.size()) ++position_;
}

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program.parent_path().string();
}

bool ChangeToProgramDirectory() {
  std::string directory = ProgramDirectory();
  return !directory.empty() && chdir(directory.c_str()) == 0;
}

}  // namespace platform

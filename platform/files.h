// Run-time file access with the game's rules: names are relative to the
// program directory and written with backslashes; a name that does not exist
// exactly is looked up again without regard to letter case, component by
// component, as the game's files were named on a case-insensitive system.
//
// The "raising" operations end the process the way the run-time library's
// default error handling does: "Runtime error N: <what>: <file>" on standard
// error and exit status N. The Try* operations report instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Exit statuses of the run-time's input/output errors.
enum RuntimeErrorCode : int {
  kFileNotFound = 2,
  kPathNotFound = 3,
  kAccessDenied = 5,
  kDiskReadError = 100,
  kDiskWriteError = 101,
  kFileNotOpen = 103,
  kInvalidNumericFormat = 106,
};

// Prints "Runtime error <code>: <what>: <file>" on standard error and ends
// the process with status <code>. Never returns.
[[noreturn]] void RuntimeError(int code, std::string_view what, std::string_view file);

// Lets tests observe run-time errors instead of ending the process: while a
// handler is installed it is called instead and must not return normally
// (it throws, typically). Pass nullptr to restore the default.
using RuntimeErrorHandler = void (*)(int code, const std::string& message);
void SetRuntimeErrorHandler(RuntimeErrorHandler handler);

// "islands\islands.use" -> "islands/islands.use", resolved case-insensitively
// against what exists. A name that exists in no letter case comes back with
// only its separators converted.
std::string NativePath(std::string_view gameName);

bool FileExists(std::string_view gameName);       // a regular file
bool DirectoryExists(std::string_view gameName);
bool DeleteFileIfExists(std::string_view gameName);  // true when a file was removed

// An untyped file with record size 1, as the run-time library opens it.
class BinaryFile {
 public:
  enum class Mode { kRead, kReadWrite };

  BinaryFile() = default;
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  BinaryFile(BinaryFile&& other) noexcept;
  BinaryFile& operator=(BinaryFile&& other) noexcept;
  ~BinaryFile();

  // Opens an existing file. Failure: false (Try) or the run-time error.
  bool TryOpen(std::string_view gameName, Mode mode = Mode::kReadWrite);
  void Open(std::string_view gameName, Mode mode = Mode::kReadWrite);
  // Opens an existing file without truncating it, or creates it.
  void OpenOrCreate(std::string_view gameName);
  // Creates the file, or truncates an existing one.
  void Create(std::string_view gameName);

  bool IsOpen() const { return handle_ != nullptr; }
  const std::string& Name() const { return gameName_; }

  int64_t Size();                          // raises on failure
  void Seek(int64_t offset);               // raises on failure
  // Reads up to count bytes; returns how many arrived (short at end of file).
  size_t ReadSome(void* buffer, size_t count);
  // Reads exactly count bytes or raises the read error.
  void ReadExact(void* buffer, size_t count);
  void Write(const void* buffer, size_t count);  // raises on failure
  void Close();

 private:
  std::FILE* handle_ = nullptr;
  std::string gameName_;
};

// Whole-file helpers. ReadWholeFile raises when the file cannot be read.
std::vector<uint8_t> ReadWholeFile(std::string_view gameName);
bool TryReadWholeFile(std::string_view gameName, std::vector<uint8_t>& contents);
void WriteWholeFile(std::string_view gameName, const void* data, size_t size);

// Writes the file whole or not at all: the bytes go to a temporary file
// beside it, which then takes its place in one step, so that a failed write
// (a full disk, a size limit) leaves the old file exactly as it was. An
// existing file that cannot be opened for update, or a write that fails,
// raises the run-time error; no temporary file is left behind.
void ReplaceWholeFile(std::string_view gameName, const void* data, size_t size);

// Reads decimal integers from a text file the way the run-time's text
// input does: blanks and line ends separate numbers; text that is not a
// number raises error 106; reading past the end raises error 100.
class TextNumberReader {
 public:
  void Open(std::string_view gameName);  // raises when the file cannot be opened
  int32_t ReadInteger();
  void SkipRestOfLine();                 // like ReadLn: the rest of the line is dropped
  bool AtEnd() const { return position_ >= text_.size(); }

 private:
  std::string text_;
  std::string gameName_;
  size_t position_ = 0;
};

// The directory holding the running program, as an absolute path; empty
// when it cannot be determined.
std::string ProgramDirectory();

// Makes the directory holding the running program the current directory.
// Returns false when it cannot be determined or entered.
bool ChangeToProgramDirectory();

}  // namespace platform

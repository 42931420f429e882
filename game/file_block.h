// Block access to named files at a byte offset, the way the game reads and
// writes its island, rotation and best-scores files. Failures to open, seek
// or transfer are the run-time input/output error (platform/files.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads up to count bytes at offset of an existing file opened for reading
// and writing. A short file yields fewer bytes and the rest of the buffer
// keeps its previous contents. Returns the number of bytes read.
size_t ReadFileBlock(std::string_view fileName, void* buffer, int64_t offset, size_t count);

// Writes count bytes at offset, creating a missing file; an existing file is
// never truncated.
void WriteFileBlock(std::string_view fileName, const void* buffer, int64_t offset, size_t count);

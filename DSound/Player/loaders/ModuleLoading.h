// What the format loaders share: file reading, sample data decoding, names,
// and the pass that checks a freshly loaded model before anything plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "loaders/ByteReader.h"
#include "model/Cmodule.h"
#include "model/ModuleEffects.h"

// The most of a file a loader reads (modules and sounds are far smaller).
constexpr uint64_t kMaxLoadedFileBytes = 256u << 20;

// Reads count bytes from the file's current position in pieces of at most
// 256 bytes; returns the total read (less at the end of the file).
size_t ReadInPieces(std::FILE* file, void* target, size_t count);

// Reads a file from a byte offset to its end. False when the file cannot be
// opened; an offset past the end gives no bytes. A name written with
// backslashes is also tried with slashes.
bool ReadFileFrom(const char* fileName, unsigned long offset, std::vector<uint8_t>& bytes);

// How a format stores its sample points.
enum class PcmCoding {
  Signed,    // as is
  Unsigned,  // offset by half the range
  Delta,     // each value is the difference to the previous one
};

// Reads a sample's data: the format says it occupies storedBytes bytes at the
// reader's position (the reader moves past them). sample.length (in samples)
// and the 16-bit flag must be set. Data the file does not hold shortens the
// sample, and so does kMaxSampleLength; loop points are kept inside it. The
// guard samples are set. False only when memory runs out.
bool ReadSampleData(ByteReader& reader, SampleSlot& sample, uint64_t storedBytes,
                    PcmCoding coding);

// Keeps the loop points inside the sample, and the loop flag only for a loop
// of at least one sample.
void LimitLoop(SampleSlot& sample);

// Copies count bytes of a fixed-size name field; when the target is larger,
// it is zero-terminated.
void CopyName(char* target, size_t targetSize, const uint8_t* source, size_t count);

// MOD and S3M: one instrument per sample, named after it, whose keymap maps
// every note to that sample.
void AddInstrumentPerSample(ModuleSlot& module);

// Sets a cell's internal effect and parameter.
inline void SetEffect(PatternCell& cell, uint8_t effect, uint8_t parameter) {
  cell.effect = effect;
  cell.parameter = parameter;
}

// The extended commands that MOD and XM share (E6x, E9x, EAx, EBx, ECx, EDx,
// EEx) into the cell; false for any other Ex command.
bool TranslateSharedExtended(uint8_t parameter, PatternCell& cell);

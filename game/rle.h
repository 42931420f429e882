// The run-length code of the island archive. A byte below 100 is a literal;
// a byte b of 100 or more repeats the following byte b - 99 times (1..156).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint8_t kRleFirstRunCode = 100;
constexpr int kRleLongestRun = 156;

// Result of UnpackRle for a stream whose last run code has no value byte.
constexpr int32_t kRleTruncated = -1;

// Decodes packedLength bytes into destination, writing at most capacity
// bytes. Returns the number of bytes the stream describes: a result above
// capacity means the stream does not fit (nothing past capacity is written),
// kRleTruncated that the stream ends inside a run.
int32_t UnpackRle(const uint8_t* packed, size_t packedLength, uint8_t* destination,
                  size_t capacity);

// The encoder that UnpackRle inverts: runs where they save space, and every
// value of 100 or more as a run, a run of one included.
std::vector<uint8_t> PackRle(const uint8_t* data, size_t length);

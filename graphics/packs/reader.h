// The resource pack reader: one pack open at a time. Every user opens a pack,
// looks entries up, extracts them and closes it again before anybody else
// uses the reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/packs/format.h"

// 1 = the pack is unusable, 2 = a looked-up name was not found. Set on
// failure, never cleared.
extern int32_t PackError;

// Opens the pack (".dat" is appended to a name without any "."), checks its
// header and reads its directory. On failure PackError = 1 and no pack is
// open; the result tells whether the pack opened.
bool OpenPack(std::string_view name, uint16_t key);
bool PackIsOpen();
// Index 1..n of the first entry whose name contains the text, letter case
// ignored; 0 (and PackError = 2) when none does; 0 when no pack is open.
int FindEntry(std::string_view text);
uint8_t EntryAttribute(int index, uint8_t defaultValue);
// Reads, checks and decodes the entry into `out` (unpacked size + 4 bytes,
// the last four zero) and returns the unpacked size. An index outside the
// directory returns 0 and leaves `out` alone; an entry of an unknown method
// is refused the same way with PackError = 1. A damaged entry ends the
// program with a two-line message on standard output.
uint32_t ExtractEntry(int index, std::vector<uint8_t>& out);
void ClosePack();

// The directory of the open pack (the builder's listing and tests).
int PackEntryCount();
const PackDirectoryEntry* PackEntry(int index);

// Lets tests and fuzzers observe the end of the program on a damaged entry:
// while a handler is installed it receives the message (as written to
// standard output) instead, and must not return normally.
using PackAbortHandler = void (*)(const std::string& message);
void SetPackAbortHandler(PackAbortHandler handler);

// The reader's two failure messages (code page 866), for the given pack name
// and entry index.
std::string PackReadFailureMessage(std::string_view packName, int index);
std::string PackUnpackFailureMessage(std::string_view packName, int index);

// tervane-pack: creates, lists and extracts the game's resource packs.
//
//   tervane-pack create PACK [options] FILE [[options] FILE]...
//       -m METHOD   storage of the following files: 0 (stored), 1 (LZW),
//                   24/26/28 (delta-coded 16-bit samples, 4/6/8-bit codes),
//                   34/36/38 (the same behind a plain RIFF WAVE header);
//                   "stored" and "lzw" are accepted too. Default 1.
//       -a ATTR     attribute byte of the following files, or "auto" (the
//                   default: 1 for .jpg/.jpeg files, else 0)
//       -n NAME     entry name of the next file only (default: the file name
//                   without folder and extension); at most 13 characters
//       -k KEY      scramble the entries with KEY (a number, or "image" for
//                   the image packs' key 28411)
//   tervane-pack list PACK [-k KEY]
//   tervane-pack extract PACK DIR [-k KEY] [NAME...]
//       writes each entry (or the named ones) to DIR/NAME
//
// Entries keep the order of the command line: the game finds names by
// substring, so an entry must come before any entry whose name contains it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/packs/codec.h"
#include "graphics/packs/format.h"
#include "tools/packer/packwriter.h"

namespace {

const char kUsage[] =
    "usage: tervane-pack create PACK [-k KEY] {[-m METHOD] [-a ATTR|auto] [-n NAME] FILE}...\n"
    "       tervane-pack list PACK [-k KEY]\n"
    "       tervane-pack extract PACK DIR [-k KEY] [NAME...]\n";

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write " + path);
}

long ParseNumber(const std::string& text, long lowest, long highest, const char* what) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < lowest || value > highest) {
    throw std::invalid_argument(std::string("bad ") + what + ": " + text);
  }
  return value;
}

uint16_t ParseKey(const std::string& text) {
  if (text == "image") return kImagePackKey;
  return static_cast<uint16_t>(ParseNumber(text, 0, 65535, "key"));
}

uint8_t ParseMethod(const std::string& text) {
  if (text == "stored") return kMethodStored;
  if (text == "lzw") return kMethodLzw;
  auto method = static_cast<uint8_t>(ParseNumber(text, 0, 255, "method"));
  if (!IsKnownPackMethod(method)) throw std::invalid_argument("unknown method: " + text);
  return method;
}

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

struct ArgumentCursor {
  std::vector<std::string> arguments;
  size_t next = 0;
  bool Done() const { return next >= arguments.size(); }
  const std::string& Take(const char* what) {
    if (Done()) throw std::invalid_argument(std::string("missing ") + what);
    return arguments[next++];
  }
};

int Create(ArgumentCursor& cursor) {
  std::string packPath = cursor.Take("pack name");
  PackOptions options;
  std::vector<PackInput> inputs;
  uint8_t method = kMethodLzw;
  int attribute = -1;  // auto
  std::string nextName;
  while (!cursor.Done()) {
    std::string argument = cursor.Take("argument");
    if (argument == "-m") {
      method = ParseMethod(cursor.Take("method"));
    } else if (argument == "-a") {
      std::string value = cursor.Take("attribute");
      attribute = value == "auto" ? -1 : static_cast<int>(ParseNumber(value, 0, 255, "attribute"));
    } else if (argument == "-n") {
      nextName = cursor.Take("name");
    } else if (argument == "-k") {
      options.scrambled = true;
      options.key = ParseKey(cursor.Take("key"));
    } else {
      std::filesystem::path path(argument);
      PackInput input;
      input.name = nextName.empty() ? path.stem().string() : nextName;
      input.data = ReadFile(argument);
      input.method = input.data.empty() ? static_cast<uint8_t>(kMethodStored) : method;
      std::string extension = LowerExtension(path);
      input.attribute = static_cast<uint8_t>(
          attribute >= 0 ? attribute : (extension == ".jpg" || extension == ".jpeg" ? 1 : 0));
      inputs.push_back(std::move(input));
      nextName.clear();
    }
  }
  std::vector<uint8_t> pack = BuildPack(inputs, options);
  WriteFile(packPath, pack.data(), pack.size());
  return 0;
}

struct OpenedPack {
  std::vector<uint8_t> bytes;
  PackHeader header{};
  std::vector<PackDirectoryEntry> directory;
};

OpenedPack ReadPack(const std::string& path) {
  OpenedPack pack;
  pack.bytes = ReadFile(path);
  if (pack.bytes.size() < sizeof(PackHeader)) throw std::runtime_error(path + ": too short for a pack");
  std::memcpy(&pack.header, pack.bytes.data(), sizeof pack.header);
  if (pack.header.magic[0] != kPackMagic0 || pack.header.magic[1] != kPackMagic1 ||
      pack.header.fileSize != pack.bytes.size() || pack.header.count > kPackMaxEntries ||
      sizeof(PackHeader) + sizeof(PackDirectoryEntry) * pack.header.count > pack.bytes.size()) {
    throw std::runtime_error(path + ": not a usable pack");
  }
  pack.directory.resize(pack.header.count);
  std::memcpy(pack.directory.data(), pack.bytes.data() + sizeof(PackHeader),
              sizeof(PackDirectoryEntry) * pack.header.count);
  return pack;
}

const char* StatusText(PackDecodeStatus status) {
  switch (status) {
    case PackDecodeStatus::kOk: return "ok";
    case PackDecodeStatus::kUnknownMethod: return "unknown method";
    case PackDecodeStatus::kStoredChecksumMismatch: return "stored checksum differs (wrong key?)";
    case PackDecodeStatus::kUnpackFailed: return "cannot be unpacked";
    case PackDecodeStatus::kUnpackedChecksumMismatch: return "unpacked checksum differs";
  }
  return "?";
}

PackDecodeStatus Decode(const OpenedPack& pack, const PackDirectoryEntry& entry, uint16_t key,
                        std::vector<uint8_t>& out) {
  static LzwDictionary dictionary;
  uint64_t end = static_cast<uint64_t>(entry.offset) + entry.storedSize;
  if (end > pack.bytes.size()) return PackDecodeStatus::kStoredChecksumMismatch;
  std::vector<uint8_t> stored(pack.bytes.begin() + entry.offset, pack.bytes.begin() + static_cast<long>(end));
  return DecodePackEntry(entry, stored, pack.header.scrambled != 0, key, out, dictionary);
}

int List(ArgumentCursor& cursor) {
  OpenedPack pack = ReadPack(cursor.Take("pack name"));
  uint16_t key = 0;
  while (!cursor.Done()) {
    std::string argument = cursor.Take("argument");
    if (argument != "-k") throw std::invalid_argument("unexpected argument: " + argument);
    key = ParseKey(cursor.Take("key"));
  }
  std::printf("%d entries, %s\n", pack.header.count, pack.header.scrambled ? "scrambled" : "not scrambled");
  std::printf("%3s %-13s %6s %4s %10s %10s %10s  %s\n", "#", "name", "method", "attr", "offset", "stored",
              "unpacked", "check");
  int failures = 0;
  for (size_t i = 0; i < pack.directory.size(); ++i) {
    const PackDirectoryEntry& entry = pack.directory[i];
    std::vector<uint8_t> out;
    PackDecodeStatus status = Decode(pack, entry, key, out);
    failures += status != PackDecodeStatus::kOk;
    std::printf("%3zu %-13s %6u %4u %10u %10u %10u  %s\n", i + 1, EntryName(entry).c_str(), entry.method,
                entry.attribute, entry.offset, entry.storedSize, entry.unpackedSize, StatusText(status));
  }
  return failures == 0 ? 0 : 1;
}

int Extract(ArgumentCursor& cursor) {
  OpenedPack pack = ReadPack(cursor.Take("pack name"));
  std::filesystem::path folder(cursor.Take("folder"));
  uint16_t key = 0;
  std::vector<std::string> wanted;
  while (!cursor.Done()) {
    std::string argument = cursor.Take("argument");
    if (argument == "-k") {
      key = ParseKey(cursor.Take("key"));
    } else {
      wanted.push_back(argument);
    }
  }
  std::filesystem::create_directories(folder);
  for (const PackDirectoryEntry& entry : pack.directory) {
    std::string name = EntryName(entry);
    if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), name) == wanted.end()) continue;
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
      throw std::runtime_error("entry name unusable as a file name: " + name);
    }
    std::vector<uint8_t> out;
    PackDecodeStatus status = Decode(pack, entry, key, out);
    if (status != PackDecodeStatus::kOk) throw std::runtime_error(name + ": " + StatusText(status));
    WriteFile((folder / name).string(), out.data(), entry.unpackedSize);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ArgumentCursor cursor{std::vector<std::string>(argv + 1, argv + argc)};
  try {
    std::string command = cursor.Take("command");
    if (command == "create") return Create(cursor);
    if (command == "list") return List(cursor);
    if (command == "extract") return Extract(cursor);
    std::fputs(kUsage, stderr);
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tervane-pack: %s\n%s", error.what(), kUsage);
    return 2;
  }
}

#include "platform/icon.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/files.h"

namespace platform {
namespace {

uint32_t Read16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

constexpr int kMaxIconSide = 256;

struct DirectoryEntry {
  int width;
  int height;
  uint32_t size;
  uint32_t offset;
};

// Picks the entry whose size is nearest to 32 x 32.
bool ChooseEntry(const uint8_t* data, size_t size, DirectoryEntry& chosen) {
  if (size < 6 || Read16(data) != 0 || Read16(data + 2) != 1) return false;
  uint32_t count = Read16(data + 4);
  if (count == 0 || 6 + static_cast<size_t>(count) * 16 > size) return false;
  int bestDistance = 1 << 30;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + 6 + i * 16;
    DirectoryEntry candidate{entry[0] == 0 ? 256 : entry[0], entry[1] == 0 ? 256 : entry[1],
                             Read32(entry + 8), Read32(entry + 12)};
    int distance = std::abs(candidate.width - 32) + std::abs(candidate.height - 32);
    if (distance < bestDistance) {
      bestDistance = distance;
      chosen = candidate;
    }
  }
  return chosen.offset < size && chosen.size <= size - chosen.offset;
}

size_t RowBytes(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

uint32_t PixelIndex(const uint8_t* row, int x, int bits) {
  switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF;
    default: return row[x];
  }
}

}  // namespace

bool DecodeIcon(const uint8_t* data, size_t size, IconImage& image) {
  DirectoryEntry entry{};
  if (!ChooseEntry(data, size, entry)) return false;
  const uint8_t* header = data + entry.offset;
  size_t available = entry.size;
  if (available < 40 || Read32(header) < 40) return false;
  int width = static_cast<int32_t>(Read32(header + 4));
  int doubledHeight = static_cast<int32_t>(Read32(header + 8));
  int bits = static_cast<int>(Read16(header + 14));
  uint32_t compression = Read32(header + 16);
  int height = doubledHeight / 2;
  if (compression != 0 || width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;

  size_t headerSize = Read32(header);
  size_t paletteEntries = bits <= 8 ? (Read32(header + 32) != 0 ? Read32(header + 32) : (1u << bits)) : 0;
  if (paletteEntries > 256) return false;
  size_t colourRow = RowBytes(width, bits);
  size_t maskRow = RowBytes(width, 1);
  size_t paletteOffset = headerSize;
  size_t pixelOffset = paletteOffset + paletteEntries * 4;
  size_t maskOffset = pixelOffset + colourRow * height;
  bool hasMask = maskOffset + maskRow * height <= available;
  if (headerSize > available || maskOffset > available) return false;

  image.width = width;
  image.height = height;
  image.argb.assign(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = header + pixelOffset + colourRow * (height - 1 - y);
    const uint8_t* mask = header + maskOffset + maskRow * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t alpha = 0xFF;
      uint32_t rgb;
      if (bits <= 8) {
        uint32_t index = PixelIndex(row, x, bits);
        if (index >= paletteEntries) return false;
        const uint8_t* colour = header + paletteOffset + index * 4;
        rgb = colour[2] << 16 | colour[1] << 8 | colour[0];
      } else {
        const uint8_t* pixel = row + x * (bits / 8);
        rgb = pixel[2] << 16 | pixel[1] << 8 | pixel[0];
        if (bits == 32) alpha = pixel[3];
      }
      if (hasMask && bits != 32 && ((mask[x / 8] >> (7 - x % 8)) & 1)) alpha = 0;
      image.argb[static_cast<size_t>(y) * width + x] = alpha << 24 | rgb;
    }
  }
  return true;
}

bool SetWindowIconFromFile(SDL_Window* window, const std::string& gameName) {
  std::vector<uint8_t> bytes;
  IconImage image;
  if (window == nullptr || !TryReadWholeFile(gameName, bytes)) return false;
  if (!DecodeIcon(bytes.data(), bytes.size(), image)) return false;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      image.argb.data(), image.width, image.height, 32, image.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return false;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
  return true;
}

}  // namespace platform

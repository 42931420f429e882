#include "graphics/image.h"

#include <cctype>
#include <vector>

#include "graphics/bmp.h"
#include "graphics/graphics_host.h"
#include "graphics/jpeg.h"
#include "graphics/packs/reader.h"
#include "platform/bitmap.h"
#include "platform/files.h"

namespace {

bool HasExtension(std::string_view name) { return name.size() >= 4 && name[name.size() - 4] == '.'; }

std::string FormatTag(std::string_view name) {
  std::string tag(name.substr(name.size() - 3));
  for (char& c : tag) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tag;
}

[[noreturn]] void PictureNotFound(std::string_view name) { GraphicsFatalError("Image not found: " + std::string(name)); }
[[noreturn]] void DamagedPicture(std::string_view name) { GraphicsFatalError("Damaged image: " + std::string(name)); }

// Reads the entry of a name (with its extension) from its pack; the
// attribute decides the format. Failures name the picture as it was asked for.
void ReadFromPack(std::string_view askedName, std::string_view name, std::vector<uint8_t>& data,
                  std::string& tag) {
  if (!OpenPack(ImagePackName(name), kImagePackKey)) PictureNotFound(askedName);
  int index = FindEntry(ImageEntryName(name));
  if (index == 0) {
    ClosePack();
    PictureNotFound(askedName);
  }
  tag = EntryAttribute(index, 0) == 1 ? "JPG" : "BMP";
  std::vector<uint8_t> buffer;
  uint32_t size = ExtractEntry(index, buffer);
  ClosePack();
  if (buffer.empty()) PictureNotFound(askedName);  // refused by the reader
  data.assign(buffer.begin(), buffer.begin() + size);
}

// A new surface of the picture's size, locked for writing.
struct LockedSurface {
  SurfaceRef surface;
  uint16_t* pixels = nullptr;
  int pitchPixels = 0;
};

LockedSurface CreateLocked(int width, int height) {
  LockedSurface result;
  result.surface = CreateOffscreen(width, height);
  int pitch = 0;
  if (!result.surface || result.surface->Lock(result.pixels, pitch) != platform::DD_OK) {
    GraphicsFatalError("Error in loadsurface");
  }
  result.pitchPixels = pitch / 2;
  return result;
}

SurfaceRef FromRgb(const platform::RgbPicture& picture) {
  LockedSurface target = CreateLocked(picture.width, picture.height);
  ConvertRgbPixels(picture, target.pixels, target.pitchPixels);
  target.surface->Unlock();
  return target.surface;
}

SurfaceRef LoadJpeg(std::string_view name, const std::vector<uint8_t>& data) {
  platform::RgbPicture picture;
  if (!DecodeJpeg(data.data(), data.size(), picture)) DamagedPicture(name);
  HostOfGraphics().KeepWindowAlive();
  return FromRgb(picture);
}

SurfaceRef LoadBmp(std::string_view name, const std::vector<uint8_t>& data) {
  BmpLayout layout;
  BmpKind kind = ReadBmpLayout(data.data(), data.size(), layout);
  if (kind == BmpKind::kDamaged) DamagedPicture(name);
  HostOfGraphics().KeepWindowAlive();
  if (kind == BmpKind::kDirect) {
    LockedSurface target = CreateLocked(layout.width, layout.height);
    ConvertBmpPixels(data.data(), layout, target.pixels, target.pitchPixels);
    target.surface->Unlock();
    return target.surface;
  }
  // Other depths: the platform reads the bitmap and the copy converts it.
  platform::RgbPicture picture;
  if (!platform::ConvertBitmapToRgb(data.data(), data.size(), picture) || picture.width > kMaxPictureSide ||
      picture.height > kMaxPictureSide) {
    GraphicsFatalError("Error in loadsurface");
  }
  SurfaceRef surface = FromRgb(picture);
  HostOfGraphics().KeepWindowAlive();
  return surface;
}

}  // namespace

std::string ImagePackName(std::string_view name) {
  size_t slash = name.find('\\');
  if (slash == std::string_view::npos) return "game.dat";
  return std::string(name.substr(0, slash)) + "\\graphics.dat";
}

std::string ImageEntryName(std::string_view name) {
  size_t slash = name.find('\\');
  std::string_view entry = slash == std::string_view::npos ? name : name.substr(slash + 1);
  return std::string(entry.substr(0, entry.size() >= 4 ? entry.size() - 4 : 0));
}

SurfaceRef LoadImage(std::string_view name) {
  std::string full(name);
  if (!HasExtension(full)) {
    if (platform::FileExists(full + ".jpg")) {
      full += ".jpg";
    } else if (platform::FileExists(full + ".bmp")) {
      full += ".bmp";
    } else {
      full += ".dat";
    }
  }
  std::string tag = FormatTag(full);
  std::vector<uint8_t> data;
  // Messages name a loose file by its own name, and a picture from a pack
  // as the game asked for it.
  std::string shownName = full;
  if (platform::FileExists(full)) {
    data = platform::ReadWholeFile(full);
  } else {
    shownName = name;
    ReadFromPack(shownName, full, data, tag);
  }
  if (tag == "JPG") return LoadJpeg(shownName, data);
  if (tag == "BMP") return LoadBmp(shownName, data);
  GraphicsFatalError("Unknown image format");
}

bool ImageExists(std::string_view name) {
  std::string full(name);
  if (platform::FileExists(full + ".jpg") || platform::FileExists(full + ".bmp")) return true;
  if (!OpenPack(ImagePackName(full + ".dat"), kImagePackKey)) return false;
  bool found = FindEntry(ImageEntryName(full + ".dat")) != 0;
  ClosePack();
  return found;
}

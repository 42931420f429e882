#include "screens/main_status_line.h"

#include "graphics/pixelops.h"
#include "graphics/textsurface.h"
#include "shell/mainloop.h"

namespace {

constexpr int kTextCentreX = 200;
constexpr int kTextTop = 8;
constexpr int kTextHeight = 28;
constexpr int kTextWeight = 100;
constexpr uint16_t kEmpty = 0;

// The pixel rows of a locked picture.
struct PicturePixels {
  uint16_t* pixels;
  int pitchPixels;
  uint16_t& At(int x, int y) const { return pixels[static_cast<size_t>(y) * pitchPixels + x]; }
};

// Every drawn pixel casts the shade on the empty pixel to its right and the
// one below it, in one pass in row order over the picture's inner pixels.
void CastShadow(const PicturePixels& p, uint16_t shade) {
  for (int y = 1; y <= kStatusPictureHeight - 2; ++y) {
    for (int x = 1; x <= kStatusPictureWidth - 2; ++x) {
      uint16_t pixel = p.At(x, y);
      if (pixel == kEmpty || pixel == shade) continue;
      if (p.At(x + 1, y) == kEmpty) p.At(x + 1, y) = shade;
      if (p.At(x, y + 1) == kEmpty) p.At(x, y + 1) = shade;
    }
  }
}

// Every drawn pixel gets the outline colour on its empty neighbours, the
// diagonal ones included, in one pass in row order.
void DrawOutline(const PicturePixels& p, uint16_t outline) {
  for (int y = 1; y <= kStatusPictureHeight - 2; ++y) {
    for (int x = 1; x <= kStatusPictureWidth - 2; ++x) {
      uint16_t pixel = p.At(x, y);
      if (pixel == kEmpty || pixel == outline) continue;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (p.At(x + dx, y + dy) == kEmpty) p.At(x + dx, y + dy) = outline;
        }
      }
    }
  }
}

// The text in the platform's font; the shared font settings are left as the
// rest of the game expects them ("Times New Roman").
void DrawStatusText(Surface& picture, const std::string& text) {
  uint32_t colour = DrawColour;
  int32_t weight = FontWeight;
  uint32_t back = TextBackColour;
  FaceName = "Arial";
  FontWeight = kTextWeight;
  DrawColour = platform::RGB(255, 255, 190);
  TextBackColour = 0;
  DrawPlatformText(picture, kTextCentreX, kTextTop, true, text, kTextHeight);
  FaceName = "Times New Roman";
  FontWeight = weight;
  DrawColour = colour;
  TextBackColour = back;
}

}  // namespace

SurfaceRef MakeStatusPicture(const std::string& text) {
  SurfaceRef picture = CreateOffscreen(kStatusPictureWidth, kStatusPictureHeight);
  picture->SetColorKey(kEmpty, kEmpty);
  FillRect(*picture, platform::Rect{0, 0, kStatusPictureWidth, kStatusPictureHeight}, kEmpty);
  DrawStatusText(*picture, text);
  PicturePixels p{nullptr, 0};
  int pitch = 0;
  if (picture->Lock(p.pixels, pitch) != platform::DD_OK) return picture;
  p.pitchPixels = pitch / 2;
  CastShadow(p, PackColour(140, 140, 0));
  DrawOutline(p, PackColour(8, 8, 8));
  picture->Unlock();
  return picture;
}

void StatusLineCache::Draw(Surface& frame, const std::string& text) {
  FaceName = "Times New Roman";
  if (shown_ < 0 || entries_[shown_].text != text) {
    shown_ = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].text == text) shown_ = static_cast<int>(i);
    }
    if (shown_ < 0) {
      if (Entries() >= kStatusCacheEntries) FatalExit("Out of message buffer");
      entries_.push_back(Entry{text, MakeStatusPicture(text)});
      shown_ = Entries() - 1;
    }
  }
  CopySurface(frame, kStatusLineX, kStatusLineY, *entries_[shown_].picture, kCopyKeyed);
}

void StatusLineCache::Clear() {
  entries_.clear();
  shown_ = -1;
}

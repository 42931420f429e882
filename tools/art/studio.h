// Collects the finished pictures and writes them as files: BMP for pictures
// drawn with black as transparent colour and for small ones, JPEG for large
// painted pictures, each under its screen folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/art/canvas.h"
#include "tools/art/layout.h"
#include "tools/art/text.h"

namespace art {

enum class FileKind { kBmp, kKeyedBmp, kJpeg, kIcon, kPng };

struct Picture {
  std::string path;  // relative to the output folder, with extension
  FileKind kind;
  Canvas canvas;
};

class Studio {
 public:
  Studio(std::string contentDir, const Faces& faces) : contentDir_(std::move(contentDir)), faces_(faces) {}

  const Faces& faces() const { return faces_; }
  const std::string& contentDir() const { return contentDir_; }
  std::vector<ButtonSpec> Buttons(const std::string& folder) const;
  std::pair<int, int> WindowSize(const std::string& folder) const;

  // name without extension; the kind chooses it.
  void Add(const std::string& folder, const std::string& name, FileKind kind, Canvas canvas);
  void WriteAll(const std::string& outputDir) const;

 private:
  std::string contentDir_;
  const Faces& faces_;
  std::vector<Picture> pictures_;
};

// The hover and pressed pictures ("butN", "prbutN") of every button of a
// screen. With a background the normal faces are painted into it at the
// buttons' places; without one they become default pictures ("defbutN").
// Buttons with an empty rectangle (never hit) get one-pixel placeholders, as
// the game loads a hover picture for every button.
// A face maker paints button index (1-based) in a state; by default the
// bevelled face with the label of the layout.
enum class ButtonState;
using FaceMaker = std::function<Canvas(const ButtonSpec&, ButtonState, int index)>;
void AddButtonPictures(Studio& studio, const std::string& folder,
                       const std::vector<ButtonSpec>& buttons, Canvas* background,
                       uint32_t seed, const FaceMaker& maker = nullptr);

}  // namespace art

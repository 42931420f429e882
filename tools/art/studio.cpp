#include "tools/art/studio.h"

#include "tools/art/encoders.h"
#include "tools/art/widgets.h"
#include "tools/common/output_file.h"

namespace art {

std::vector<ButtonSpec> Studio::Buttons(const std::string& folder) const {
  return ReadButtons(contentDir_ + "/" + folder + "/buttons.inf");
}

std::pair<int, int> Studio::WindowSize(const std::string& folder) const {
  return ReadWindowSize(contentDir_ + "/" + folder + "/size.inf");
}

void Studio::Add(const std::string& folder, const std::string& name, FileKind kind, Canvas canvas) {
  const char* extension = kind == FileKind::kJpeg   ? ".jpg"
                          : kind == FileKind::kIcon ? ".ico"
                          : kind == FileKind::kPng  ? ".png"
                                                    : ".bmp";
  std::string path = folder.empty() ? name + extension : folder + "/" + name + extension;
  pictures_.push_back({path, kind, std::move(canvas)});
}

void Studio::WriteAll(const std::string& outputDir) const {
  for (const Picture& picture : pictures_) {
    std::vector<uint8_t> bytes;
    switch (picture.kind) {
      case FileKind::kBmp: bytes = EncodeBmp(picture.canvas, false); break;
      case FileKind::kKeyedBmp: bytes = EncodeBmp(picture.canvas, true); break;
      case FileKind::kJpeg: bytes = EncodeJpeg(picture.canvas, 92); break;
      case FileKind::kIcon: bytes = EncodeIco(picture.canvas); break;
      case FileKind::kPng: bytes = EncodePng(picture.canvas, true); break;
    }
    toolkit::WriteWholeFile(outputDir + "/" + picture.path, bytes);
  }
}

void AddButtonPictures(Studio& studio, const std::string& folder,
                       const std::vector<ButtonSpec>& buttons, Canvas* background,
                       uint32_t seed, const FaceMaker& maker) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ButtonSpec& button = buttons[i];
    const std::string number = std::to_string(i + 1);
    if (button.rect.width <= 0 || button.rect.height <= 0) {
      studio.Add(folder, "but" + number, FileKind::kBmp, Canvas(1, 1));
      studio.Add(folder, "prbut" + number, FileKind::kBmp, Canvas(1, 1));
      if (!background) studio.Add(folder, "defbut" + number, FileKind::kBmp, Canvas(1, 1));
      continue;
    }
    const uint32_t faceSeed = seed + static_cast<uint32_t>(i) * 17;
    auto face = [&](ButtonState state) {
      if (maker) return maker(button, state, static_cast<int>(i) + 1);
      return ButtonFace(studio.faces(), button.rect.width, button.rect.height, button.label, state,
                        faceSeed);
    };
    studio.Add(folder, "but" + number, FileKind::kBmp, face(ButtonState::kHover));
    studio.Add(folder, "prbut" + number, FileKind::kBmp, face(ButtonState::kPressed));
    if (background) {
      background->Draw(face(ButtonState::kNormal), button.rect.x, button.rect.y);
    } else {
      studio.Add(folder, "defbut" + number, FileKind::kBmp, face(ButtonState::kNormal));
    }
  }
}

}  // namespace art

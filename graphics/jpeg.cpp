#include "graphics/jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "graphics/bmp.h"
#include "graphics/pixelops.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void LeaveOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void IgnoreMessage(j_common_ptr) {}

// Damaged progressive data can ask for endless scans; a picture of the game
// never needs more than a few.
constexpr long kMaxScans = 1000;
void LimitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) LeaveOnError(info);
}

// Kept free of objects with destructors: an error jumps back to the setjmp.
bool Decompress(jpeg_decompress_struct& info, ErrorManager& errors, const uint8_t* data, size_t size,
                platform::RgbPicture& picture) {
  if (setjmp(errors.jump) != 0) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxPictureSide || info.image_height > kMaxPictureSide) return false;
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_IFAST;
  info.do_fancy_upsampling = FALSE;
  info.do_block_smoothing = FALSE;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.rgb.data() + static_cast<size_t>(info.output_scanline) * picture.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, platform::RgbPicture& picture) {
  if (size == 0) return false;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = LeaveOnError;
  errors.base.output_message = IgnoreMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitScans;
  info.progress = &progress;
  picture.rgb.clear();
  bool ok = Decompress(info, errors, data, size, picture);
  jpeg_destroy_decompress(&info);
  if (!ok) picture = {};
  return ok;
}

void ConvertRgbPixels(const platform::RgbPicture& picture, uint16_t* destination, int pitchPixels) {
  const uint8_t* source = picture.rgb.data();
  for (int y = 0; y < picture.height; ++y) {
    uint16_t* line = destination + static_cast<ptrdiff_t>(y) * pitchPixels;
    for (int x = 0; x < picture.width; ++x, source += 3) line[x] = PackColour(source[0], source[1], source[2]);
  }
}

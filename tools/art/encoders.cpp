#include "tools/art/encoders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <zlib.h>

#include "tools/common/output_file.h"

namespace art {

using toolkit::PutU16;
using toolkit::PutU32;

std::vector<uint8_t> EncodeBmp(const Canvas& canvas, bool keyed) {
  const int width = canvas.Width(), height = canvas.Height();
  const int rowBytes = (width * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height);
  std::vector<uint8_t> rgb = canvas.Rgb8(keyed);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutU32(out, 14 + 40 + dataSize);
  PutU32(out, 0);
  PutU32(out, 14 + 40);
  PutU32(out, 40);  // BITMAPINFOHEADER
  PutU32(out, static_cast<uint32_t>(width));
  PutU32(out, static_cast<uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);  // no compression
  PutU32(out, dataSize);
  PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = &rgb[static_cast<size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      out.push_back(row[x * 3 + 2]);
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3 + 0]);
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality) {
  std::vector<uint8_t> rgb = canvas.Rgb8(false);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(canvas.Width());
  info.image_height = static_cast<JDIMENSION>(canvas.Height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.dct_method = JDCT_ISLOW;  // integer DCT: the same bytes on every machine
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<size_t>(info.next_scanline) * canvas.Width() * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::vector<uint8_t> EncodeIco(const Canvas& canvas) {
  const int width = canvas.Width(), height = canvas.Height();
  std::vector<uint8_t> rgb = canvas.Rgb8(false);
  const int maskRowBytes = ((width + 31) / 32) * 4;
  std::vector<uint8_t> image;
  PutU32(image, 40);
  PutU32(image, static_cast<uint32_t>(width));
  PutU32(image, static_cast<uint32_t>(height * 2));  // colour rows + mask rows
  PutU16(image, 1);
  PutU16(image, 32);
  PutU32(image, 0);
  PutU32(image, static_cast<uint32_t>(width * height * 4 + maskRowBytes * height));
  for (int i = 0; i < 4; ++i) PutU32(image, 0);
  auto transparent = [&](int x, int y) {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  };
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      image.push_back(p[2]);
      image.push_back(p[1]);
      image.push_back(p[0]);
      image.push_back(transparent(x, y) ? 0 : 255);
    }
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(maskRowBytes), 0);
    for (int x = 0; x < width; ++x) {
      if (transparent(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    image.insert(image.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> out;
  PutU16(out, 0);
  PutU16(out, 1);  // icon
  PutU16(out, 1);  // one image
  out.push_back(static_cast<uint8_t>(width));
  out.push_back(static_cast<uint8_t>(height));
  out.push_back(0);
  out.push_back(0);
  PutU16(out, 1);
  PutU16(out, 32);
  PutU32(out, static_cast<uint32_t>(image.size()));
  PutU32(out, 6 + 16);
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

namespace {

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBigEndian32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBigEndian32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

}  // namespace

std::vector<uint8_t> EncodePng(const Canvas& canvas, bool blackTransparent) {
  const int width = canvas.Width(), height = canvas.Height();
  const int channels = blackTransparent ? 4 : 3;
  std::vector<uint8_t> rgb = canvas.Rgb8(false);
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      raw.insert(raw.end(), p, p + 3);
      if (blackTransparent) raw.push_back((p[0] | p[1] | p[2]) ? 255 : 0);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
    toolkit::Fail("cannot compress a PNG picture");
  }
  packed.resize(packedSize);

  std::vector<uint8_t> header;
  PutBigEndian32(header, static_cast<uint32_t>(width));
  PutBigEndian32(header, static_cast<uint32_t>(height));
  header.push_back(8);
  header.push_back(channels == 4 ? 6 : 2);
  header.push_back(0);
  header.push_back(0);
  header.push_back(0);
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> out(kSignature, kSignature + 8);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace art

// PNG writing with zlib (see GrayPng.h): signature, IHDR, one IDAT, IEND.
#include "zazorazari/interchange/GrayPng.h"

#include <zlib.h>

#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

void AppendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

void AppendChunk(std::string& out, const char* type, const std::string& data) {
  AppendBigEndian(out, static_cast<uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  AppendBigEndian(out, static_cast<uint32_t>(
                           crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

}  // namespace

std::string GrayPng(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height) {
  std::string header;
  AppendBigEndian(header, width);
  AppendBigEndian(header, height);
  header += std::string{8, 0, 0, 0, 0};  // bit depth 8, greyscale, deflate, no filter, no interlace

  std::string rows;
  rows.reserve(static_cast<size_t>(height) * (width + 1));
  for (uint32_t y = 0; y < height; ++y) {
    rows += '\0';  // filter type none
    rows.append(reinterpret_cast<const char*>(pixels.data()) + static_cast<size_t>(y) * width, width);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw RuntimeError(errOverflow);  // only a failed allocation makes it fail
  }
  packed.resize(packedSize);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", "");
  return png;
}

}  // namespace zazorazari::interchange

// QR codes with libqrencode (see TaskQrCode.h): byte mode (the text is
// UTF-8), error correction level M, which phones read off a projected or
// printed briefing sheet; four modules of quiet zone around it.
#include "zazorazari/interchange/TaskQrCode.h"

#include <qrencode.h>

#include <memory>
#include <vector>

#include "zazorazari/interchange/GrayPng.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr int kQuietModules = 4;
constexpr int kPixelsPerModule = 8;

struct QrDeleter {
  void operator()(QRcode* code) const { QRcode_free(code); }
};

// Dark modules as a square grid including the quiet zone.
class QrModules {
 public:
  explicit QrModules(const std::string& text) {
    std::unique_ptr<QRcode, QrDeleter> code(QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M));
    if (!code) {
      throw PlacedError(errInvalidProcedureCall, "QR code",
                        "the task is too long for one QR code (" + std::to_string(text.size()) + " bytes)");
    }
    m_size = code->width + 2 * kQuietModules;
    m_dark.assign(static_cast<size_t>(m_size * m_size), false);
    for (int y = 0; y < code->width; ++y) {
      for (int x = 0; x < code->width; ++x) {
        m_dark[static_cast<size_t>((y + kQuietModules) * m_size + x + kQuietModules)] =
            (code->data[y * code->width + x] & 1) != 0;
      }
    }
  }
  int Size() const { return m_size; }
  bool Dark(int x, int y) const { return m_dark[static_cast<size_t>(y * m_size + x)]; }

 private:
  int m_size = 0;
  std::vector<bool> m_dark;
};

}  // namespace

std::string QrCodeSvg(const std::string& text) {
  const QrModules modules(text);
  const std::string size = std::to_string(modules.Size());
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "viewBox=\"0 0 " + size + " " + size + "\" width=\"" + std::to_string(modules.Size() * 4) +
                    "mm\" height=\"" + std::to_string(modules.Size() * 4) + "mm\" shape-rendering=\"crispEdges\">\n"
                    "<rect width=\"" + size + "\" height=\"" + size + "\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"";
  // One horizontal run of dark modules per path piece.
  for (int y = 0; y < modules.Size(); ++y) {
    for (int x = 0; x < modules.Size();) {
      if (!modules.Dark(x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < modules.Size() && modules.Dark(end, y)) ++end;
      svg += "M" + std::to_string(x) + " " + std::to_string(y) + "h" + std::to_string(end - x) + "v1h-" +
             std::to_string(end - x) + "z";
      x = end;
    }
  }
  return svg + "\"/>\n</svg>\n";
}

std::string QrCodePng(const std::string& text) {
  const QrModules modules(text);
  const auto side = static_cast<uint32_t>(modules.Size() * kPixelsPerModule);
  std::vector<uint8_t> pixels(static_cast<size_t>(side) * side);
  for (uint32_t y = 0; y < side; ++y) {
    for (uint32_t x = 0; x < side; ++x) {
      pixels[static_cast<size_t>(y) * side + x] =
          modules.Dark(static_cast<int>(x) / kPixelsPerModule, static_cast<int>(y) / kPixelsPerModule) ? 0 : 255;
    }
  }
  return GrayPng(pixels, side, side);
}

}  // namespace zazorazari::interchange

// A QR code of a text (the compact task form instruments scan) as SVG or
// PNG, with libqrencode.
#pragma once

#include <string>

namespace zazorazari::interchange {

std::string QrCodeSvg(const std::string& text);
std::string QrCodePng(const std::string& text);

}  // namespace zazorazari::interchange

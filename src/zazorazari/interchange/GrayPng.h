// A greyscale image as PNG bytes (8 bits a pixel, zlib-compressed rows).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zazorazari::interchange {

// `pixels` holds width * height values, row after row, 0 black, 255 white.
std::string GrayPng(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height);

}  // namespace zazorazari::interchange

// Geographic to UTM grid conversion for turnpoints that arrive with latitude
// and longitude only: WGS 84, 6-degree zones with the Norway and Svalbard
// exceptions, latitude band letters.
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

// Projects decimal degrees (north and east positive) to whole-metre UTM
// coordinates; vntZoneLetter receives GetUTMBandLetter(dblLat) as text.
// Latitudes outside the UTM range are projected all the same. Returns true;
// a floating-point fault fails with 6 and leaves the outputs untouched.
bool ConvertLatLongToUTM(double dblLat, double dblLong, double& dblNorthing, double& dblEasting,
                         int16_t& intZone, Variant& vntZoneLetter);

// The 8-degree band letter "C".."X" (X spans 72 to 84 inclusive), "Z" outside
// -80 to 84.
std::string GetUTMBandLetter(double dblLat);

}  // namespace zazorazari
#pragma GCC visibility pop

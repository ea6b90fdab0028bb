#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/CellPicture.h"
#include "console/PngReader.h"

// The PNG file WriteCellPicturePng makes of rows, kept in png and decoded
// again with libpng into picture; false with the reason in why.
bool DrawPicture(const TCellRows& rows, const TCellLook& look, std::vector<uint8_t>& png,
                 TPngPixels& picture, std::string& why);

// The pixels in which two pictures differ in colour (alpha aside); every
// pixel of the larger when their sizes differ.
long DifferingPixels(const TPngPixels& a, const TPngPixels& b);

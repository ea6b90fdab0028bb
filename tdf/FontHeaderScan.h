#pragma once

#include <vector>

#include "tdf/FontFileAccess.h"
#include "tdf/TdfFormat.h"
#include "util/Files.h"

// Appends a record for every font that follows the signature of a font
// file, reading headers only: bundles hold thousands of fonts in megabytes of
// glyphs. A 213-byte block without a valid marker is skipped whole (there is
// no search for the next header). A header cut off by the end of the file
// ends the list (files often carry a metadata record or a stray byte after
// their last font); so do offsets that no longer fit a font record.
void ScanFontHeaders(TFontSource& source, std::vector<TFontRecord>& fonts);
// The same for an open font file.
void ScanFontHeaders(TFileHandle& file, std::vector<TFontRecord>& fonts);

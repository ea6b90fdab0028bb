#pragma once

#include <string>
#include <vector>

#include "app/cli/CliArgs.h"
#include "tdf/FontCollection.h"

// What brixel-cli fonts makes of a collection besides its listing.

// The contact sheet of fonts (pointers into collection) drawn with text
// (UTF-8), written to path as one PNG picture streamed band by band; the
// options --width, --palette, --color and --outline-style of args shape it.
// Failures are reported as the command's.
bool WriteContactSheet(const TCliCommand& command, const TCliArgs& args,
                       const TFontCollection& collection, std::vector<const TCollectedFont*> fonts,
                       const std::string& path, const std::string& text);

// The groups of fonts that draw alike (DuplicateFonts), only among fonts
// (pointers into collection): as text, a group's fonts one a line and a
// blank line between groups; as JSON, an array of groups with their type,
// spacing, glyph count and fonts.
std::string DuplicatesText(const TFontCollection& collection,
                           const std::vector<const TCollectedFont*>& fonts);
std::string DuplicatesJson(const TFontCollection& collection,
                           const std::vector<const TCollectedFont*>& fonts);

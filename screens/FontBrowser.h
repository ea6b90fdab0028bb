#pragma once

#include <string>

#include "console/TextConsole.h"
#include "screens/FontLook.h"

// What the font browser lists and how it shows the highlighted font.
struct TFontBrowserSettings {
  std::string Root;  // the folder tree whose fonts are listed
  TSample Sample;    // drawn in the highlighted font above the list
  TFontLook Look;
};

// On con: every font of every font file under Root in one list, "name [type] file",
// with the sample drawn in the highlighted font above it. F3 keeps only the
// fonts that have every character of the text; typing searches the names.
// Each highlighted font is drawn from a font value of the browser's own. The
// list starts on font shownFont of shownFile when it is listed. True when a
// font was chosen with Enter: its file and number; false for Esc and for a
// tree without fonts (which is said in a message box).
bool ChooseFontInFolder(TTextConsole& con, const TFontBrowserSettings& settings,
                        const std::string& shownFile, int shownFont, std::string& file,
                        int& number);

#pragma once

#include <cstdint>
#include <string>

#include "screens/FontLook.h"
#include "tdf/CellBlock.h"
#include "tdf/FontFile.h"

// Settings of the shell that the command loop reads and changes; they live
// for the whole run. Strings hold code-page-437 bytes.
extern std::string ConfigFile;    // "brixel.ini" next to the program
extern std::string FontPath;      // where the Load, Merge and Create dialogs open
extern std::string StartDir;      // working directory of the process
extern std::string LastFontFile;  // the font file the shell loaded; reloaded after every change
// The font the main screen shows: LastFontFile, loaded. Screens that show
// other fonts keep values of their own.
extern TFontFile ShellFont;
extern uint8_t OutlineStyle;      // the style Outline fonts are drawn in (0..18)
extern std::string DialogResult;  // last file name or text a dialog or prompt returned
extern std::string DisplayText;   // sample text drawn with the current font
extern uint8_t TextX;
extern uint8_t TextY;
extern int16_t BlockColor;  // colour of Block fonts, kept in 1..15
extern uint8_t StatusAttr;  // status line (row 1) and prompt row (row 25)
extern uint8_t IdleAttr;    // set just before the loop waits for a key
extern bool KeepScreen;     // the next pass keeps the screen and skips the sample text

// The folder each kind of file dialog last returned a file from; empty until
// then. Art starts from brixel.ini, the others are kept for this run only.
struct TDialogFolders {
  std::string Fonts;
  std::string Art;
  std::string Screens;
};
extern TDialogFolders LastFolders;
// The glyph editor's block clipboard: kept from one glyph, and one font, to the next.
extern TGlyphPiece GlyphClipboard;

constexpr char kDefaultDisplayText[] = "Sample";

// The settings as the screens take them: BlockColor and OutlineStyle with
// StatusAttr; DisplayText at TextX, TextY.
TFontLook ShellFontLook();
TSample ShellSample();

// Puts every setting back to its start value (start-up and tests).
void ResetShellState();

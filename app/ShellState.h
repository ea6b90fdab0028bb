#pragma once

#include <cstdint>
#include <string>

#include "console/TextConsole.h"
#include "screens/FontLook.h"
#include "tdf/CellBlock.h"
#include "tdf/FontFile.h"
#include "util/Files.h"

// The folder each kind of file dialog last returned a file from; empty until
// then. Art starts from brixel.ini, the others are kept for this run only.
struct TDialogFolders {
  std::string Fonts;
  std::string Art;
  std::string Screens;
};

constexpr char kDefaultDisplayText[] = "Sample";

// The shell: the console it works on, its one font file and the settings the
// command loop reads and changes, for the whole run. Made once by the
// window program and handed to every command. Strings hold code-page-437
// bytes.
struct TShell {
  explicit TShell(TTextConsole& con) : Con(con) {}

  TTextConsole& Con;
  std::string ConfigFile;  // the settings file the shell writes
  std::string FontPath;    // where the Load, Merge and Create dialogs open
  std::string StartDir;    // working directory of the process
  // The font the main screen shows, loaded from the file the shell loaded;
  // reloaded after every change. Screens that show other fonts keep values
  // of their own.
  TFontFile Font;
  // The font file as the main screen last read it: read again only when
  // the file changed since.
  TFileStamp ShownStamp;
  uint8_t OutlineStyle = 0;                       // the style Outline fonts are drawn in (0..18)
  std::string DisplayText = kDefaultDisplayText;  // sample text drawn with the current font
  uint8_t TextX = 1;
  uint8_t TextY = 3;
  int16_t BlockColor = 15;    // colour of Block fonts, kept in 1..15
  uint8_t StatusAttr = 0x70;  // status line (row 1) and prompt row (row 25)
  uint8_t IdleAttr = 8;       // set just before the loop waits for a key
  bool KeepScreen = false;    // the next pass keeps the screen and skips the sample text
  TDialogFolders LastFolders;
  // The glyph editor's block clipboard: kept from one glyph, and one font, to the next.
  TGlyphPiece GlyphClipboard;

  // The settings as the screens take them: BlockColor and OutlineStyle with
  // StatusAttr; DisplayText at TextX, TextY.
  TFontLook FontLook() const {
    return {{static_cast<uint8_t>(BlockColor), OutlineStyle}, StatusAttr};
  }
  TSample Sample() const { return {DisplayText, TextX, TextY}; }
};

#include "app/ShellState.h"

std::string ConfigFile;
std::string FontPath;
std::string StartDir;
std::string LastFontFile;
TFontFile ShellFont;
uint8_t OutlineStyle = 0;
std::string DialogResult;
std::string DisplayText = kDefaultDisplayText;
uint8_t TextX = 1;
uint8_t TextY = 3;
int16_t BlockColor = 15;
uint8_t StatusAttr = 0x70;
uint8_t IdleAttr = 8;
bool KeepScreen = false;
TDialogFolders LastFolders;
TGlyphPiece GlyphClipboard;

TFontLook ShellFontLook() {
  return {{static_cast<uint8_t>(BlockColor), OutlineStyle}, StatusAttr};
}

TSample ShellSample() {
  return {DisplayText, TextX, TextY};
}

void ResetShellState() {
  ConfigFile.clear();
  FontPath.clear();
  StartDir.clear();
  LastFontFile.clear();
  ShellFont = {};
  OutlineStyle = 0;
  DialogResult.clear();
  DisplayText = kDefaultDisplayText;
  TextX = 1;
  TextY = 3;
  BlockColor = 15;
  StatusAttr = 0x70;
  IdleAttr = 8;
  KeepScreen = false;
  LastFolders = {};
  GlyphClipboard = {};
}

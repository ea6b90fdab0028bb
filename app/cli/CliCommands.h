#pragma once

#include "app/cli/CliArgs.h"

// The commands of brixel-cli, one record each, defined beside the code that
// runs them. The overall usage lists them in the order of CliMain.cpp.
extern const TCliCommand kListCommand;
extern const TCliCommand kFontsCommand;
extern const TCliCommand kRenderCommand;
extern const TCliCommand kAnsiCommand;
extern const TCliCommand kTextCommand;
extern const TCliCommand kCreateCommand;
extern const TCliCommand kRenameCommand;
extern const TCliCommand kSpacingCommand;
extern const TCliCommand kTypeCommand;
extern const TCliCommand kExtractCommand;
extern const TCliCommand kMergeCommand;
extern const TCliCommand kExportCommand;
extern const TCliCommand kImportCommand;
extern const TCliCommand kDeleteFontCommand;
extern const TCliCommand kCloneFontCommand;
extern const TCliCommand kMoveFontCommand;
extern const TCliCommand kCaptureCommand;
extern const TCliCommand kGlyphCommand;
extern const TCliCommand kSauceCommand;

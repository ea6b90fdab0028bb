#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ansi/AnsiInterpreter.h"
#include "ansi/Sauce.h"

// Reading ANSI art files for the viewer and the command-line tool.

constexpr size_t kAnsiReadChunk = 4096;

// Opens path for reading only (so read-only art can be shown), clears ansi
// to the file's width (its SAUCE record's, else 80) and feeds it the file in
// chunks until the end of the file, the end-of-file byte or a full picture.
// False when the file cannot be opened or a read fails (error holds the
// errno); what was read before a failed read stays in the picture.
bool LoadAnsiFile(std::string_view path, TMsgBaseAnsi& ansi, int& error);
// The same, also handing out the file's SAUCE record (empty when it has
// none); columns other than 0 is the width instead of the record's.
bool LoadAnsiFile(std::string_view path, TMsgBaseAnsi& ansi, int& error,
                  std::optional<TSauce>& record, int columns = 0);

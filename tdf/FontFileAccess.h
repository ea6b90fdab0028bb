#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "util/Files.h"

// How the font code opens an existing font file. Nothing keeps a font file
// open between operations: each one opens it by name and closes it again.

enum TFontFileUse : uint8_t {
  fuRead,    // read-write where allowed, else read-only, so protected files can be viewed
  fuUpdate,  // read-write only: the operation writes
};

bool OpenFontFile(TFileHandle& file, const std::string& path, TFontFileUse use);

// Reads up to length bytes from offset (fewer at the end of the file) into out;
// kToEndOfFile reads the rest of the file, as long as it was when the read
// began. False when the file cannot be opened or read.
constexpr size_t kToEndOfFile = static_cast<size_t>(-1);
bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out);
// The same; error holds the errno when the answer is false.
bool ReadFontFileRange(const std::string& path, int64_t offset, size_t length,
                       std::vector<uint8_t>& out, int& error);

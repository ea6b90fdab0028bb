#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "console/Palette.h"
#include "util/Files.h"

// A PNG file written through libpng row by row as the rows are made, so a
// picture is never whole in memory. The bytes go to a sink in pieces.

enum class TPngLayout : uint8_t {
  Palette4,  // 4 bits per pixel, at most 16 colours
  Palette8,  // 8 bits per pixel, at most 256 colours
  Rgb,       // 24 bits per pixel
};

class TPngWriter {
 public:
  explicit TPngWriter(TByteSink sink);
  ~TPngWriter();
  TPngWriter(const TPngWriter&) = delete;
  TPngWriter& operator=(const TPngWriter&) = delete;

  // The header: width x height pixels in the layout, with the colours of a
  // paletted layout (pixel value i is palette[i]).
  bool Start(int width, int height, TPngLayout layout, std::span<const TRgb> palette);
  // The next pixel row: width palette indices of one byte each, or width
  // times R, G, B.
  bool WriteRow(std::span<const uint8_t> row);
  // Ends the file after its last row.
  bool Finish();

  // Why the last call failed: libpng's words, or that the sink failed.
  const std::string& Error() const { return Why; }

 private:
  static void OnError(struct png_struct_def* png, const char* message);
  static void OnWrite(struct png_struct_def* png, uint8_t* data, size_t length);
  bool Flush();

  TByteSink Sink;
  struct png_struct_def* Png = nullptr;
  struct png_info_def* Info = nullptr;
  size_t RowBytes = 0;
  std::vector<uint8_t> Pending;  // bytes made and not yet handed to the sink
  bool SinkFailed = false;
  std::string Why;
};

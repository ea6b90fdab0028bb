#include "console/PngWriter.h"

#include <png.h>

#include <algorithm>
#include <string>
#include <utility>

// libpng reports errors by a long jump back to the setjmp of the call in
// progress. Every method that calls libpng sets one first and holds no object
// with a destructor across those calls, so the jump skips nothing.

namespace {

// Bytes are handed on in pieces of this size (libpng makes small ones).
constexpr size_t kPieceBytes = 64 * 1024;

void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

TPngWriter::TPngWriter(TByteSink sink) : Sink(std::move(sink)) {}

TPngWriter::~TPngWriter() {
  if (Png) png_destroy_write_struct(&Png, &Info);
}

void TPngWriter::OnError(png_structp png, png_const_charp message) {
  static_cast<TPngWriter*>(png_get_error_ptr(png))->Why = message;
  png_longjmp(png, 1);
}

void TPngWriter::OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* writer = static_cast<TPngWriter*>(png_get_io_ptr(png));
  writer->Pending.insert(writer->Pending.end(), data, data + length);
  if (writer->Pending.size() >= kPieceBytes) writer->Flush();
}

bool TPngWriter::Flush() {
  if (!SinkFailed && !Pending.empty()) SinkFailed = !Sink(Pending);
  Pending.clear();
  if (SinkFailed) Why = "the picture could not be written";
  return !SinkFailed;
}

bool TPngWriter::Start(int width, int height, TPngLayout layout, std::span<const TRgb> palette) {
  const size_t colours = layout == TPngLayout::Palette4 ? 16 : 256;
  if (Png || width < 1 || height < 1 || (layout != TPngLayout::Rgb && palette.size() > colours)) {
    Why = "no picture to write";
    return false;
  }
  Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, IgnoreWarning);
  if (Png) Info = png_create_info_struct(Png);
  if (!Info) {
    Why = "out of memory";
    return false;
  }
  // libpng refuses larger sides with words of its own ("Invalid IHDR data").
  const png_uint_32 widest = png_get_user_width_max(Png);
  const png_uint_32 tallest = png_get_user_height_max(Png);
  if (static_cast<png_uint_32>(width) > widest || static_cast<png_uint_32>(height) > tallest) {
    Why = "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
          " pixels; a PNG file holds at most " + std::to_string(std::min(widest, tallest)) +
          " pixels a side";
    return false;
  }
  RowBytes = static_cast<size_t>(width) * (layout == TPngLayout::Rgb ? 3 : 1);
  Pending.reserve(kPieceBytes + 8192);
  png_color colors[256] = {};
  for (size_t i = 0; i < palette.size() && i < 256; ++i)
    colors[i] = {palette[i].R, palette[i].G, palette[i].B};
  if (setjmp(png_jmpbuf(Png))) return false;
  png_set_write_fn(Png, this, OnWrite, nullptr);
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
               layout == TPngLayout::Palette4 ? 4 : 8,
               layout == TPngLayout::Rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (layout != TPngLayout::Rgb)
    png_set_PLTE(Png, Info, colors, palette.empty() ? 1 : static_cast<int>(palette.size()));
  // Areas of one colour and repeated glyphs compress well as they are;
  // trying every filter on every row costs far more than it saves.
  png_set_filter(Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_buffer_size(Png, kPieceBytes);
  png_write_info(Png, Info);
  // Rows come with one byte per pixel; libpng packs them into 4 bits.
  if (layout == TPngLayout::Palette4) png_set_packing(Png);
  return true;
}

bool TPngWriter::WriteRow(std::span<const uint8_t> row) {
  if (!Png || row.size() < RowBytes) {
    Why = "no picture to write";
    return false;
  }
  if (setjmp(png_jmpbuf(Png))) return false;
  png_write_row(Png, row.data());
  return !SinkFailed;
}

bool TPngWriter::Finish() {
  if (!Png) return false;
  if (setjmp(png_jmpbuf(Png))) return false;
  png_write_end(Png, nullptr);
  return Flush();
}

#include "console/PngReader.h"

#include <png.h>

#include <utility>

namespace {

// Frees what libpng holds for the image on every way out.
struct TImageRelease {
  png_image* Image;
  ~TImageRelease() { png_image_free(Image); }
};

}  // namespace

bool DecodePng(std::span<const uint8_t> png, size_t maxPixels, TPngPixels& image,
               std::string& why) {
  // The simplified interface keeps libpng's long jumps inside libpng.
  png_image decoder{};
  decoder.version = PNG_IMAGE_VERSION;
  const TImageRelease release{&decoder};
  if (!png_image_begin_read_from_memory(&decoder, png.data(), png.size())) {
    why = std::string("not a PNG file: ") + decoder.message;
    return false;
  }
  if (decoder.width == 0 || decoder.height == 0 ||
      static_cast<size_t>(decoder.width) * decoder.height > maxPixels) {
    why = "a picture of " + std::to_string(decoder.width) + " x " + std::to_string(decoder.height) +
          " pixels is too large";
    return false;
  }
  decoder.format = PNG_FORMAT_RGBA;
  // Sized here: libpng's own size macro counts in 32 bits.
  std::vector<uint8_t> rgba(static_cast<size_t>(decoder.width) * decoder.height * 4);
  if (!png_image_finish_read(&decoder, nullptr, rgba.data(), 0, nullptr)) {
    why = std::string("damaged PNG file: ") + decoder.message;
    return false;
  }
  image.Width = static_cast<int>(decoder.width);
  image.Height = static_cast<int>(decoder.height);
  image.Rgba = std::move(rgba);
  return true;
}

#include "ansi/ArtFormat.h"

#include <utility>

#include "ansi/SauceHints.h"
#include "util/Text.h"

namespace {

std::optional<TArtFormat> FormatOfExtension(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  const size_t slash = fileName.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return std::nullopt;
  }
  const std::string extension = LoStr(fileName.substr(dot + 1));
  const struct {
    std::string_view Extension;
    TArtFormat Format;
  } kExtensions[] = {{"bin", TArtFormat::Bin},     {"xb", TArtFormat::XBin},
                     {"adf", TArtFormat::ArtWorx}, {"idf", TArtFormat::IceDraw},
                     {"tnd", TArtFormat::Tundra},  {"pcb", TArtFormat::PcBoard}};
  for (const auto& e : kExtensions) {
    if (extension == e.Extension) return e.Format;
  }
  return std::nullopt;
}

std::optional<TArtFormat> FormatOfRecord(const TSauce& sauce) {
  if (sauce.DataType == kSauceDataBinaryText) return TArtFormat::Bin;
  if (sauce.DataType == kSauceDataXBin) return TArtFormat::XBin;
  if (sauce.DataType == kSauceDataCharacter && sauce.FileType == kSauceFileTundra)
    return TArtFormat::Tundra;
  if (sauce.DataType == kSauceDataCharacter && sauce.FileType == kSauceFilePcBoard)
    return TArtFormat::PcBoard;
  return std::nullopt;
}

}  // namespace

TArtFormat ArtFormatOf(std::string_view fileName, const std::optional<TSauce>& sauce) {
  if (const auto format = FormatOfExtension(fileName)) return *format;
  if (sauce) {
    if (const auto format = FormatOfRecord(*sauce)) return *format;
  }
  return TArtFormat::Ansi;
}

TArtRead ReadArt(std::span<const uint8_t> file, std::string_view fileName) {
  TSauce record;
  size_t contentEnd = file.size();
  std::optional<TSauce> sauce;
  if (ParseSauce(file, record, contentEnd)) sauce = std::move(record);
  const std::span<const uint8_t> content = file.first(contentEnd);
  using TReader = TArtRead (*)(std::span<const uint8_t>, const std::optional<TSauce>&);
  TReader reader = ReadAnsiArt;
  switch (ArtFormatOf(fileName, sauce)) {
    case TArtFormat::Bin:
      reader = ReadBinArt;
      break;
    case TArtFormat::XBin:
      reader = ReadXBinArt;
      break;
    case TArtFormat::ArtWorx:
      reader = ReadArtWorxArt;
      break;
    case TArtFormat::IceDraw:
      reader = ReadIceDrawArt;
      break;
    case TArtFormat::Tundra:
      reader = ReadTundraArt;
      break;
    case TArtFormat::PcBoard:
      reader = ReadPcBoardArt;
      break;
    case TArtFormat::Ansi:
      break;
  }
  TArtRead read = reader(content, sauce);
  read.Sauce = std::move(sauce);
  return read;
}

#include "ansi/ArtFormat.h"

#include <utility>

#include "ansi/SauceHints.h"
#include "util/Files.h"
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

// The record a reader of format is given when the user chooses the width:
// the file's own with its width replaced, or one that gives only the width.
// Formats whose width is their own (XBin, ArtWorx, iCE Draw) keep theirs.
std::optional<TSauce> WithWidth(std::optional<TSauce> sauce, TArtFormat format, int columns) {
  const auto character = [&sauce](uint8_t fileType) {
    sauce->DataType = kSauceDataCharacter;
    sauce->FileType = fileType;
  };
  if (!sauce) sauce.emplace();
  switch (format) {
    case TArtFormat::Ansi:
      if (sauce->DataType != kSauceDataCharacter || sauce->FileType > kSauceFileAnsiMation)
        character(kSauceFileAnsi);
      break;
    case TArtFormat::Bin:
      sauce->DataType = kSauceDataBinaryText;
      break;
    case TArtFormat::Tundra:
      character(kSauceFileTundra);
      break;
    case TArtFormat::PcBoard:
      character(kSauceFilePcBoard);
      break;
    default:
      return sauce;
  }
  sauce->TInfo1 = static_cast<uint16_t>(columns);
  return sauce;
}

}  // namespace

TArtFormat ArtFormatOf(std::string_view fileName, const std::optional<TSauce>& sauce) {
  if (const auto format = FormatOfExtension(fileName)) return *format;
  if (sauce) {
    if (const auto format = FormatOfRecord(*sauce)) return *format;
  }
  return TArtFormat::Ansi;
}

TArtRead ReadArt(std::span<const uint8_t> file, std::string_view fileName, int columns,
                 std::optional<bool> ice, int maxRows) {
  TSauce record;
  size_t contentEnd = file.size();
  std::optional<TSauce> sauce;
  if (ParseSauce(file, record, contentEnd)) sauce = std::move(record);
  const std::span<const uint8_t> content = file.first(contentEnd);
  using TReader = TArtRead (*)(std::span<const uint8_t>, const std::optional<TSauce>&, int);
  TReader reader = nullptr;  // ANSI: ReadAnsiArt, which takes the user's ice too
  const TArtFormat format = ArtFormatOf(fileName, sauce);
  switch (format) {
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
  // iCE or blink from the file's own record: the one made for a width has no flags.
  const bool iceColors = ice.value_or(SauceArtHints(sauce).Ice);
  const auto readWith = [&](const std::optional<TSauce>& record) {
    return reader ? reader(content, record, maxRows)
                  : ReadAnsiArt(content, record, iceColors, maxRows);
  };
  TArtRead read;
  if (columns > 0) {
    // Only the width is the user's: the drawing hints stay the file's.
    read = readWith(WithWidth(sauce, format, columns));
    if (format == TArtFormat::Ansi || format == TArtFormat::Bin)
      read.Picture.Hints = SauceArtHints(sauce);
  } else {
    read = readWith(sauce);
  }
  if (ice) read.Picture.Hints.Ice = *ice;
  read.Sauce = std::move(sauce);
  // A blank picture would pass for the file's: refused instead.
  if (read.Picture.Rows() == 0 && !NothingDrawn(read.Problem)) {
    read.Problem = TArtProblem::NoPicture;
    read.Message = "no picture" + (read.Message.empty() ? "" : ": " + read.Message);
  }
  return read;
}

bool ReadArtFile(std::string_view path, TArtRead& read, int& error, int columns,
                 std::optional<bool> ice, int maxRows) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) return false;
  read = ReadArt(bytes, path, columns, ice, maxRows);
  return true;
}

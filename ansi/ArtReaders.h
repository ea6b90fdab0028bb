#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "ansi/ArtPicture.h"
#include "ansi/Sauce.h"

// One reader per art format. Each takes the file's content (its bytes with
// the SAUCE trailer cut off, as ParseSauce finds it), the record if there
// is one and the most rows the picture may have (TArtPicture::SetMaxRows; 0
// for the default), and returns the picture with what went wrong. They check
// every length and offset against the bytes before reading or allocating,
// and never show anything themselves: the caller reports the message.

enum class TArtProblem : uint8_t {
  None,
  NotThisFormat,  // the file does not start as the format does: nothing drawn
  BadHeader,      // the header holds a value no picture has: nothing drawn
  NoPicture,      // a header, palette or font cut short, or not one cell: nothing drawn
  Truncated,      // the file ends inside its cells: the picture holds what the file does
  TooLarge,       // wider than kArtMaxWidth or past its row limit: the part that fits
};

// True for the problems that leave nothing to draw: the file is refused
// rather than shown as a blank picture.
constexpr bool NothingDrawn(TArtProblem problem) {
  return problem == TArtProblem::NotThisFormat || problem == TArtProblem::BadHeader ||
         problem == TArtProblem::NoPicture;
}

struct TArtRead {
  TArtPicture Picture;
  TArtProblem Problem = TArtProblem::None;
  std::string Message;          // the problem in words, e.g. "not an XBin file"
  std::optional<TSauce> Sauce;  // the record, when ReadArt found one
};

// Raw character/attribute pairs. Width: the record's (BinaryText TInfo1, or
// twice its file type), else 160.
TArtRead ReadBinArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                    int maxRows = 0);
// XBin (.xb): header, optional palette and font (1-32 pixels high, 256 or 512
// glyphs), raw or compressed cells; the header's non-blink flag decides iCE.
TArtRead ReadXBinArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                     int maxRows = 0);
// ArtWorx (.adf): a 64-colour palette of which 16 are used, an 8x16 font,
// then 80-column cells.
TArtRead ReadArtWorxArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                        int maxRows = 0);
// iCE Draw (.idf): header with the picture's columns, run-length cells, then
// the font and the palette at the end.
TArtRead ReadIceDrawArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                        int maxRows = 0);
// TundraDraw (.tnd): characters with 24-bit colours, kept per cell; the
// attributes hold the nearest VGA colours. Width: the record's, else 80.
TArtRead ReadTundraArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                       int maxRows = 0);
// PCBoard (.pcb): text with @X colour codes, @CLS@ and @POS:n@; other
// @-codes stay text. Width: the record's, else 80.
TArtRead ReadPcBoardArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                        int maxRows = 0);
// ANSI art and plain text through the ANSI interpreter. Width: the record's
// (ASCII, ANSi, ANSiMation TInfo1), else 80. iCE colours or blink as the
// record says, or as ice says when given (the interpreter needs to know:
// reverse video shows a blinking background differently).
TArtRead ReadAnsiArt(std::span<const uint8_t> content, const std::optional<TSauce>& sauce,
                     std::optional<bool> ice = std::nullopt, int maxRows = 0);

#include "tdf/FigletFont.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>

#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {

constexpr std::string_view kFontMagic = "flf2a";
constexpr std::string_view kToiletMagic = "tlf2a";
constexpr std::string_view kControlMagic = "flc2a";
constexpr std::string_view kZipMagic = "PK\x03\x04";
constexpr int kHeaderNumbers = 5;  // height, baseline, max length, old layout, comment lines

std::string_view AsText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

uint32_t ReadLE(std::span<const uint8_t> bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<size_t>(i)];
  return value;
}

// The deflated stream at the start of packed, unpacked into out.
bool Inflate(std::span<const uint8_t> packed, std::vector<uint8_t>& out, std::string& why) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return why = "zlib cannot start", false;
  stream.next_in = const_cast<Bytef*>(packed.data());
  stream.avail_in = static_cast<uInt>(std::min<size_t>(packed.size(), UINT_MAX));
  int status = Z_OK;
  while (status == Z_OK && out.size() < kMaxFigletFontBytes) {
    const size_t done = out.size();
    out.resize(std::min(kMaxFigletFontBytes, done + 65536));
    stream.next_out = out.data() + done;
    stream.avail_out = static_cast<uInt>(out.size() - done);
    status = inflate(&stream, Z_NO_FLUSH);
    out.resize(out.size() - stream.avail_out);
  }
  inflateEnd(&stream);
  if (status == Z_STREAM_END) return true;
  why = out.size() >= kMaxFigletFontBytes ? "its zip archive unpacks to more than 16 MiB"
                                          : "its zip archive is damaged or cut short";
  return false;
}

// The first file of a zip archive, as figlet unpacks a packed font.
bool UnzipFirstFile(std::span<const uint8_t> zip, std::vector<uint8_t>& out, std::string& why) {
  constexpr size_t kLocalHeaderSize = 30;
  if (zip.size() < kLocalHeaderSize) return why = "its zip archive is cut short", false;
  const uint32_t flags = ReadLE(zip, 6, 2);
  const uint32_t method = ReadLE(zip, 8, 2);
  const uint32_t packedSize = ReadLE(zip, 18, 4);
  const size_t data = kLocalHeaderSize + ReadLE(zip, 26, 2) + ReadLE(zip, 28, 2);
  if (data > zip.size()) return why = "its zip archive is cut short", false;
  if (flags & 1) return why = "its zip archive is encrypted", false;
  const std::span<const uint8_t> packed = zip.subspan(data);
  if (method == 8) return Inflate(packed, out, why);
  // Stored: the size must be known before the data.
  if (method != 0 || (flags & 8) != 0 || packedSize > packed.size()) {
    why = "its zip archive is packed in a way figlet does not unpack (method " +
          NumToStr(static_cast<int32_t>(method)) + ")";
    return false;
  }
  out.assign(packed.begin(), packed.begin() + packedSize);
  return true;
}

// A font's text cut into lines at every LF.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// One row of a character: the line without the blanks at its end and the
// end mark (its last character, repeated any number of times), decoded up to
// the first byte that is no UTF-8. The mark is taken off the bytes, as figlet does.
std::u32string RowOf(std::string_view line) {
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  if (!line.empty()) {
    const char mark = line.back();
    while (!line.empty() && line.back() == mark) line.remove_suffix(1);
  }
  std::u32string row;
  for (size_t i = 0; i < line.size();) {
    const size_t at = i;
    const char32_t cp = DecodeUtf8(line, i);
    if (cp == 0xFFFD && line.substr(at, 3) != "\xEF\xBF\xBD") break;
    row += cp;
  }
  return row;
}

// Up to max whole numbers at the start of text, separated by blanks, as
// figlet reads its header: the first word that is no number ends them.
std::vector<int> LeadingNumbers(std::string_view text, size_t max) {
  std::vector<int> numbers;
  while (numbers.size() < max) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || (end != text.data() + text.size() && !IsBlank(*end))) break;
    numbers.push_back(value);
    text.remove_prefix(static_cast<size_t>(end - text.data()));
  }
  return numbers;
}

bool ReadHeader(std::string_view header, TFigletFont& font, int& commentLines, std::string& why) {
  if (header.starts_with(kControlMagic))
    return why = "a FIGlet control file (.flc), not a font", false;
  if (!header.starts_with(kFontMagic) && !header.starts_with(kToiletMagic))
    return why = "not a FIGlet or TOIlet font: it starts with neither flf2a nor tlf2a", false;
  font.Toilet = header.starts_with(kToiletMagic);
  if (header.size() < kFontMagic.size() + 1) return why = "the header has no hardblank", false;
  font.Hardblank = static_cast<uint8_t>(header[kFontMagic.size()]);
  const std::vector<int> numbers = LeadingNumbers(header.substr(kFontMagic.size() + 1), 6);
  if (numbers.size() < kHeaderNumbers) {
    why = "the header holds " + NumToStr(static_cast<int32_t>(numbers.size())) +
          " of the 5 numbers a font starts with";
    return false;
  }
  font.Height = numbers[0];
  if (font.Height < 1)
    return why = "its height is " + NumToStr(font.Height) + ": a font needs one row at least",
           false;
  commentLines = std::max(numbers[4], 0);
  font.PrintDirection = numbers.size() > 5 ? numbers[5] : 0;
  return true;
}

}  // namespace

bool LooksLikeFigletFile(std::span<const uint8_t> head) {
  const std::string_view text = AsText(head);
  return text.starts_with(kFontMagic) || text.starts_with(kToiletMagic) ||
         text.starts_with(kControlMagic) || text.starts_with(kZipMagic);
}

bool ReadFigletFont(std::span<const uint8_t> bytes, TFigletFont& font, std::string& why) {
  font = TFigletFont{};
  why.clear();
  std::vector<uint8_t> unpacked;
  if (AsText(bytes).starts_with(kZipMagic)) {
    if (!UnzipFirstFile(bytes, unpacked, why)) return false;
    bytes = unpacked;
  }
  const std::vector<std::string_view> lines = Lines(AsText(bytes));
  int commentLines = 0;
  if (!ReadHeader(lines.empty() ? std::string_view() : lines[0], font, commentLines, why))
    return false;
  // What follows the header and the comment; a character the file ends in
  // the middle of is left out, with every one after it.
  const auto height = static_cast<size_t>(font.Height);
  size_t at = std::min(lines.size(), 1 + static_cast<size_t>(commentLines));
  for (auto& rows : font.Chars) {
    if (lines.size() - at < height) break;
    for (size_t r = 0; r < height; ++r) rows.push_back(RowOf(lines[at + r]));
    at += height;
  }
  return true;
}

#include "TdfBuilder.h"

#include <algorithm>
#include <cstring>

#include "TempDir.h"

namespace {

template <typename T>
void AppendRecord(std::vector<uint8_t>& out, const T& record) {
  const auto* p = reinterpret_cast<const uint8_t*>(&record);
  out.insert(out.end(), p, p + sizeof(T));
}

std::span<const uint8_t> AsBytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace

std::vector<uint8_t> GlyphRecord(uint8_t width, uint8_t height, std::span<const uint8_t> cells) {
  std::vector<uint8_t> out{width, height};
  out.insert(out.end(), cells.begin(), cells.end());
  return out;
}

std::vector<uint8_t> BlockGlyph(const std::vector<std::string>& rows) {
  std::vector<uint8_t> cells;
  size_t width = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (r > 0) cells.push_back(13);
    cells.insert(cells.end(), rows[r].begin(), rows[r].end());
    width = std::max(width, rows[r].size());
  }
  cells.push_back(0);
  return GlyphRecord(static_cast<uint8_t>(width), static_cast<uint8_t>(rows.size()), cells);
}

std::vector<uint8_t> ColorGlyph(const std::vector<std::vector<TColorCell>>& rows) {
  std::vector<uint8_t> cells;
  size_t width = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (r > 0) cells.push_back(13);
    for (const TColorCell& c : rows[r]) {
      cells.push_back(c.Ch);
      cells.push_back(c.Attr);
    }
    width = std::max(width, rows[r].size());
  }
  cells.push_back(0);
  return GlyphRecord(static_cast<uint8_t>(width), static_cast<uint8_t>(rows.size()), cells);
}

std::vector<uint8_t> ColorGlyph(const std::vector<std::string>& rows, uint8_t attr) {
  std::vector<std::vector<TColorCell>> cells;
  for (const std::string& row : rows) {
    std::vector<TColorCell>& out = cells.emplace_back();
    for (const char c : row) out.push_back({static_cast<uint8_t>(c), attr});
  }
  return ColorGlyph(cells);
}

std::vector<uint8_t> GlyphBlockFor(const TTdfFontPlan& font) {
  std::vector<uint8_t> block;
  for (const auto& [ch, record] : font.Glyphs)
    block.insert(block.end(), record.begin(), record.end());
  block.insert(block.end(), font.ExtraBlockBytes.begin(), font.ExtraBlockBytes.end());
  return block;
}

TFontHeader HeaderFor(const TTdfFontPlan& font) {
  TFontHeader h;
  h.Marker = font.Marker;
  const size_t len = std::min(font.Name.size(), h.Name.size());
  std::copy_n(font.Name.begin(), len, h.Name.begin());
  h.NameLen = font.NameLen.value_or(static_cast<uint8_t>(len));
  h.Reserved = font.Reserved;
  h.FontType = font.FontType;
  h.Spacing = font.Spacing;
  h.Offsets.fill(0xFF);
  uint16_t offset = 0;
  for (const auto& [ch, record] : font.Glyphs) {
    if (ch >= kFirstGlyphChar && ch <= kLastGlyphChar)
      SetGlyphOffset(h, ch - kFirstGlyphChar, offset);
    offset = static_cast<uint16_t>(offset + record.size());
  }
  for (const auto& [ch, value] : font.OffsetOverrides)
    SetGlyphOffset(h, ch - kFirstGlyphChar, value);
  SetBlockSize(h, font.BlockSize.value_or(static_cast<uint16_t>(GlyphBlockFor(font).size())));
  return h;
}

TTdfBuilder::TTdfBuilder() {
  const TTDFont sig = StandardSignature();
  AppendRecord(SignatureBytes, sig);
}

TTdfBuilder& TTdfBuilder::Signature(std::span<const uint8_t> raw) {
  SignatureBytes.assign(raw.begin(), raw.end());
  return *this;
}

TTdfBuilder& TTdfBuilder::Signature(std::string_view raw) {
  return Signature(AsBytes(raw));
}

TTdfBuilder& TTdfBuilder::Font(const TTdfFontPlan& font) {
  Parts.emplace_back(font);
  return *this;
}

TTdfBuilder& TTdfBuilder::Raw(std::span<const uint8_t> bytes) {
  Parts.emplace_back(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  return *this;
}

TTdfBuilder& TTdfBuilder::Raw(std::string_view bytes) {
  return Raw(AsBytes(bytes));
}

std::vector<uint8_t> TTdfBuilder::Bytes() const {
  std::vector<uint8_t> out = SignatureBytes;
  for (const auto& part : Parts) {
    if (const auto* font = std::get_if<TTdfFontPlan>(&part)) {
      AppendRecord(out, HeaderFor(*font));
      const std::vector<uint8_t> block = GlyphBlockFor(*font);
      out.insert(out.end(), block.begin(), block.end());
    } else {
      const auto& raw = std::get<std::vector<uint8_t>>(part);
      out.insert(out.end(), raw.begin(), raw.end());
    }
  }
  return out;
}

std::vector<int32_t> TTdfBuilder::FontOffsets() const {
  std::vector<int32_t> offsets;
  size_t pos = SignatureBytes.size();
  for (const auto& part : Parts) {
    if (const auto* font = std::get_if<TTdfFontPlan>(&part)) {
      offsets.push_back(static_cast<int32_t>(pos));
      pos += kFontHeaderSize + GlyphBlockFor(*font).size();
    } else {
      pos += std::get<std::vector<uint8_t>>(part).size();
    }
  }
  return offsets;
}

std::string TTdfBuilder::WriteTo(const TTempDir& dir, std::string_view name) const {
  return dir.Write(name, Bytes());
}

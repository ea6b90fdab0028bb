#include "ansi/Sauce.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr uint8_t kEndOfFile = 26;
constexpr std::string_view kRecordId = "SAUCE00";
constexpr std::string_view kCommentId = "COMNT";

// Offsets inside the record.
enum : size_t {
  kTitleAt = 7,
  kAuthorAt = 42,
  kGroupAt = 62,
  kDateAt = 82,
  kFileSizeAt = 90,
  kDataTypeAt = 94,
  kFileTypeAt = 95,
  kTInfo1At = 96,
  kTInfo2At = 98,
  kTInfo3At = 100,
  kTInfo4At = 102,
  kCommentsAt = 104,
  kFlagsAt = 105,
  kFontAt = 106,
};

bool StartsWith(std::span<const uint8_t> bytes, std::string_view id) {
  return bytes.size() >= id.size() && std::equal(id.begin(), id.end(), bytes.begin(),
                                                 [](char a, uint8_t b) { return uint8_t(a) == b; });
}

// A text field: up to its first 0 byte, without trailing spaces.
std::string Field(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  std::string text(bytes.begin(), end);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

uint16_t Le16(std::span<const uint8_t> r, size_t at) {
  return static_cast<uint16_t>(r[at] | (r[at + 1] << 8));
}

uint32_t Le32(std::span<const uint8_t> r, size_t at) {
  return uint32_t{r[at]} | (uint32_t{r[at + 1]} << 8) | (uint32_t{r[at + 2]} << 16) |
         (uint32_t{r[at + 3]} << 24);
}

void PutLe(std::vector<uint8_t>& out, size_t at, uint32_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutText(std::vector<uint8_t>& out, size_t at, std::string_view text, size_t size,
             uint8_t pad) {
  for (size_t i = 0; i < size; ++i) out[at + i] = i < text.size() ? uint8_t(text[i]) : pad;
}

}  // namespace

bool ParseSauce(std::span<const uint8_t> file, TSauce& sauce, size_t& contentEnd) {
  contentEnd = file.size();
  if (file.size() < kSauceRecordSize) return false;
  const size_t recordAt = file.size() - kSauceRecordSize;
  const std::span<const uint8_t> r = file.subspan(recordAt);
  if (!StartsWith(r, kRecordId)) return false;

  sauce = TSauce{};
  sauce.Title = Field(r.subspan(kTitleAt, kSauceTitleSize));
  sauce.Author = Field(r.subspan(kAuthorAt, kSauceAuthorSize));
  sauce.Group = Field(r.subspan(kGroupAt, kSauceGroupSize));
  sauce.Date = Field(r.subspan(kDateAt, kSauceDateSize));
  sauce.FileSize = Le32(r, kFileSizeAt);
  sauce.DataType = r[kDataTypeAt];
  sauce.FileType = r[kFileTypeAt];
  sauce.TInfo1 = Le16(r, kTInfo1At);
  sauce.TInfo2 = Le16(r, kTInfo2At);
  sauce.TInfo3 = Le16(r, kTInfo3At);
  sauce.TInfo4 = Le16(r, kTInfo4At);
  sauce.Flags = r[kFlagsAt];
  sauce.Font = Field(r.subspan(kFontAt, kSauceFontSize));

  size_t trailerAt = recordAt;
  const size_t count = r[kCommentsAt];
  const size_t block = kCommentId.size() + count * kSauceCommentSize;
  if (count > 0 && recordAt >= block && StartsWith(file.subspan(recordAt - block), kCommentId)) {
    trailerAt = recordAt - block;
    for (size_t i = 0; i < count; ++i) {
      const size_t at = trailerAt + kCommentId.size() + i * kSauceCommentSize;
      sauce.Comments.push_back(Field(file.subspan(at, kSauceCommentSize)));
    }
  }
  if (trailerAt > 0 && file[trailerAt - 1] == kEndOfFile) --trailerAt;
  contentEnd = trailerAt;
  return true;
}

std::string SauceProblem(const TSauce& sauce) {
  const struct {
    const std::string& Text;
    size_t Size;
    const char* Name;
  } fields[] = {{sauce.Title, kSauceTitleSize, "title"},
                {sauce.Author, kSauceAuthorSize, "author"},
                {sauce.Group, kSauceGroupSize, "group"},
                {sauce.Date, kSauceDateSize, "date"},
                {sauce.Font, kSauceFontSize, "font name"}};
  for (const auto& f : fields) {
    if (f.Text.size() > f.Size) {
      return "the " + std::string(f.Name) + " has " + std::to_string(f.Text.size()) +
             " characters; it holds at most " + std::to_string(f.Size);
    }
  }
  if (sauce.Comments.size() > kSauceMaxComments)
    return "at most " + std::to_string(kSauceMaxComments) + " comment lines fit";
  for (size_t i = 0; i < sauce.Comments.size(); ++i) {
    if (sauce.Comments[i].size() > kSauceCommentSize) {
      return "comment line " + std::to_string(i + 1) + " has " +
             std::to_string(sauce.Comments[i].size()) + " characters; a line holds at most " +
             std::to_string(kSauceCommentSize);
    }
  }
  return {};
}

std::vector<uint8_t> SauceTrailer(const TSauce& sauce) {
  const size_t count = std::min(sauce.Comments.size(), kSauceMaxComments);
  const size_t block = count ? kCommentId.size() + count * kSauceCommentSize : 0;
  std::vector<uint8_t> out(1 + block + kSauceRecordSize, 0);
  out[0] = kEndOfFile;
  if (count) {
    PutText(out, 1, kCommentId, kCommentId.size(), ' ');
    for (size_t i = 0; i < count; ++i)
      PutText(out, 1 + kCommentId.size() + i * kSauceCommentSize, sauce.Comments[i],
              kSauceCommentSize, ' ');
  }
  const size_t r = 1 + block;
  PutText(out, r, kRecordId, kRecordId.size(), ' ');
  PutText(out, r + kTitleAt, sauce.Title, kSauceTitleSize, ' ');
  PutText(out, r + kAuthorAt, sauce.Author, kSauceAuthorSize, ' ');
  PutText(out, r + kGroupAt, sauce.Group, kSauceGroupSize, ' ');
  PutText(out, r + kDateAt, sauce.Date, kSauceDateSize, ' ');
  PutLe(out, r + kFileSizeAt, sauce.FileSize, 4);
  out[r + kDataTypeAt] = sauce.DataType;
  out[r + kFileTypeAt] = sauce.FileType;
  PutLe(out, r + kTInfo1At, sauce.TInfo1, 2);
  PutLe(out, r + kTInfo2At, sauce.TInfo2, 2);
  PutLe(out, r + kTInfo3At, sauce.TInfo3, 2);
  PutLe(out, r + kTInfo4At, sauce.TInfo4, 2);
  out[r + kCommentsAt] = static_cast<uint8_t>(count);
  out[r + kFlagsAt] = sauce.Flags;
  PutText(out, r + kFontAt, sauce.Font, kSauceFontSize, 0);
  return out;
}

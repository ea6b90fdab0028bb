#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The SAUCE record ANSI artists put at the end of their files: title,
// artist, group, date and a few numbers, in the last 128 bytes, optionally
// preceded by a block of 64-byte comment lines and, before that, the
// end-of-file byte 26 that hides it all from a plain viewer.
//
//   content | 26 | "COMNT" + n x 64 | "SAUCE00" ... (128 bytes in all)
//
// The stored content length is not trusted (real files carry wrong ones):
// where the record sits decides where the content ends.

constexpr size_t kSauceRecordSize = 128;
constexpr size_t kSauceCommentSize = 64;
constexpr size_t kSauceMaxComments = 255;
constexpr size_t kSauceTitleSize = 35;
constexpr size_t kSauceAuthorSize = 20;
constexpr size_t kSauceGroupSize = 20;
constexpr size_t kSauceDateSize = 8;
constexpr size_t kSauceFontSize = 22;
// The most a trailer can take from the end of a file: the byte 26, the
// largest comment block and the record.
constexpr size_t kSauceMaxTrailer =
    1 + 5 + kSauceMaxComments * kSauceCommentSize + kSauceRecordSize;

enum : uint8_t { kSauceDataCharacter = 1, kSauceFileAnsi = 1 };

// Texts hold code page 437, cut at their first 0 byte and without trailing
// spaces.
struct TSauce {
  std::string Title;
  std::string Author;
  std::string Group;
  std::string Date;  // "CCYYMMDD"
  uint32_t FileSize = 0;
  uint8_t DataType = 0;
  uint8_t FileType = 0;
  uint16_t TInfo1 = 0;
  uint16_t TInfo2 = 0;
  uint16_t TInfo3 = 0;
  uint16_t TInfo4 = 0;
  uint8_t Flags = 0;
  std::vector<std::string> Comments;
  std::string Font;  // the zero-padded font name of ANSI art, e.g. "IBM VGA"

  friend bool operator==(const TSauce&, const TSauce&) = default;
};

// Reads the record at the end of file (a whole file, or its last bytes).
// False when the last 128 bytes are no record of version "00"; then
// contentEnd is file.size(). Otherwise contentEnd is where the trailer
// starts: the byte 26 before the comments (or before the record when the
// comment block is not where its count says, which only loses the comments).
bool ParseSauce(std::span<const uint8_t> file, TSauce& sauce, size_t& contentEnd);

// Why a record cannot be stored as it is (a text longer than its field, too
// many comments or a comment longer than a line), or empty when it can.
std::string SauceProblem(const TSauce& sauce);

// The trailer for sauce: the byte 26, the comment block when there are
// comments, and the record, with texts padded with spaces. sauce must have no
// SauceProblem; longer texts would be cut.
std::vector<uint8_t> SauceTrailer(const TSauce& sauce);

// Feeds arbitrary bytes to the SAUCE reader as a whole file and checks what
// it answers: texts that fit their fields without NULs or trailing spaces, a
// content end inside the file, the same record from the file's tail alone
// (as the viewer reads it), and the same record again after writing it back
// behind the content.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "ansi/Sauce.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "sauce_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

void CheckText(const std::string& text, size_t size) {
  Check(text.size() <= size, "a text longer than its field");
  Check(text.find('\0') == std::string::npos, "a NUL in a text");
  Check(text.empty() || text.back() != ' ', "a trailing space in a text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  TSauce sauce;
  size_t contentEnd = 0;
  const bool found = ParseSauce(file, sauce, contentEnd);
  Check(contentEnd <= size, "content end past the file");
  if (!found) {
    Check(contentEnd == size, "no record, yet the content is cut");
    return 0;
  }
  Check(size - contentEnd >= kSauceRecordSize, "a record shorter than 128 bytes");
  for (const auto& [text, field] : {std::pair{&sauce.Title, kSauceTitleSize},
                                    {&sauce.Author, kSauceAuthorSize},
                                    {&sauce.Group, kSauceGroupSize},
                                    {&sauce.Date, kSauceDateSize},
                                    {&sauce.Font, kSauceFontSize}})
    CheckText(*text, field);
  for (const std::string& line : sauce.Comments) CheckText(line, kSauceCommentSize);
  Check(SauceProblem(sauce).empty(), "a record read cannot be written");

  const size_t tailAt = size - std::min(size, kSauceMaxTrailer);
  TSauce tail;
  size_t tailEnd = 0;
  Check(ParseSauce(file.subspan(tailAt), tail, tailEnd), "the tail has no record");
  Check(tail == sauce && tailAt + tailEnd == contentEnd, "the tail reads another record");

  std::vector<uint8_t> again(data, data + contentEnd);
  const std::vector<uint8_t> trailer = SauceTrailer(sauce);
  again.insert(again.end(), trailer.begin(), trailer.end());
  TSauce reread;
  size_t rereadEnd = 0;
  Check(ParseSauce(again, reread, rereadEnd), "a written record is not found");
  Check(reread == sauce && rereadEnd == contentEnd, "a written record reads differently");
  return 0;
}

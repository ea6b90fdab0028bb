#include "ansi/SauceFile.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>

#include "ansi/AnsiInterpreter.h"
#include "util/Files.h"

namespace {

bool IsDate(std::string_view text) {
  if (text.size() != kSauceDateSize) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Whether CCYYMMDD names a day of the calendar: 20240229 does, 20230229 and
// 20991332 do not.
bool IsCalendarDay(std::string_view date) {
  const auto number = [date](size_t at, size_t size) {
    int value = 0;
    for (const char c : date.substr(at, size)) value = value * 10 + (c - '0');
    return value;
  };
  const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 && day >= 1 &&
         day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The record a file without one gets.
TSauce NewRecord(std::span<const uint8_t> content, const TSauceEdit& edit) {
  TSauce sauce;
  if (edit.IsFontFile && edit.IsFontFile(content)) return sauce;
  sauce.DataType = kSauceDataCharacter;
  sauce.FileType = kSauceFileAnsi;
  sauce.TInfo1 = kArtDefaultWidth;
  TMsgBaseAnsi ansi;
  ansi.ProcessBuffer(content);
  sauce.TInfo2 = static_cast<uint16_t>(ansi.Lines());
  return sauce;
}

}  // namespace

bool ReadSauceFile(std::string_view path, TSauce& sauce, bool& found, int& error) {
  found = false;
  error = 0;
  TFileHandle file;
  if (!RetryReset(file, path, faRead)) {
    error = file.LastError();
    return false;
  }
  int64_t contentEnd = 0;
  return ReadSauceFile(file, sauce, found, error, contentEnd);
}

bool ReadSauceFile(TFileHandle& file, TSauce& sauce, bool& found, int& error, int64_t& contentEnd) {
  found = false;
  contentEnd = 0;
  error = 0;
  const int64_t size = file.Size();
  if (size < 0) {
    error = file.LastError();
    return false;
  }
  std::vector<uint8_t> tail(static_cast<size_t>(std::min<int64_t>(size, kSauceMaxTrailer)));
  if (!file.ReadExactAt(size - static_cast<int64_t>(tail.size()), tail)) {
    // A file cut short while being read has no error code of its own.
    error = file.LastError() ? file.LastError() : EIO;
    return false;
  }
  size_t tailEnd = 0;
  found = ParseSauce(tail, sauce, tailEnd);
  contentEnd = size - static_cast<int64_t>(tail.size()) + static_cast<int64_t>(tailEnd);
  return true;
}

bool WriteSauceFile(std::string_view path, const TSauceEdit& edit, std::string& why) {
  if (edit.Date && !IsDate(*edit.Date)) {
    why = "the date '" + *edit.Date + "' is not CCYYMMDD (8 digits)";
    return false;
  }
  if (edit.Date && !IsCalendarDay(*edit.Date)) {
    why = "the date '" + *edit.Date + "' is no day of the calendar";
    return false;
  }
  // Read and written under the file's lock: another writer's change is
  // either in what is read here or refused.
  TFileLock lock;
  std::vector<uint8_t> bytes;
  int error = 0;
  if (!lock.Lock(path, error) || !ReadWholeFile(lock.File(), bytes, error)) {
    why = FileErrorText(error);
    return false;
  }
  TSauce sauce;
  size_t contentEnd = 0;
  const bool had = ParseSauce(bytes, sauce, contentEnd);
  bytes.resize(contentEnd);
  if (!had) {
    sauce = NewRecord(bytes, edit);
    sauce.Date = edit.Today;
  }
  if (edit.Title) sauce.Title = *edit.Title;
  if (edit.Author) sauce.Author = *edit.Author;
  if (edit.Group) sauce.Group = *edit.Group;
  if (edit.Date) sauce.Date = *edit.Date;
  if (sauce.Date.empty()) sauce.Date = edit.Today;
  if (edit.Comments) sauce.Comments = *edit.Comments;
  // The content length as the record stores it; larger files cannot say.
  sauce.FileSize = static_cast<uint32_t>(std::min<size_t>(bytes.size(), UINT32_MAX));
  why = SauceProblem(sauce);
  if (!why.empty()) return false;

  const std::vector<uint8_t> trailer = SauceTrailer(sauce);
  bytes.insert(bytes.end(), trailer.begin(), trailer.end());
  if (ReplaceFileContents(path, bytes, error, &lock.Stamp())) return true;
  why = FileErrorText(error);
  return false;
}

std::string SauceToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = {};
  if (!localtime_r(&now, &local) || std::strftime(text, sizeof text, "%Y%m%d", &local) == 0)
    return {};
  return text;
}

#include "console/sdl/ScreenPicture.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "util/DataFiles.h"

namespace {

// An SDL stream that appends to a string, so the PNG can go to disk the way
// every other output of the tool does (whole, through a rename).
struct TStringStream {
  std::string* Out;
  size_t At = 0;
};

TStringStream& StreamOf(SDL_RWops* rw) { return *static_cast<TStringStream*>(rw->hidden.unknown.data1); }

Sint64 StreamSize(SDL_RWops* rw) { return static_cast<Sint64>(StreamOf(rw).Out->size()); }

Sint64 StreamSeek(SDL_RWops* rw, Sint64 offset, int whence) {
  TStringStream& s = StreamOf(rw);
  const Sint64 base = whence == RW_SEEK_SET   ? 0
                      : whence == RW_SEEK_CUR ? static_cast<Sint64>(s.At)
                                              : static_cast<Sint64>(s.Out->size());
  if (base + offset < 0) return SDL_SetError("seek before the start");
  s.At = static_cast<size_t>(base + offset);
  return static_cast<Sint64>(s.At);
}

size_t StreamRead(SDL_RWops*, void*, size_t, size_t) { return 0; }

size_t StreamWrite(SDL_RWops* rw, const void* data, size_t size, size_t count) {
  TStringStream& s = StreamOf(rw);
  const size_t bytes = size * count;
  if (s.Out->size() < s.At + bytes) s.Out->resize(s.At + bytes);
  std::memcpy(s.Out->data() + s.At, data, bytes);
  s.At += bytes;
  return count;
}

int StreamClose(SDL_RWops* rw) {
  SDL_FreeRW(rw);
  return 0;
}

struct TRwDeleter {
  void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};

}  // namespace

TSurfacePtr DrawScreenPicture(const TGlyphRenderer& glyphs, const TScreen& screen, int firstRow,
                              int lastRow) {
  lastRow = std::min(lastRow, static_cast<int>(screen.size()) - 1);
  if (firstRow < 1 || lastRow < firstRow || screen[firstRow].size() < 2) return nullptr;
  const int cols = static_cast<int>(screen[firstRow].size()) - 1;
  const int cw = glyphs.CellWidth(), ch = glyphs.CellHeight();
  TSurfacePtr picture(SDL_CreateRGBSurfaceWithFormat(0, cols * cw, (lastRow - firstRow + 1) * ch,
                                                     32, SDL_PIXELFORMAT_RGB888));
  if (!picture || SDL_LockSurface(picture.get()) != 0) return nullptr;
  for (int r = firstRow; r <= lastRow; ++r) {
    const TScreenLine& row = screen[r];
    for (int c = 1; c <= cols; ++c) {
      const TScreenChar cell = static_cast<size_t>(c) < row.size() ? row[c] : TScreenChar{};
      glyphs.DrawCell(picture.get(), (c - 1) * cw, (r - firstRow) * ch, cell.Ch, cell.Attr);
    }
  }
  SDL_UnlockSurface(picture.get());
  return picture;
}

bool ScreenPicturePng(const TScreen& screen, int firstRow, int lastRow, std::string& png,
                      std::string& why) {
  const std::string sheetPath = FindDataFile(GeometryForMode(1).SheetFile);
  const TSurfacePtr sheet(IMG_Load(sheetPath.c_str()));
  TGlyphRenderer glyphs;
  if (!sheet || !glyphs.SetSheet(sheet.get())) {
    why = "cannot read the glyph sheet " + sheetPath;
    return false;
  }
  glyphs.SetCellSize(kPictureCellWidth, kPictureCellHeight);
  const TSurfacePtr picture = DrawScreenPicture(glyphs, screen, firstRow, lastRow);
  if (!picture) {
    why = std::string("cannot make the picture: ") + SDL_GetError();
    return false;
  }
  png.clear();
  TStringStream stream{&png};
  const std::unique_ptr<SDL_RWops, TRwDeleter> rw(SDL_AllocRW());
  if (!rw) {
    why = "out of memory";
    return false;
  }
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = &stream;
  rw->size = StreamSize;
  rw->seek = StreamSeek;
  rw->read = StreamRead;
  rw->write = StreamWrite;
  rw->close = StreamClose;
  if (IMG_SavePNG_RW(picture.get(), rw.get(), 0) != 0) {
    why = std::string("cannot encode the picture: ") + SDL_GetError();
    return false;
  }
  return true;
}

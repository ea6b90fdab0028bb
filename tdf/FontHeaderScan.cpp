#include "tdf/FontHeaderScan.h"

#include <limits>
#include <span>

#include "tdf/FontFile.h"

void ScanFontHeaders(TFileHandle& file, std::vector<TFontRecord>& fonts) {
  TFontSource source(file);
  ScanFontHeaders(source, fonts);
}

void ScanFontHeaders(TFontSource& source, std::vector<TFontRecord>& fonts) {
  const int64_t size = source.Size();
  int64_t pos = kSignatureSize;
  while (pos < size) {
    if (pos > std::numeric_limits<int32_t>::max()) break;
    TFontHeader header;
    if (!source.ReadExactAt(pos, {reinterpret_cast<uint8_t*>(&header), sizeof header})) break;
    if (!MarkerValid(header)) {
      pos += kFontHeaderSize;
      continue;
    }
    fonts.push_back({ListedName(header), static_cast<int32_t>(pos), header.FontType, header});
    pos += kFontHeaderSize + BlockSizeOf(header);
  }
}

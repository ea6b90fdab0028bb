#include "tdf/TdfFormat.h"

#include <algorithm>
#include <cstring>

TTDFont StandardSignature() {
  TTDFont sig;
  sig.SigLen = 19;
  std::memcpy(sig.Signature.data(), kSignatureText, sig.Signature.size());
  sig.EofMark = 0x1A;
  return sig;
}

TFontHeader NewFontHeader(const std::string& name, uint8_t fontType, uint8_t spacing) {
  TFontHeader h;
  h.Marker = {0x55, 0xAA, 0x00, 0xFF};
  const size_t len = std::min<size_t>(name.size(), h.Name.size());
  h.NameLen = static_cast<uint8_t>(len);
  std::copy_n(name.begin(), len, h.Name.begin());
  h.FontType = fontType;
  h.Spacing = spacing;
  h.Offsets.fill(0xFF);
  return h;
}

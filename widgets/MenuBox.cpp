#include "widgets/MenuBox.h"

#include <algorithm>
#include <array>

#include "util/Text.h"
#include "widgets/ConTheme.h"
#include "widgets/ScreenCells.h"

namespace {

constexpr std::array<TFrameChars, 8> kFrames = {{
    {218, 196, 191, 179, 179, 192, 196, 217},
    {201, 205, 187, 186, 186, 200, 205, 188},
    {214, 196, 183, 186, 186, 211, 196, 189},
    {213, 205, 184, 179, 179, 212, 205, 190},
    {219, 223, 219, 219, 219, 219, 220, 219},
    {219, 223, 220, 219, 219, 223, 220, 219},
    {32, 32, 32, 32, 32, 32, 32, 32},
    {'.', '-', '.', '|', '|', '`', '-', '\''},
}};

std::string Repeat(uint8_t ch, int count) {
  return CharStr(static_cast<char>(ch), static_cast<uint8_t>(std::clamp(count, 0, 255)));
}

using TPad = std::string (*)(std::string_view, uint8_t, char);

std::string One(uint8_t ch) {
  return std::string(1, static_cast<char>(ch));
}

}  // namespace

const TFrameChars& FrameChars(uint8_t style) {
  return kFrames[(style >= 1 && style <= 8) ? style - 1 : 0];
}

TMenuBox::TMenuBox(TTextConsole& con)
    : Con(con),
      FrameStyle(kConTheme.BoxStyle),
      Color(kConTheme.BoxColor),
      Use3D(kConTheme.Box3D),
      Color2(kConTheme.BoxColor2),
      Color3(kConTheme.BoxColor3),
      Color4(kConTheme.BoxColor4),
      Shadow(kConTheme.BoxShadow),
      ShadowColor(kConTheme.BoxShadowColor),
      TitleColor(kConTheme.BoxTitleColor),
      Sunken(kConTheme.BoxSunken) {}

void TMenuBox::Box(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2) {
  if (!Saved) {
    Con.SaveScreen(SavedScreen);
    Saved = true;
  }
  if (!Use3D) Color2 = Color3 = Color4 = Color;

  const TFrameChars& f = FrameChars(FrameStyle);
  const int w = std::max(0, x2 - x1 - 1);
  // Sunken swaps the light and dark sides.
  const uint8_t topAttr = Sunken ? Color4 : Color;
  const uint8_t topRightAttr = Sunken ? Color : Color4;
  const uint8_t leftAttr = Sunken ? Color2 : Color;
  const uint8_t rightAttr = Sunken ? Color : Color2;
  const uint8_t bottomLeftAttr = Sunken ? Color2 : Color3;
  const uint8_t bottomAttr = Sunken ? Color3 : Color2;

  PutText(Con, x1, y1, topAttr, One(f.TopLeft) + Repeat(f.Top, w));
  PutText(Con, x2, y1, topRightAttr, One(f.TopRight));
  for (int y = y1 + 1; y <= y2 - 1; ++y) {
    PutText(Con, x1, y, leftAttr, One(f.Left) + Repeat(' ', w));
    PutText(Con, x2, y, rightAttr, One(f.Right));
  }
  PutText(Con, x1, y2, bottomLeftAttr, One(f.BottomLeft));
  PutText(Con, x1 + 1, y2, bottomAttr, Repeat(f.Bottom, w) + One(f.BottomRight));

  if (!Title.empty()) {
    const int len = static_cast<int>(ClipText(Title).size());
    const auto span = static_cast<uint8_t>(std::min(x2 - x1 + 1, 255));
    switch (TitleAlign) {
      case 0:
        PutText(Con, x1 + 1 + (w - len) / 2, y1, TitleColor, Title);
        break;
      case 1:
        PutText(Con, x1 + 1, y1, TitleColor, Title);
        break;
      case 2:
        PutText(Con, x2 - len, y1, TitleColor, Title);
        break;
      case 3:
      case 4:
      case 5: {
        // The title line replaces the whole top edge, corners included.
        static constexpr TPad kFit[] = {PadCenter, PadRight, PadLeft};
        PutText(Con, x1, y1, TitleColor, kFit[TitleAlign - 3](Title, span, ' '));
        break;
      }
      default:
        break;
    }
  }

  if (Shadow) {
    // The shadow only recolours what lies under it; cells beyond the screen
    // are dropped rather than clamped onto the box's own right edge.
    const auto shade = [this](int x, int y) {
      PutText(Con, x, y, ShadowColor, One(Con.GetCharAt(x, y)));
    };
    for (int y = y1 + 1; y <= y2 + 1; ++y)
      for (int x = x2 + 1; x <= x2 + 2; ++x) shade(x, y);
    for (int x = x1 + 2; x <= x2 + 2; ++x) shade(x, y2 + 1);
  }
}

void TMenuBox::Close() {
  if (Saved) Con.RestoreScreen(SavedScreen);
}

void SetDialogLook(TMenuBox& box) {
  box.FrameStyle = 1;
  box.Color = 8;
  box.Use3D = true;
  box.Color2 = 8;
  box.Color3 = 7;
  box.Color4 = 15;
  box.Shadow = true;
  box.ShadowColor = 8;
  box.TitleColor = 11;
  box.TitleAlign = 1;
}

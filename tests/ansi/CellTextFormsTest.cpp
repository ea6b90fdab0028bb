#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ansi/AnsiInterpreter.h"
#include "ansi/AnsiText.h"
#include "ansi/HtmlPage.h"
#include "ansi/MircText.h"
#include "console/CellGrid.h"
#include "util/Cp437.h"

namespace {

// 64 by 8 cells: every attribute, every character but the five the
// interpreter acts on (TAB, LF, CR, end of file, ESC) and the cleared cell.
TCellGrid EveryCell() {
  std::vector<uint8_t> chars;
  for (int c = 1; c < 256; ++c)
    if (c != 9 && c != 10 && c != 13 && c != 26 && c != 27)
      chars.push_back(static_cast<uint8_t>(c));
  TCellGrid canvas(64, 8);
  for (int k = 0; k < 64 * 8; ++k) {
    // 37 is odd: k * 37 runs through every attribute in 256 cells.
    const TScreenChar cell{chars[static_cast<size_t>(k) % chars.size()],
                           static_cast<uint8_t>(k * 37 % 256)};
    canvas.Put(k % 64, k / 64, k == 3 ? kBlankCell : cell);
  }
  return canvas;
}

// The cells as drawn: a cleared cell is written as a blank.
TScreenChar Shown(TScreenChar cell) {
  return cell.Ch == 0 ? TScreenChar{' ', cell.Attr} : cell;
}

// Code page 437 bytes with escapes read back by the art interpreter (with
// ice false, bit 7 read as blink).
void ExpectReadsBackAs(const std::string& cp437, const TCellGrid& canvas, bool ice = true) {
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  ansi->SetIce(ice);
  ansi->ProcessBuffer(std::span(reinterpret_cast<const uint8_t*>(cp437.data()), cp437.size()));
  const TCellGrid screen = ArtPictureGrid(ansi->Picture(), 0, ansi->Lines());
  ASSERT_EQ(screen.Height(), canvas.Rows());
  for (int y = 0; y < canvas.Rows(); ++y)
    for (int x = 0; x < canvas.Columns(); ++x)
      ASSERT_EQ(screen.At(x, y), Shown(canvas.At(x, y))) << "cell " << x << "," << y;
}

TEST(CellTextForms, AnsiFormsReadBackAsTheSameCells) {
  const TCellGrid canvas = EveryCell();
  {
    SCOPED_TRACE("code page 437");
    ExpectReadsBackAs(CellRowsToAnsi(canvas, TAnsiForm::Cp437), canvas);
  }
  {
    SCOPED_TRACE("UTF-8");
    const std::string utf8 = CellRowsToAnsi(canvas, TAnsiForm::Utf8);
    ExpectReadsBackAs(Utf8ToCp437(utf8), canvas);
  }
  {
    // The interpreter takes 24-bit colours to the nearest VGA colour: exact
    // for the VGA palette's own.
    SCOPED_TRACE("24-bit colours");
    const std::string utf8 = CellRowsToAnsi(canvas, TAnsiForm::TrueColor, kVgaPalette);
    EXPECT_NE(utf8.find("38;2;255;255;85"), std::string::npos);
    ExpectReadsBackAs(Utf8ToCp437(utf8), canvas);
  }
  // Bit 7 as blink: dark backgrounds and code 5, never a bright background.
  for (const TAnsiForm form : {TAnsiForm::Utf8, TAnsiForm::TrueColor}) {
    SCOPED_TRACE(form == TAnsiForm::Utf8 ? "UTF-8, blink" : "24-bit colours, blink");
    const std::string utf8 = CellRowsToAnsi(canvas, form, kVgaPalette, true);
    EXPECT_NE(utf8.find(";5m"), std::string::npos);
    EXPECT_EQ(utf8.find(";10"), std::string::npos);
    EXPECT_EQ(utf8.find("48;2;85;85;255"), std::string::npos);
    ExpectReadsBackAs(Utf8ToCp437(utf8), canvas, false);
  }
}

TEST(CellTextForms, MircCodesEveryRowAndChange) {
  TCellGrid canvas(3, 2);
  canvas.Put(0, 0, {'1', 0x1E});  // yellow on blue, a digit after the code
  canvas.Put(1, 0, {'2', 0x1E});
  canvas.Put(2, 0, {0xDB, 0x4F});  // a full block, white on red
  canvas.Put(0, 1, {'x', 0x07});
  EXPECT_EQ(CellRowsToMirc(canvas),
            "\x03"
            "08,021"
            "2\x03"
            "00,05\u2588\n\x03"
            "15,01x  \n");
}

TEST(CellTextForms, HtmlPageHoldsTheCellsAsSpans) {
  TCellGrid canvas(4, 2);
  canvas.Put(0, 0, {'<', 0x1E});
  canvas.Put(1, 0, {'&', 0x1E});
  canvas.Put(2, 0, {0xB0, 0xC4});
  canvas.Put(1, 1, {'"', 0x70});
  const std::string page = CellRowsToHtml(canvas, kVgaPalette, "Hi <there>");
  EXPECT_NE(page.find("<title>Hi &lt;there&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find(".f14{color:#ffff55}"), std::string::npos);
  // Each span back into cells: classes fN bN, the text unescaped.
  const std::regex span("<span class=\"f(\\d+) b(\\d+)\">([^<]*)</span>|\n");
  std::vector<std::vector<TScreenChar>> rows(1);
  const size_t pre = page.find("<pre>") + 5;
  const std::string body = page.substr(pre, page.find("</pre>") - pre);
  for (std::sregex_iterator it(body.begin(), body.end(), span), end; it != end; ++it) {
    if ((*it)[0] == "\n") {
      rows.emplace_back();
      continue;
    }
    std::string text = (*it)[3];
    for (const auto& [entity, ch] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
      for (size_t at; (at = text.find(entity)) != std::string::npos;)
        text.replace(at, std::string_view(entity).size(), ch);
    }
    const auto attr = static_cast<uint8_t>(std::stoi((*it)[1]) | std::stoi((*it)[2]) << 4);
    for (const char ch : Utf8ToCp437(text)) rows.back().push_back({static_cast<uint8_t>(ch), attr});
  }
  rows.pop_back();  // after the last row's line end
  ASSERT_EQ(rows.size(), 2u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(rows[y].at(x), Shown(canvas.At(x, y))) << x << "," << y;
}

}  // namespace

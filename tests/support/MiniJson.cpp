#include "MiniJson.h"

#include <charconv>
#include <cstdint>

#include "util/Cp437.h"

namespace {

const TJson kNull;

class TParser {
 public:
  explicit TParser(std::string_view text) : Text(text) {}

  bool Document(TJson& out) {
    if (!Value(out, 0)) return false;
    SkipBlanks();
    return Pos == Text.size() || Fail("trailing characters");
  }
  std::string Error;

 private:
  bool Fail(const char* what) {
    Error = std::string(what) + " at " + std::to_string(Pos);
    return false;
  }
  void SkipBlanks() {
    while (Pos < Text.size() &&
           (Text[Pos] == ' ' || Text[Pos] == '\n' || Text[Pos] == '\r' || Text[Pos] == '\t')) {
      ++Pos;
    }
  }
  bool Literal(std::string_view word) {
    if (Text.substr(Pos, word.size()) != word) return Fail("bad literal");
    Pos += word.size();
    return true;
  }
  bool Hex4(uint32_t& v) {
    if (Pos + 4 > Text.size()) return Fail("short \\u escape");
    const auto [p, ec] = std::from_chars(Text.data() + Pos, Text.data() + Pos + 4, v, 16);
    if (ec != std::errc() || p != Text.data() + Pos + 4) return Fail("bad \\u escape");
    Pos += 4;
    return true;
  }
  bool String(std::string& out) {
    ++Pos;  // opening quote
    while (Pos < Text.size()) {
      const char c = Text[Pos++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (Pos >= Text.size()) break;
      const char e = Text[Pos++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          uint32_t cp = 0;
          if (!Hex4(cp)) return false;
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            uint32_t low = 0;
            if (Text.substr(Pos, 2) != "\\u") return Fail("lone surrogate");
            Pos += 2;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return Fail("bad surrogate pair");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default:
          return Fail("bad escape");
      }
    }
    return Fail("unterminated string");
  }
  bool Value(TJson& out, int depth) {
    if (depth > 64) return Fail("too deep");
    SkipBlanks();
    if (Pos >= Text.size()) return Fail("value expected");
    const char c = Text[Pos];
    if (c == '{') {
      out.Kind = TJson::jObject;
      ++Pos;
      SkipBlanks();
      if (Pos < Text.size() && Text[Pos] == '}') return ++Pos, true;
      while (true) {
        SkipBlanks();
        if (Pos >= Text.size() || Text[Pos] != '"') return Fail("member name expected");
        std::string key;
        if (!String(key)) return false;
        SkipBlanks();
        if (Pos >= Text.size() || Text[Pos] != ':') return Fail("':' expected");
        ++Pos;
        if (!Value(out.Members[key], depth + 1)) return false;
        SkipBlanks();
        if (Pos < Text.size() && Text[Pos] == ',') {
          ++Pos;
          continue;
        }
        if (Pos < Text.size() && Text[Pos] == '}') return ++Pos, true;
        return Fail("',' or '}' expected");
      }
    }
    if (c == '[') {
      out.Kind = TJson::jArray;
      ++Pos;
      SkipBlanks();
      if (Pos < Text.size() && Text[Pos] == ']') return ++Pos, true;
      while (true) {
        if (!Value(out.Items.emplace_back(), depth + 1)) return false;
        SkipBlanks();
        if (Pos < Text.size() && Text[Pos] == ',') {
          ++Pos;
          continue;
        }
        if (Pos < Text.size() && Text[Pos] == ']') return ++Pos, true;
        return Fail("',' or ']' expected");
      }
    }
    if (c == '"') {
      out.Kind = TJson::jString;
      return String(out.String);
    }
    if (c == 't' || c == 'f') {
      out.Kind = TJson::jBool;
      out.Bool = c == 't';
      return Literal(out.Bool ? "true" : "false");
    }
    if (c == 'n') {
      out.Kind = TJson::jNull;
      return Literal("null");
    }
    out.Kind = TJson::jNumber;
    const auto [p, ec] = std::from_chars(Text.data() + Pos, Text.data() + Text.size(), out.Number);
    if (ec != std::errc()) return Fail("value expected");
    Pos = static_cast<size_t>(p - Text.data());
    return true;
  }

  std::string_view Text;
  size_t Pos = 0;
};

}  // namespace

const TJson& TJson::operator[](const std::string& key) const {
  const auto it = Members.find(key);
  return it == Members.end() ? kNull : it->second;
}

const TJson& TJson::operator[](size_t index) const {
  return index < Items.size() ? Items[index] : kNull;
}

bool ParseJson(std::string_view text, TJson& out, std::string* error) {
  out = TJson{};
  TParser parser(text);
  const bool ok = parser.Document(out);
  if (!ok && error) *error = parser.Error;
  return ok;
}

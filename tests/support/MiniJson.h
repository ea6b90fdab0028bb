#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Just enough JSON to read the expected results that come with the test data
// and to check the output of the command-line tool. Not for production use.
struct TJson {
  enum TKind { jNull, jBool, jNumber, jString, jArray, jObject } Kind = jNull;
  bool Bool = false;
  double Number = 0;
  std::string String;  // UTF-8
  std::vector<TJson> Items;
  std::map<std::string, TJson> Members;

  // Member access that answers a null value for anything missing.
  const TJson& operator[](const std::string& key) const;
  const TJson& operator[](size_t index) const;
};

// False (with a message in *error) when text is not one well-formed JSON value.
bool ParseJson(std::string_view text, TJson& out, std::string* error = nullptr);

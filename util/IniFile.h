#pragma once

#include <map>
#include <string>

// Configuration files (brixel.ini): sections of key = value lines.

// The file's text; empty when there is none or it is no regular file (the
// parser's own reading would wait on a FIFO or device forever at start-up).
std::string ReadIniText(const std::string& iniPath);
// The values of the file, by lower-case "section.key"; a later line wins.
std::map<std::string, std::string> ReadIniValues(const std::string& iniPath);

#pragma once

#include <string>
#include <string_view>

#include "ansi/ArtPicture.h"

// The plain-text export of art: what the viewer shows, as text. One
// routine serves Ctrl+S in the viewer and brixel-cli text.

// The picture's rows as code page 437 bytes, each ended by LF. A
// cleared cell (0) and 255 are blanks, as the viewer draws them; the blanks
// at the end of each row are left out, and so are the empty rows after the
// last row that holds anything (an empty picture gives an empty text).
// Colours, escape sequences and a SAUCE record are never part of the text.
std::string PictureText(const TArtPicture& picture);

// The export's usual name: the art file's name with ".txt" for its extension
// ("art.ans" gives "art.txt").
std::string ArticleName(std::string_view artFile);

// Writes the text of picture into a new file dest; an existing dest is
// overwritten only with replace (then the file is replaced whole). On false,
// why says what went wrong in the user's words ("notes.txt exists already",
// "cannot create notes.txt: permission denied") and error holds the errno
// (EEXIST for a file in the way).
bool SaveArticle(const TArtPicture& picture, std::string_view dest, std::string& why, int& error,
                 bool replace = false);

// Ctrl+S: saves the text of picture under name beside artFile. A name with a
// "/" is a path of its own and used as given. When the art's folder cannot
// be written (read-only, no permission), a plain name goes into fallbackDir
// instead. path receives the path of the new file; on false, the path of
// the file in the way when one was, else "". replace is a path the user
// agreed to write over (a copy: it may be the path of the call before).
bool SaveArticleBeside(const TArtPicture& picture, std::string_view artFile, std::string_view name,
                       std::string_view fallbackDir, std::string& path, std::string& why,
                       std::string replace = {});

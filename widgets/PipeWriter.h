#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "console/ScreenTypes.h"
#include "console/TextConsole.h"

// Text with embedded pipe codes: PipeChar followed by two characters. Two
// digits ("|00".."|15" foreground, "|16".."|31" background) change the colour;
// two characters starting with B, C, D, O, P, R, S, T, X or "[" run a command.

// Text shown by "|PM" before it waits for a key.
extern std::string PausePrompt;
// The screen image kept by "|SS" and put back by "|RS".
extern TCellGrid CommandSavedScreen;

// Where "|TD" and "|TT" get the local date and time. Tests install a fixed clock.
using TPipeClock = std::tm (*)();
extern TPipeClock PipeClock;
std::tm LocalClock();

// Writes s at (x, y) starting in attr, interpreting colour and command codes.
// Afterwards TextAttr and the cursor are what they were before the call, so
// cursor commands only steer the rest of the same text.
void WritePipeXY(TTextConsole& con, uint8_t x, uint8_t y, uint8_t attr, std::string_view s);
// WritePipeXY at the cursor in the current attribute.
void WritePipe(TTextConsole& con, std::string_view s);
// Runs one command code (the two characters after the pipe, fewer at the end
// of a text); true when the code was taken as a command, even an unknown one
// of a known group.
bool ExecCommandCode(TTextConsole& con, std::string_view code);
// The plain writer of the pause prompt: colour codes only, no wrapping, no
// control characters; what does not fit on the row is dropped. The colour it
// leaves is not undone.
void WritePromptPipe(TTextConsole& con, std::string_view s);

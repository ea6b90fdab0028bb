#pragma once

// Subcommands of brixel-cli. Each gets the arguments after its own name and
// answers the process exit code: 0 on success, 1 on bad input.
int RunListCommand(int argc, char** argv);
int RunFontsCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);
int RunCreateCommand(int argc, char** argv);
int RunRenameCommand(int argc, char** argv);
int RunSpacingCommand(int argc, char** argv);
int RunTypeCommand(int argc, char** argv);
int RunExtractCommand(int argc, char** argv);
int RunMergeCommand(int argc, char** argv);
int RunAnsiCommand(int argc, char** argv);
int RunTextCommand(int argc, char** argv);
int RunCaptureCommand(int argc, char** argv);
int RunGlyphCommand(int argc, char** argv);
int RunSauceCommand(int argc, char** argv);

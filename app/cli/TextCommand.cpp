// brixel-cli text: the viewer's plain-text export of an ANSI art file,
// written to the path given.

#include <memory>
#include <string>

#include "ansi/AnsiArticle.h"
#include "ansi/AnsiFile.h"
#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "util/Files.h"

namespace {

const TCliCommand kText("text", "usage: brixel-cli text [--] FILE OUT\n");

}  // namespace

int RunTextCommand(int argc, char** argv) {
  TCliArgs args;
  if (!kText.Parse(argc, argv, {}, args)) return 1;
  if (args.Help) return kText.ShowHelp();
  if (!kText.ExpectPositionals(args, {"FILE", "OUT"})) return 1;
  const std::string& path = args.Positional[0];

  auto picture = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  if (!LoadAnsiFile(path, *picture, error)) return kText.Fail(path + ": " + FileErrorText(error));
  return kText.WriteOutputFile(args.Positional[1], PictureText(*picture), {path}) ? 0 : 1;
}

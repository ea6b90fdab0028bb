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
int Run(int argc, char** argv);
}  // namespace

const TCliCommand kTextCommand("text", "the plain-text export of an ANSI art file, written to OUT",
                               "usage: brixel-cli text [--] FILE OUT\n", Run);

namespace {

int Run(int argc, char** argv) {
  TCliArgs args;
  if (!kTextCommand.Parse(argc, argv, {}, args)) return 1;
  if (args.Help) return kTextCommand.ShowHelp();
  if (!kTextCommand.ExpectPositionals(args, {"FILE", "OUT"})) return 1;
  const std::string& path = args.Positional[0];

  auto picture = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  if (!LoadAnsiFile(path, *picture, error))
    return kTextCommand.Fail(path + ": " + FileErrorText(error));
  return kTextCommand.WriteOutputFile(args.Positional[1], PictureText(picture->Picture()), {path})
             ? 0
             : 1;
}

}  // namespace

// The window program: the console window and its refresh thread around the shell.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "app/Shell.h"
#include "console/sdl/SDLConsole.h"
#include "console/sdl/SDLDraw.h"
#include "util/Paths.h"
#include "util/Version.h"

namespace {

// TERM (and INT from a terminal) end the program like closing the window: at
// once, with exit code 0. Only async-signal-safe calls here; every log line
// was already flushed when it was written.
extern "C" void EndOnSignal(int) {
  _exit(0);
}

void InstallExitSignals() {
  struct sigaction action {};
  action.sa_handler = EndOnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// BRIXEL_DEBUG=1 (any value but empty or 0) brings the console's diagnostic
// lines back; a normal run prints nothing.
bool DiagnosticsWanted() {
  const char* value = std::getenv("BRIXEL_DEBUG");
  return value != nullptr && *value != 0 && std::string_view(value) != "0";
}

}  // namespace

int main(int argc, char** argv) {
  SetProgramArg0(argv[0]);
  // Before any window exists, so the usage text works without a display.
  if (HandleHelpSwitch(argc, argv) || HandleVersionSwitch(argc, argv)) return 0;
  // Installed before SDL starts, which then leaves these signals alone.
  InstallExitSignals();
  // A save past the file-size limit (ulimit -f) fails with EFBIG and is
  // reported, instead of ending the program with the work unsaved.
  ::signal(SIGXFSZ, SIG_IGN);

  // The one console of the program, and the window that shows it.
  TTextConsole console(1);
  auto window = std::make_unique<TSDLConsole>(console, kBrixelTitle, "", DiagnosticsWanted());
  if (!window->Ready()) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", window->StartFailure().c_str());
    return 1;
  }
  window->SetIcon("tdf.ico");
  auto draw = std::make_unique<TSDLDraw>(*window);
  draw->Start();

  TShell shell(console);
  RunShell(shell, argc, argv);

  console.SetTextAttr(7);
  draw->RequestQuit();
  console.ClrScr();
  draw.reset();
  window.reset();
  std::fflush(stdout);
  return 0;
}

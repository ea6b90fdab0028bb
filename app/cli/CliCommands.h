#pragma once

// Subcommands of brixel-cli. Each gets the arguments after its own name and
// answers the process exit code: 0 on success, 1 on bad input.
int RunListCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);

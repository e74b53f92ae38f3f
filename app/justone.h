#pragma once

// Program start-up: the single-instance guard, the program directory, then the main
// window and the message loop. Returns the process exit code.
int RunAddrina(int argc, char** argv);

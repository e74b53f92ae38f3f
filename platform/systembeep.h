#pragma once
// The system beep that the program sounds when a move runs past either end or a command
// is refused. Replaceable, so tests can count beeps instead of hearing them.

#include <functional>

void SystemBeep();

// Installs a replacement; an empty function restores the real beep.
void SetBeepHandler(std::function<void()> handler);

#pragma once

// The launcher prepares the user's data folder and starts the program in it.
// When it cannot, it starts the program with the reason, in Dutch, in the
// environment variable SELVANOR_LAUNCHER_ERROR instead, so that a user who
// started Selvanor from the menu, with no terminal, still reads why. Only the
// launcher sets it; the program has no other input of this kind.
//
// Shows that reason in the error box and returns true once the user closed
// it; returns false, showing nothing, when the variable is unset or empty.
bool showLauncherError();

#pragma once

// The pictures kept with the windows live in the program's resources; a
// static library needs them registered before first use.
void initPresentationResources();

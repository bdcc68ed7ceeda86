#pragma once

// Application-wide tooltip timing: the delay before a hint shows, the delay
// before the next one, and how long it stays up (milliseconds).
void setHintTiming(int pause, int shortPause, int hidePause);
int hintHidePause();

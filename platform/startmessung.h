#pragma once

#include <functional>

class QWidget;

// For bench/start: when the environment variable MORVANE_STARTMESSUNG is set, the program writes
// "bild <wall clock> <processor time> <peak memory>" (CLOCK_REALTIME and CLOCK_PROCESS_CPUTIME_ID in microseconds,
// the peak resident size in kilobytes, 0 where the system does not tell) to standard output as soon as a frame of
// `fenster` has been painted and handed to the window system after which `fertig` holds (the first frame when it
// is empty), and ends there. Without the variable it does nothing.
void MeldeErstesBild(QWidget &fenster, std::function<bool()> fertig = {});

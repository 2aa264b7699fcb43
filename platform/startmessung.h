#pragma once

class QWidget;

// For bench/start: when the environment variable MORVANE_STARTMESSUNG is set, the program writes
// "bild <wall clock> <processor time>" (CLOCK_REALTIME and CLOCK_PROCESS_CPUTIME_ID, in microseconds) to
// standard output as soon as the first frame of `fenster` has been painted and handed to the window system, and
// ends there. Without the variable it does nothing.
void MeldeErstesBild(QWidget &fenster);

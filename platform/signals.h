#pragma once

// A descriptor that becomes readable each time the process receives SIGTERM, SIGINT or SIGHUP,
// which no longer end the process; -1 when it cannot be set up. An event loop watches it to end
// the program in order.
int WatchTerminationSignals();

// Takes one signal's notice off the descriptor.
void AcknowledgeTerminationSignal(int descriptor);

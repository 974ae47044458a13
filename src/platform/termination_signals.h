#pragma once

// Turns the signals a desktop session sends on its way out (SIGTERM, SIGHUP,
// SIGINT) into an ordinary end of the event loop, so the program leaves
// through its own shutdown and saves its settings.
void QuitOnTerminationSignals();

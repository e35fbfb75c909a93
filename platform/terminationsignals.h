#pragma once
// SIGTERM (a session logging out), SIGINT and SIGHUP end the program the
// orderly way: the signal only writes one byte into a pipe, and the event loop,
// woken by that byte, quits the application. Everything that runs when the
// application quits (the marker file's "NON") then runs as usual, never inside
// the signal handler.

namespace titrage {

// Installs the handlers; call once, after the QCoreApplication exists.
// False when the pipe or a handler could not be set up.
bool quitOnTerminationSignals();

} // namespace titrage

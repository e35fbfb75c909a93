#pragma once
// SIGTERM (a session logging out), SIGINT and SIGHUP end the program the
// orderly way: the signal only writes one byte into a pipe, and the event loop,
// woken by that byte, quits the application. Everything that runs when the
// application quits (the marker file's "NON") then runs as usual, never inside
// the signal handler.
//
// The byte is only read once control is back in an event loop. A session
// that logs out sends SIGKILL a few seconds after SIGTERM, so work that holds
// the loop for long (loading a configuration, an exercise, the launcher's
// request) asks terminationRequested() between its steps and gives up,
// leaving the bench as it was, so that the loop reads the byte in time.

namespace titrage {

// Installs the handlers; call once, after the QCoreApplication exists.
// False when the pipe or a handler could not be set up.
bool quitOnTerminationSignals();

// True once a termination signal has arrived (the handler sets it beside the
// pipe byte); it stays set, since the program is ending.
bool terminationRequested();

// Sets or clears the flag as the handler would, without the pipe byte: tests
// stand for a signal arriving in the middle of a load.
void setTerminationRequested(bool requested);

} // namespace titrage

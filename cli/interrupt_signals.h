#pragma once

// SIGINT, SIGTERM and SIGHUP ask the running search to stop. The handler only sets a flag; the
// platform's message pump turns it into the view's interrupt request, so that the search unwinds and
// the files are completed and closed. A second signal of the same kind ends the program at once.
// SIGPIPE is ignored: writing to output that has gone away fails like any other write.
void installInterruptHandlers();
bool interruptSignalled();

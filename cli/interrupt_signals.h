#pragma once

// SIGINT, SIGTERM and SIGHUP ask the running search to stop. The handler only sets a flag; the
// platform's message pump turns it into the view's interrupt request, so that the search unwinds and
// the files are completed and closed. A second signal of the same kind ends the program at once.
// SIGPIPE is ignored: writing to output that has gone away fails like any other write. So is SIGXFSZ:
// a file size limit (`ulimit -f`) makes the write fail, and the search stops at that solution with a
// message, instead of the program being killed with its files cut in the middle of a record.
// Standard input, output and error that are closed at the start are held by a descriptor open for
// reading only, so that no file of the search takes their number and every write to them fails.
void installInterruptHandlers();
bool interruptSignalled();

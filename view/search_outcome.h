#pragma once

#include <string>
#include <vector>

#include "search/tiling_classes.h"

// How a search of the view ended, as a value: the window turns it into its message boxes, the
// command-line solver into its exit status and summary, without reading any text meant for a person.
struct SearchOutcome {
    enum class End {
        Refused,      // it never started; `refusal` says why
        Finished,     // every solution was found, or as many as the limit asks (`limitReached`)
        Interrupted,  // stopped by the user (a key, Ctrl+C, a stop request)
        WriteFailed,  // stopped by the first write to its files that failed
    };
    enum class Refusal {
        None,          // it started
        NotReady,      // a search runs or is prepared already, or there is nothing to search
        BadPiece,      // a piece to place has triangles on the same place
        Checkerboard,  // the checkerboard method rules a tiling out, and the answer was not to go on
        NoRoom,        // cells may stay open, but the pieces have more triangles than the Board has cells
        NoMemory,
        CannotWrite,  // the lock or a file could not be made or put in place
        OutputInUse,  // another search writes the same files in that folder
        Interrupted,  // interrupted while it was prepared: the earlier files stay
    };
    // A message the window shows with an exclamation mark, in its own Dutch words.
    struct Message {
        std::string text;
        std::string caption;
    };

    End end = End::Refused;
    Refusal refusal = Refusal::NotReady;
    std::int64_t solutions = 0;
    std::vector<Message> errors;  // why it was refused, or the files that could not be written whole
    std::string title;            // "Klaar", "Onderbroken" or "Schrijffout" once it started
    std::string summary;          // the log's last line
    TilingCounts counts;
    bool limitReached = false;  // finished at the limit of solutions: the counts are incomplete

    bool started() const { return end != End::Refused; }
};

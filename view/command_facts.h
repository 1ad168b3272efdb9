#pragma once

#include <span>

// Who carries out a command: the window (it needs a dialog, the clipboard, the printer or the window's
// own bars), the view (view/view_commands.cpp), or nobody (a key of the accelerator table that this
// program has no handler for: it does nothing and is never enabled).
enum class CommandHandler { Window, View, None };

// The facts of each command, the same for every menu, toolbar button, key and context menu that
// carries it: its identifiers (a range for the fill colours and the recent files), whether it shows a
// check mark, and who handles it. Whether it is enabled and checked now is CommandState's business.
struct CommandFacts {
    int first;
    int last;
    bool checkable;
    CommandHandler handler;
};

std::span<const CommandFacts> commandFactsTable();
// The facts of `id`; a command not in the table is the view's, without a check mark.
CommandFacts commandFacts(int id);

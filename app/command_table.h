#pragma once

#include <span>

// The menus, toolbar, accelerators and context menus of the main window, as data. The window builds
// its actions from these tables; the command identifiers are those of view/command_ids.h.

// One entry of a menu: the identifier (0 for a separator), the text as displayed ("&" marks the
// mnemonic, "\t" separates the key shown on the right) and the prompt: the status-bar text before
// "\n" and the tooltip after it; nullptr where the entry has none.
struct MenuEntry {
    int id;
    const char* text;
    const char* prompt;
};

struct MenuTable {
    const char* title;
    std::span<const MenuEntry> entries;
};

// A toolbar button (id 0 for a gap) with its prompt; the image is drawn by toolbar_icons.
struct ToolButtonEntry {
    int id;
    const char* prompt;
};

// A key of the accelerator table, in the notation of QKeySequence::fromString (PortableText);
// "Num+" and "Num-" are the keypad's plus and minus.
struct AcceleratorEntry {
    const char* keys;
    int id;
};

std::span<const MenuTable> mainMenuTable();
std::span<const MenuEntry> editingContextMenuTable();
std::span<const MenuEntry> solutionsContextMenuTable();
std::span<const ToolButtonEntry> toolBarTable();
std::span<const AcceleratorEntry> acceleratorTable();

// The prompt of a command: that of its main-menu entry, else of its toolbar button, else of the string
// table for commands without an entry; nullptr when it has none.
const char* promptFor(int id);

// Pane 0's text whenever no prompt or message is shown.
const char* idleStatusText();

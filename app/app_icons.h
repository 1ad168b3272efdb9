#pragma once

#include <QIcon>

// The images of the toolbar's buttons, 16 x 15 pixels, drawn here; an empty icon for other ids.
QIcon toolbarIcon(int id);

// The application's icon (the installed SVG, shipped in the program's resources).
QIcon applicationIcon();

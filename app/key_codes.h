#pragma once

// The code that waiting at a solution returns for a Qt key (Qt::Key): Escape 27, Insert 28,
// Delete 29, Up 30, Down 31, Left 32, Right 33, every other key 0. The keypad's Insert, Delete and
// arrows (with Num Lock off) count like the dedicated keys, as they share their scan codes.
int keyCodeForQtKey(int qtKey);

#pragma once

#include <string>

// Why a file could not be made or written, in Dutch, from an errno value. The machines the program
// runs on often have no Dutch locale, so the common reasons are fixed texts of our own; any other is
// "systeemfout N".
std::string fileErrorText(int error);

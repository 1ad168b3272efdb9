#pragma once

#include <ctime>
#include <string>

// The last line of a search's log, without the two line ends that come before it in the file:
// "Klaar. Duur: 1:02:05, aantal oplossingen 12, op 16-12-1999 14:05:09". `title` is "Klaar" or
// "Onderbroken". The search driver writes it to the log; the command-line solver prints it.
std::string searchSummary(const std::string& title, long seconds, int solutionCount, const std::tm& end);

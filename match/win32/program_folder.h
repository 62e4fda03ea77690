// The folder that holds Match.exe: where the unmatch list is written and the help file is found.
#pragma once

#include <string>

namespace match {

// The full path of the running executable, however long; empty only if the system cannot say.
std::wstring ProgramPath();

// ProgramPath() without its last component, as Windows writes it (a drive's root keeps its "\").
std::wstring ProgramFolder();

} // namespace match

// The folder that holds the running program: where Match writes its unmatch lists and both
// programs find their help files.
#pragma once

#include <string>

namespace lyrics {

// The full path of the running executable, however long; empty only if the system cannot say.
std::wstring ProgramPath();

// ProgramPath() without its last component, as Windows writes it (a drive's root keeps its "\").
std::wstring ProgramFolder();

// The folder part of a full path: "C:\Tools\Match.exe" -> "C:\Tools", "C:\Match.exe" -> "C:\";
// empty when the path names no folder.
std::wstring FolderOfPath(std::wstring path);

}  // namespace lyrics

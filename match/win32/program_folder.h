// The folder that holds Match.exe: where the unmatch list is written and the help file is found.
#pragma once

#include <string>

namespace lyrics::match::win32 {

// The full path of the running executable, however long; empty only if the system cannot say.
std::wstring ProgramPath();

// ProgramPath() without its last component, as Windows writes it (a drive's root keeps its "\").
std::wstring ProgramFolder();

// The folder part of a full path: "C:\Tools\Match.exe" -> "C:\Tools", "C:\Match.exe" -> "C:\";
// empty when the path names no folder.
std::wstring FolderOfPath(std::wstring path);

}  // namespace lyrics::match::win32

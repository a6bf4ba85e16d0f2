#pragma once
// The window utilities' text rules, free of Win32 so they are tested natively.
#include <string>

// If s holds no "\" returns false; otherwise drops everything up to and
// including the first "\".
bool StripFirstDir(std::string& s);
std::string BaseNameOfPath(const std::string& modulePath);    // up to the name's first "."
std::string FolderOfPath(const std::string& modulePath);      // without the trailing "\"
std::string IntToText(int n);                                 // "%d"

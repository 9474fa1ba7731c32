#pragma once

#include <string>

// Whether file bytes are not text at all (a picture, an archive, a program):
// they hold a NUL byte, or most of them are control characters other than
// tab, line feed, form feed and carriage return. Such a file would open as a
// canvas of garbage, so it is refused instead.
bool LooksBinary(const std::string& bytes);

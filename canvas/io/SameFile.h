#pragma once

#include <string>

// Whether two paths name the same existing file: the same device and inode, so
// a hard link, a symbolic link or another spelling of the path all count. False
// when either path has no file.
bool IsSameFile(const std::string& a, const std::string& b);

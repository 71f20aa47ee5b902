#pragma once

#include <memory>
#include <string>

class FolderItem;

// Tests only: makes the bundle lookup start from this path instead of the running
// executable (an empty path restores the executable).
void SetBundleExecutableForTests(const std::string& path);

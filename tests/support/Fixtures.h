// The committed test fixtures (tests/fixtures in the source tree, made by
// scripts/make-fixtures) and whole-file reads for tests.
#pragma once

#include <filesystem>
#include <string>

// The path of the fixture `name` in the source tree; the file need not exist.
std::filesystem::path FixturePath(const std::string& name);

// Every byte of the file, unchanged; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

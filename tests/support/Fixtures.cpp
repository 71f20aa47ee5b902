#include "tests/support/Fixtures.h"

#include <fstream>
#include <iterator>

std::filesystem::path FixturePath(const std::string& name) {
  return std::filesystem::path(LUMIVOX_SOURCE_DIR) / "tests" / "fixtures" / name;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

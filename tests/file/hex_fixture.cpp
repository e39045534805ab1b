#include "hex_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/track_file.h"
#include "platform/archive_exception.h"

namespace {

void ParseLine(const std::string& line, std::vector<std::uint8_t>& bytes,
               const std::string& where) {
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '#') return;
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '"') {
      const auto close = line.find('"', i + 1);
      if (close == std::string::npos) return ADD_FAILURE() << where << ": unclosed string";
      bytes.insert(bytes.end(), line.begin() + static_cast<long>(i) + 1,
                   line.begin() + static_cast<long>(close));
      i = close + 1;
    } else if (i + 1 < line.size() && std::isxdigit(static_cast<unsigned char>(c)) &&
               std::isxdigit(static_cast<unsigned char>(line[i + 1]))) {
      bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16)));
      i += 2;
    } else {
      return ADD_FAILURE() << where << ": unexpected '" << c << "'";
    }
  }
}

}  // namespace

std::vector<std::uint8_t> LoadFixture(const std::string& name) {
  std::ifstream in(std::string(TRASSO_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << "missing fixture " << name;
  std::vector<std::uint8_t> bytes;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    ParseLine(line, bytes, name + ":" + std::to_string(number));
  }
  return bytes;
}

std::string LoadError(const std::vector<std::uint8_t>& bytes) {
  try {
    LoadTrackBytes(bytes);
  } catch (const CArchiveException& e) {
    return e.what();
  }
  return "loaded";
}

#include "hex_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/track_file.h"
#include "platform/archive_exception.h"

std::vector<std::uint8_t> LoadFixture(const std::string& name) {
  std::ifstream in(std::string(TRASSO_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << "missing fixture " << name;
  std::vector<std::uint8_t> bytes;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    for (std::size_t i = 0; i < line.size() && line[i] != '#';) {
      const auto hex = [&](std::size_t at) {
        return at < line.size() && std::isxdigit(static_cast<unsigned char>(line[at]));
      };
      if (std::isspace(static_cast<unsigned char>(line[i]))) {
        ++i;
      } else if (line[i] == '"' && line.find('"', i + 1) != std::string::npos) {
        const auto close = line.find('"', i + 1);
        bytes.insert(bytes.end(), line.begin() + i + 1, line.begin() + close);
        i = close + 1;
      } else if (hex(i) && hex(i + 1)) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16)));
        i += 2;
      } else {
        ADD_FAILURE() << name << ":" << number << ": unexpected '" << line[i] << "'";
        return bytes;
      }
    }
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

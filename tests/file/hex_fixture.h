#pragma once
// Reads the hand-written fixtures of tests/data (see tests/data/README.md).

#include <cstdint>
#include <string>
#include <vector>

// The bytes of tests/data/<name>; fails the test on a malformed fixture.
std::vector<std::uint8_t> LoadFixture(const std::string& name);

// The message of the CArchiveException that loading `bytes` throws, or
// "loaded" when it does not throw.
std::string LoadError(const std::vector<std::uint8_t>& bytes);

// Helpers of the configuration file tests: a private folder per test, raw payloads written and
// read through Allegro's packed files, and runs under an ordinary user's rights.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Appends a little-endian 32-bit value, built with shifts rather than copied from memory.
void put_le32(Bytes &bytes, uint32_t value);
uint32_t float_bits(float value);
float float_from_bits(uint32_t bits);

// Writes `payload` as a packed file, as the game would find it on disk.
void write_packed(const std::string &path, const Bytes &payload);
// The whole payload of a packed file; fails the test when the file does not open packed.
Bytes read_packed(const std::string &path);
// The raw bytes of any file, or of a file to be made.
Bytes read_raw(const std::string &path);
void write_raw(const std::string &path, const Bytes &bytes);
// The names in the current folder, sorted.
std::vector<std::string> folder_names();

// Runs `body` in a child process with the rights of the user "nobody" and returns its exit code,
// or -1 when rights cannot be dropped (then the calling test is skipped).
int run_as_nobody(const std::function<int()> &body);

// Every test runs in a fresh temporary folder, with the records and settings at their start
// values.
class ConfigFileTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    std::string previous_folder_;
    std::string folder_;
};

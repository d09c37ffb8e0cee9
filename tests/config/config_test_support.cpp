#include "config_test_support.h"

#include "config/controls.h"
#include "match/world.h"

#include <allegro.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr uid_t NOBODY_ID = 65534;
constexpr int NO_RIGHTS_DROPPED = 125;
constexpr long READ_CHUNK = 4096;
} // namespace

void put_le32(Bytes &bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
}

uint32_t float_bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float float_from_bits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void write_packed(const std::string &path, const Bytes &payload) {
    PACKFILE *file = pack_fopen(path.c_str(), "pw");
    ASSERT_NE(file, nullptr) << path;
    if (!payload.empty()) {
        ASSERT_EQ(pack_fwrite(payload.data(), static_cast<long>(payload.size()), file),
                  static_cast<long>(payload.size()));
    }
    ASSERT_EQ(pack_fclose(file), 0);
}

Bytes read_packed(const std::string &path) {
    Bytes payload;
    PACKFILE *file = pack_fopen(path.c_str(), "pr");
    EXPECT_NE(file, nullptr) << path << " does not open as a packed file";
    if (file == nullptr) {
        return payload;
    }
    unsigned char chunk[READ_CHUNK];
    long got;
    while ((got = pack_fread(chunk, READ_CHUNK, file)) > 0) {
        payload.insert(payload.end(), chunk, chunk + got);
    }
    pack_fclose(file);
    return payload;
}

Bytes read_raw(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_raw(const std::string &path, const Bytes &bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<long>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::vector<std::string> folder_names() {
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int run_as_nobody(const std::function<int()> &body) {
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(NOBODY_ID) != 0 || setuid(NOBODY_ID) != 0) {
            _exit(NO_RIGHTS_DROPPED);
        }
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == NO_RIGHTS_DROPPED) {
        return -1;
    }
    return WEXITSTATUS(status);
}

void ConfigFileTest::SetUp() {
    previous_folder_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "config_test.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    // Open to every user, so that tests may act as an ordinary user inside it.
    ASSERT_EQ(chmod(folder_.c_str(), 0777), 0);
    fs::current_path(folder_);
    player_controls = {};
    game_settings = GameSettings{};
}

void ConfigFileTest::TearDown() {
    fs::current_path(previous_folder_);
    if (folder_.empty()) {
        return;
    }
    // Folders a test made read-only must be writable again to be removed.
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder_)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::remove_all(folder_);
}

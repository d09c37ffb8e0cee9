#include "config/controls.h"
#include "config/settings_file.h"
#include "match/world.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;
using Words = std::vector<uint32_t>;
using Names = std::set<std::string>;
constexpr uint32_t UNTOUCHED = 0xeeeeeeee;
// The word of GameSettings that each field of a settings file fills, in file order.
constexpr int SETTINGS_WORD[11] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 2};

// Marks every byte of the records and settings, loads both and returns them.
std::pair<Words, Words> load_over_marks(const char *settings_file = "keyboard.cfg") {
    std::pair<Words, Words> loaded(Words(32), Words(11));
    std::memset(player_controls.data(), 0xee, 128);
    std::memset(static_cast<void *>(&game_settings), 0xee, 44);
    load_controls();
    load_settings(settings_file);
    std::memcpy(loaded.first.data(), player_controls.data(), 128);
    std::memcpy(loaded.second.data(), static_cast<void *>(&game_settings), 44);
    return loaded;
}
const std::pair NOTHING_LOADED(Words(32, UNTOUCHED), Words(11, UNTOUCHED));

void write_packed(const void *payload, size_t size, const char *path = "keyboard.cfg") {
    PACKFILE *file = pack_fopen(path, "pw");
    ASSERT_NE(file, nullptr);
    pack_fwrite(payload, static_cast<long>(size), file);
    ASSERT_EQ(pack_fclose(file), 0);
}

Bytes read_raw(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string hex(const Bytes &bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    return text;
}
// The packed files SavedFilesLoadBackBitForBitThroughLinks saves, as the game has always
// written them.
const std::string KNOWN_CONTROLS_FILE =
    "736c6821ff0403020108060402ff0c090603100c0804ff140f0a0518120c06ff1c150e0720181008ff241b12"
    "09281e140aff2c21160b3024180cff34271a0d382a1c0eff3c2d1e0f40302010ff4433221148362412ff4c39"
    "2613503c2814ff543f2a1558422c16ff5c452e1760483018ff644b3219684e341aff6c51361b7054381cff74"
    "573a1d785a3c1eff7c5d3e1f80604020";
const std::string KNOWN_SETTINGS_FILE =
    "736c68215ffeffffff02ebf004ebf06f4523c17febf08007ebf0d508ebf009ebf00ae9f280ff0103dcf0";

Names folder_names() {
    Names names;
    for (const fs::directory_entry &entry : fs::directory_iterator("."))
        names.insert(entry.path().filename().string());
    return names;
}

// Each test runs in a fresh folder open to every user, with records and settings at their start.
class ConfigFile : public testing::Test {
  protected:
    void SetUp() override {
        install_allegro(SYSTEM_NONE, &errno, atexit); // no display, keyboard or sound
        std::string pattern = (fs::temp_directory_path() / "config_test.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        fs::permissions(folder_, fs::perms::all);
        fs::current_path(folder_);
        player_controls = {};
        game_settings = GameSettings{};
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    fs::path previous_ = fs::current_path(), folder_;
};

} // namespace

// Saved files load back bit for bit; through links, the file named is made, then replaced.
TEST_F(ConfigFile, SavedFilesLoadBackBitForBitThroughLinks) {
    // keyboard.cfg -> keys/middle -> ../real.cfg
    fs::create_directory("keys");
    fs::create_symlink("keys/middle", "keyboard.cfg");
    fs::create_symlink("../real.cfg", "keys/middle");
    Words controls(32);
    for (uint32_t i = 0; i < 32; ++i)
        controls[i] = 0x01020304u * (i + 1); // distinct bytes show record and byte order
    // A NaN with a payload, -0 and -infinity among the floats (words 4, 5 and 10).
    const Words settings = {0xfffffffe, 2, 3, 4, 0x7fc12345, 0x80000000, 7, 8, 9, 10, 0xff800000};
    std::memcpy(player_controls.data(), controls.data(), 128);
    std::memcpy(static_cast<void *>(&game_settings), settings.data(), 44);
    save_controls();
    save_controls();
    EXPECT_EQ(save_settings("match.kmp"), SETTINGS_DONE);
    EXPECT_TRUE(fs::is_symlink("keyboard.cfg"));
    EXPECT_EQ(folder_names(), (Names{"keyboard.cfg", "keys", "match.kmp", "real.cfg"}));
    EXPECT_EQ(load_over_marks("match.kmp"), std::pair(controls, settings));
    EXPECT_EQ(hex(read_raw("real.cfg")), KNOWN_CONTROLS_FILE);
    EXPECT_EQ(hex(read_raw("match.kmp")), KNOWN_SETTINGS_FILE);
}

TEST_F(ConfigFile, ShortAndLongFilesFillWholeFieldsInFileOrder) {
    Words counting(1 << 18);
    for (uint32_t i = 0; i < counting.size(); ++i)
        counting[i] = 1000 + i;
    // The game builds only for little-endian machines, whose words lie in memory as in the file.
    for (size_t size : {0, 3, 40, 42, 44, 128, 1 << 20}) {
        write_packed(counting.data(), size);
        const auto [controls, settings] = load_over_marks();
        for (uint32_t i = 0; i < 32; ++i)
            EXPECT_EQ(controls[i], i < size / 4 ? 1000 + i : UNTOUCHED) << size << " bytes, " << i;
        for (uint32_t i = 0; i < 11; ++i)
            EXPECT_EQ(settings[SETTINGS_WORD[i]], i < size / 4 ? 1000 + i : UNTOUCHED) << size;
    }
}

// Nothing is read from them and a save leaves them; missing files and FIFOs are end-to-end cases.
TEST_F(ConfigFile, FilesThatCannotBeReadChangeNothing) {
    std::ofstream("keyboard.cfg", std::ios::binary) << std::string(128, '\1');
    EXPECT_EQ(load_over_marks(), NOTHING_LOADED) << "not a packed file";
    player_controls = {};
    save_controls(); // the bindings take its place
    EXPECT_EQ(load_over_marks().first, Words(32, 0)) << "no bindings saved over it";
    fs::remove("keyboard.cfg");
    fs::create_directory("keyboard.cfg");
    EXPECT_EQ(load_over_marks(), NOTHING_LOADED) << "a folder";
    save_controls();
    EXPECT_TRUE(fs::is_directory("keyboard.cfg"));
    fs::remove("keyboard.cfg");
    write_packed(std::string(128, '\1').data(), 128);
    const Bytes unreadable = read_raw("keyboard.cfg");
    fs::permissions("keyboard.cfg", fs::perms::owner_write);
    // Root reads and writes anything: for this part it acts as the user "nobody".
    const bool root = geteuid() == 0;
    if (root && (setegid(65534) != 0 || seteuid(65534) != 0))
        GTEST_SKIP() << "cannot act as an ordinary user here";
    EXPECT_EQ(load_over_marks(), NOTHING_LOADED) << "no read rights";
    save_controls();
    ASSERT_TRUE(!root || (seteuid(0) == 0 && setegid(0) == 0)) << "cannot act as root again";
    EXPECT_EQ(read_raw("keyboard.cfg"), unreadable) << "a save replaced a file without rights";
    EXPECT_EQ(folder_names(), (Names{"keyboard.cfg"}));
}

// A save replaces a settings file but nothing else, and one cut short by a full disk leaves the
// old files whole; a load takes settings files only.
TEST_F(ConfigFile, SavesReplaceOnlySettingsFilesAndLoadsTakeOnlySettings) {
    EXPECT_EQ(save_settings("old.kmp"), SETTINGS_DONE);
    EXPECT_EQ(save_settings("old.kmp"), SETTINGS_DONE) << "over a settings file";
    save_controls();
    const Bytes old_settings = read_raw("old.kmp"), bindings = read_raw("keyboard.cfg");
    game_settings.number_of_trees = 77;
    player_controls[0].keys[0] = 31;
    // The disk "fills up" ten bytes into any file: the old files stay whole, no new one is left.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{10, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_EQ(save_settings("old.kmp"), SETTINGS_WRITE_FAILED);
    EXPECT_EQ(save_settings("new.kmp"), SETTINGS_WRITE_FAILED);
    save_controls();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(read_raw("old.kmp"), old_settings);
    // The bindings, a datafile of a settings file's size, text, a folder, a packed 3 bytes.
    EXPECT_EQ(save_settings("keyboard.cfg"), SETTINGS_NOT_SETTINGS_FILE);
    EXPECT_EQ(read_raw("keyboard.cfg"), bindings);
    const char datafile[44] = "ALL."; // and zeros
    write_packed(datafile, sizeof datafile, "menus.dat");
    std::ofstream("notes.kmp") << "my notes";
    fs::create_directory("folder.kmp");
    write_packed("\7\7\7", 3, "short.kmp");
    for (const char *other : {"menus.dat", "notes.kmp", "folder.kmp", "short.kmp"}) {
        const Bytes before = fs::is_directory(other) ? Bytes() : read_raw(other);
        EXPECT_EQ(save_settings(other), SETTINGS_NOT_SETTINGS_FILE) << other;
        EXPECT_TRUE(fs::is_directory(other) || read_raw(other) == before) << other;
        EXPECT_EQ(load_settings(other), SETTINGS_NOT_SETTINGS_FILE) << other;
        EXPECT_EQ(game_settings.number_of_trees, 77) << other;
    }
    EXPECT_EQ(load_settings("missing.kmp"), SETTINGS_MISSING);
    EXPECT_EQ(folder_names(), (Names{"folder.kmp", "keyboard.cfg", "menus.dat", "notes.kmp",
                                     "old.kmp", "short.kmp"}));
}

#include "config_test_support.h"

#include "config/controls.h"
#include "config/settings_file.h"
#include "match/world.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// While it lives, no file may grow past `bytes`: the disk "fills up" part-way through a write.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_limit_);
        rlimit limit = old_limit_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_limit_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

  private:
    rlimit old_limit_{};
    void (*old_handler_)(int) = nullptr;
};

// Packed magic plus a few bytes: far less than any of the files.
constexpr rlim_t TRUNCATED_FILE_SIZE = 10;

} // namespace

TEST_F(ConfigFileTest, WriteCutShortLeavesTheOldFileWhole) {
    game_settings.number_of_trees = 123;
    save_settings("old.kmp");
    player_controls[0].keys[0] = 30;
    save_controls();
    const Bytes old_settings = read_raw("old.kmp");
    const Bytes old_controls = read_raw(CONTROLS_FILE);

    game_settings.number_of_trees = 321;
    player_controls[0].keys[0] = 31;
    {
        FileSizeLimit limit(TRUNCATED_FILE_SIZE);
        save_settings("old.kmp");
        save_controls();
        save_settings("new.kmp");
    }
    EXPECT_EQ(read_raw("old.kmp"), old_settings);
    EXPECT_EQ(read_raw(CONTROLS_FILE), old_controls);
    // No half-written file is left behind, under the target's name or any other.
    EXPECT_EQ(folder_names(), (std::vector<std::string>{CONTROLS_FILE, "old.kmp"}));
}

TEST_F(ConfigFileTest, SaveThatCannotCreateItsFileChangesNoFile) {
    save_settings("no such folder/a.kmp");
    EXPECT_TRUE(folder_names().empty());

    // A folder in the way stays a folder, and nothing is left beside it.
    fs::create_directory("taken.kmp");
    save_settings("taken.kmp");
    EXPECT_TRUE(fs::is_directory("taken.kmp"));
    EXPECT_EQ(folder_names(), std::vector<std::string>{"taken.kmp"});

    // A user's own file with the name a save would first try for its new file is not touched.
    const Bytes users = {'m', 'i', 'n', 'e'};
    write_raw("a.kmp.tmp", users);
    game_settings.bullet_life = 77;
    save_settings("a.kmp");
    EXPECT_EQ(read_raw("a.kmp.tmp"), users);
    game_settings = GameSettings{};
    load_settings("a.kmp");
    EXPECT_EQ(game_settings.bullet_life, 77);
    EXPECT_EQ(folder_names(), (std::vector<std::string>{"a.kmp", "a.kmp.tmp", "taken.kmp"}));
}

TEST_F(ConfigFileTest, SaveWithoutWriteRightsLeavesTheOldFileWhole) {
    game_settings.number_of_tanks = 42;
    fs::create_directory("locked");
    save_settings("locked/a.kmp");
    save_settings("read-only.kmp");
    // A file anyone may write, in a folder nobody but its owner may change.
    fs::permissions("locked/a.kmp", fs::perms::all);
    fs::permissions("locked", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    fs::permissions("read-only.kmp",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const Bytes locked = read_raw("locked/a.kmp");
    const Bytes read_only = read_raw("read-only.kmp");

    const int result = run_as_nobody([] {
        game_settings.number_of_tanks = 43;
        save_settings("locked/a.kmp");
        save_settings("read-only.kmp");
        return 0;
    });
    if (result < 0) {
        GTEST_SKIP() << "cannot act as an ordinary user here";
    }
    EXPECT_EQ(read_raw("locked/a.kmp"), locked);
    EXPECT_EQ(read_raw("read-only.kmp"), read_only);
    EXPECT_EQ(folder_names(), (std::vector<std::string>{"locked", "read-only.kmp"}));
}

#include "config_test_support.h"

#include "config/controls.h"

#include <climits>
#include <cstring>
#include <filesystem>

namespace {

constexpr int32_t SENTINEL = -7;

void fill_controls(int32_t value) {
    for (PlayerControls &record : player_controls) {
        record.control_type = value;
        record.keys.fill(value);
    }
}

Bytes expected_payload() {
    Bytes bytes;
    for (const PlayerControls &record : player_controls) {
        put_le32(bytes, static_cast<uint32_t>(record.control_type));
        for (int32_t key : record.keys) {
            put_le32(bytes, static_cast<uint32_t>(key));
        }
    }
    return bytes;
}

// Payload of `fields` consecutive 4-byte fields 1000, 1001, ...
Bytes counting_payload(int fields) {
    Bytes bytes;
    for (int i = 0; i < fields; ++i) {
        put_le32(bytes, 1000 + i);
    }
    return bytes;
}

} // namespace

TEST_F(ConfigFileTest, KeyboardFileHoldsTheFourRecordsInPlayerOrder) {
    for (int p = 0; p < 4; ++p) {
        player_controls[p].control_type = p;
        for (int a = 0; a < NUM_ACTIONS; ++a) {
            // Distinct bytes in every position show both record order and byte order.
            player_controls[p].keys[a] = 0x01020304 * (p + 1) + a;
        }
    }
    save_controls();
    EXPECT_EQ(read_packed(CONTROLS_FILE), expected_payload());
    EXPECT_EQ(folder_names(), std::vector<std::string>{CONTROLS_FILE});
}

TEST_F(ConfigFileTest, KeyboardFileRoundTripsEveryEntryOfEveryRecord) {
    const int32_t types[4] = {CONTROL_MOUSE_KEYS, CONTROL_GAMEPAD, CONTROL_JOYSTICK, 7};
    const int32_t odd_keys[] = {0, 1, 59, 84, INT_MIN, INT_MAX, -1};
    for (int p = 0; p < 4; ++p) {
        player_controls[p].control_type = types[p];
        for (int a = 0; a < NUM_ACTIONS; ++a) {
            player_controls[p].keys[a] = odd_keys[(a + p) % 7];
        }
    }
    const auto saved = player_controls;
    save_controls();
    player_controls = {};
    load_controls();
    EXPECT_EQ(std::memcmp(&player_controls, &saved, sizeof saved), 0);

    // Saving again replaces the file whole.
    fill_controls(42);
    save_controls();
    player_controls = saved;
    load_controls();
    for (const PlayerControls &record : player_controls) {
        EXPECT_EQ(record.control_type, 42);
        EXPECT_EQ(record.keys[6], 42);
    }
    EXPECT_EQ(folder_names(), std::vector<std::string>{CONTROLS_FILE});
}

TEST_F(ConfigFileTest, ShortKeyboardFileFillsOnlyTheWholeFieldsThatArrived) {
    fill_controls(SENTINEL);
    write_packed(CONTROLS_FILE, counting_payload(10));
    load_controls();
    EXPECT_EQ(player_controls[0].control_type, 1000);
    for (int a = 0; a < NUM_ACTIONS; ++a) {
        EXPECT_EQ(player_controls[0].keys[a], 1001 + a);
    }
    EXPECT_EQ(player_controls[1].control_type, 1008);
    EXPECT_EQ(player_controls[1].keys[0], 1009);
    for (int a = 1; a < NUM_ACTIONS; ++a) {
        EXPECT_EQ(player_controls[1].keys[a], SENTINEL);
    }
    for (int p = 2; p < 4; ++p) {
        EXPECT_EQ(player_controls[p].control_type, SENTINEL);
        EXPECT_EQ(player_controls[p].keys[6], SENTINEL);
    }

    // A field the file ends inside keeps its value.
    fill_controls(SENTINEL);
    Bytes ragged = counting_payload(11);
    ragged.resize(42);
    write_packed(CONTROLS_FILE, ragged);
    load_controls();
    EXPECT_EQ(player_controls[1].keys[0], 1009);
    EXPECT_EQ(player_controls[1].keys[1], SENTINEL);

    for (size_t size : {size_t{0}, size_t{3}}) {
        fill_controls(SENTINEL);
        Bytes tiny = counting_payload(1);
        tiny.resize(size);
        write_packed(CONTROLS_FILE, tiny);
        load_controls();
        EXPECT_EQ(player_controls[0].control_type, SENTINEL) << size << " bytes";
    }
}

TEST_F(ConfigFileTest, LongKeyboardFileGivesOnlyItsFirst128Bytes) {
    fill_controls(SENTINEL);
    write_packed(CONTROLS_FILE, counting_payload(1 << 18)); // 1 MiB
    load_controls();
    EXPECT_EQ(player_controls[0].control_type, 1000);
    EXPECT_EQ(player_controls[3].control_type, 1024);
    EXPECT_EQ(player_controls[3].keys[6], 1031);
}

TEST_F(ConfigFileTest, KeyboardFileThatCannotBeReadChangesNothing) {
    fill_controls(SENTINEL);
    load_controls();
    EXPECT_EQ(player_controls[2].keys[3], SENTINEL) << "missing file";
    EXPECT_TRUE(folder_names().empty()) << "loading must not create the file";

    // The right payload, but not in Allegro's packed form.
    fill_controls(1);
    write_raw(CONTROLS_FILE, expected_payload());
    fill_controls(SENTINEL);
    load_controls();
    EXPECT_EQ(player_controls[0].control_type, SENTINEL) << "plain file";

    write_raw(CONTROLS_FILE, Bytes{'s', 'l', 'h'});
    load_controls();
    EXPECT_EQ(player_controls[0].control_type, SENTINEL) << "file shorter than a packed header";

    std::filesystem::remove(CONTROLS_FILE);
    std::filesystem::create_directory(CONTROLS_FILE);
    load_controls();
    EXPECT_EQ(player_controls[0].control_type, SENTINEL) << "folder";
}

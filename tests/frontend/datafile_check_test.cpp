#include <allegro.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "allegro_fixture.h"
#include "frontend/datafile_check.h"

namespace {
namespace fs = std::filesystem;

// A datafile built the way Allegro lays one out: magic, count, then each object's properties,
// type and data chunk; a nested datafile is one such chunk holding a count and objects.
class DatafileCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        start_allegro_without_display();
        // Tests run side by side in separate processes: each takes a folder of its own.
        folder = fs::temp_directory_path() /
                 ("datafile_check_" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const char *name) const { return (folder / name).string(); }

    static void put_data_object(PACKFILE *file, const char *name, const std::string &bytes) {
        pack_mputl(DAT_PROPERTY, file);
        pack_mputl(DAT_ID('N', 'A', 'M', 'E'), file);
        pack_mputl(static_cast<long>(std::string(name).size()), file);
        pack_fwrite(name, static_cast<long>(std::string(name).size()), file);
        pack_mputl(DAT_DATA, file);
        PACKFILE *chunk = pack_fopen_chunk(file, FALSE);
        pack_fwrite(bytes.data(), static_cast<long>(bytes.size()), chunk);
        pack_fclose_chunk(chunk);
    }

    // Two data objects and a nested datafile of one object; `nested_count` is what the nested
    // datafile claims to hold.
    void write_datafile(const std::string &file_name, const char *mode, long nested_count = 1) {
        PACKFILE *file = pack_fopen(file_name.c_str(), mode);
        ASSERT_NE(file, nullptr);
        pack_mputl(DAT_MAGIC, file);
        pack_mputl(3, file);
        put_data_object(file, "ONE", "first object");
        put_data_object(file, "TWO", "second");
        pack_mputl(DAT_FILE, file);
        PACKFILE *nested = pack_fopen_chunk(file, FALSE);
        pack_mputl(nested_count, nested);
        put_data_object(nested, "INNER", "inside");
        pack_fclose_chunk(nested);
        pack_fclose(file);
    }

    static std::string contents(const std::string &file_name) {
        std::ifstream in(file_name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write_bytes(const std::string &file_name, const std::string &bytes) {
        std::ofstream(file_name, std::ios::binary | std::ios::trunc) << bytes;
    }

    fs::path folder;
};
} // namespace

TEST_F(DatafileCheckTest, AWholeDatafileIsTakenAndLoads) {
    for (const char *mode : {F_WRITE_NOPACK, F_WRITE_PACKED}) {
        const std::string file_name = path("whole.dat");
        write_datafile(file_name, mode);
        ASSERT_TRUE(datafile_intact(file_name.c_str())) << mode;
        DATAFILE *data = load_intact_datafile(file_name.c_str());
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data[0].type, DAT_DATA);
        EXPECT_EQ(data[0].size, 12);
        EXPECT_EQ(data[2].type, DAT_FILE);
        EXPECT_EQ(static_cast<DATAFILE *>(data[2].dat)[0].size, 6);
        EXPECT_EQ(data[3].type, DAT_END);
        unload_datafile(data);
    }
}

TEST_F(DatafileCheckTest, EveryCutShortCopyIsRefused) {
    const std::string whole_name = path("whole.dat");
    write_datafile(whole_name, F_WRITE_NOPACK);
    const std::string whole = contents(whole_name);
    const std::string cut_name = path("cut.dat");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        write_bytes(cut_name, whole.substr(0, length));
        EXPECT_FALSE(datafile_intact(cut_name.c_str())) << "cut to " << length << " bytes";
        EXPECT_EQ(load_intact_datafile(cut_name.c_str()), nullptr);
    }
}

TEST_F(DatafileCheckTest, OverstatedCountsMissingFilesAndOtherFilesAreRefused) {
    EXPECT_FALSE(datafile_intact(path("absent.dat").c_str()));
    EXPECT_EQ(load_intact_datafile(path("absent.dat").c_str()), nullptr);

    const std::string file_name = path("nested.dat");
    write_datafile(file_name, F_WRITE_PACKED, 2); // the nested datafile claims two objects
    EXPECT_FALSE(datafile_intact(file_name.c_str()));

    write_bytes(file_name, "not a datafile at all, just some words");
    EXPECT_FALSE(datafile_intact(file_name.c_str()));

    // An object whose type is the end marker, which the loader cannot read.
    PACKFILE *file = pack_fopen(file_name.c_str(), F_WRITE_NOPACK);
    ASSERT_NE(file, nullptr);
    pack_mputl(DAT_MAGIC, file);
    pack_mputl(1, file);
    pack_mputl(DAT_END, file);
    pack_mputl(0, file);
    pack_mputl(0, file);
    pack_fclose(file);
    EXPECT_FALSE(datafile_intact(file_name.c_str()));
}

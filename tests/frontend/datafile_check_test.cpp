#include <algorithm>
#include <allegro.h>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

#include "config/datafile_check.h"
#include "config/datafile_path.h"
#include "config/player_message.h"

namespace {
// Tests run side by side in separate processes: each takes a file name of its own.
const std::string FILE_NAME =
    testing::TempDir() + "datafile_check_" + std::to_string(std::random_device{}());

std::string big_endian(long v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string object(const char *type, const std::string &data) {
    return type + big_endian(static_cast<long>(data.size())) +
           big_endian(static_cast<long>(data.size())) + data;
}

// An uncompressed datafile: magics, count, then each object's properties, type, sizes and
// data. A named object, then a nested datafile holding one object but claiming `nested_count`.
std::string datafile(long nested_count) {
    return "slh.ALL." + big_endian(2) + "propNAME" + big_endian(3) + "ONE" +
           object("DATA", "first object") +
           object("FILE", big_endian(nested_count) + object("DATA", "inside"));
}
} // namespace

TEST(DatafileCheck, TakesAWholeFileAndRefusesCutShortOrFalseOnes) {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    const std::string whole = datafile(1);
    // A compressed one is every game run's menus.dat.
    std::ofstream(FILE_NAME, std::ios::binary) << whole;
    DATAFILE *data = load_intact_datafile(FILE_NAME.c_str());
    EXPECT_NE(data, nullptr);
    unload_datafile(data);
    // Cut in the property, the first object, the nested datafile, by a byte; a nested count too
    // large; an object of the end marker's type, which the loader cannot read.
    for (const std::string &bytes :
         {whole.substr(0, 22), whole.substr(0, 40), whole.substr(0, whole.size() - 10),
          whole.substr(0, whole.size() - 1), datafile(2),
          "slh.ALL." + big_endian(1) + object("\xff\xff\xff\xff", "")}) {
        std::ofstream(FILE_NAME, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_EQ(load_intact_datafile(FILE_NAME.c_str()), nullptr) << bytes.size() << " bytes";
    }
    std::remove(FILE_NAME.c_str());
}

// A datafile is taken from the working folder first, and one found nowhere is told of with
// every folder looked in, in lines short enough for the X11 message box, none of them lost.
TEST(DatafilePath, FindsTheWorkingFoldersFileAndTellsWhereItLookedInShortLines) {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    char path[DATAFILE_PATH_SIZE];
    const std::string name = "datafile_path_" + std::to_string(std::random_device{}()) + ".dat";
    EXPECT_FALSE(find_datafile(name.c_str(), path, DATAFILE_PATH_SIZE));
    EXPECT_EQ(std::string(path), name);
    std::ofstream(name) << "here";
    ASSERT_TRUE(find_datafile(name.c_str(), path, DATAFILE_PATH_SIZE));
    EXPECT_EQ(std::ifstream(path).get(), 'h') << path;
    std::remove(name.c_str());

    const DatafileFolders folders = datafile_folders();
    ASSERT_GE(folders.count, 1);
    const std::string deep = std::string(folders.folder[0].data()) +
                             "a/folder/with/a/name/far/longer/than/a/message/line/menus.dat";
    char message[4096];
    datafile_trouble("menus.dat", "menu images which the menus need to draw anything at all", true,
                     deep.c_str(), message, sizeof message);
    char lines[4096];
    fit_message_lines(message, lines, sizeof lines);
    std::string joined;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) {
        EXPECT_LE(line.size(), static_cast<std::size_t>(MESSAGE_LINE_LENGTH)) << line;
        joined += line.empty() || line.back() == '/' ? line : line + " ";
    }
    std::string spaced = message;
    std::replace(spaced.begin(), spaced.end(), '\n', ' ');
    EXPECT_EQ(joined, spaced + " ");
    EXPECT_NE(joined.find("Couldn't load \"menus.dat\". The menu images"), std::string::npos);

    datafile_trouble("menus.dat", "menu images", false, "menus.dat", message, sizeof message);
    for (int i = 0; i < folders.count; ++i) {
        EXPECT_NE(std::string(message).find(folders.folder[i].data()), std::string::npos)
            << message;
    }
}

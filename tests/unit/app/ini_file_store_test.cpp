#include "app/ini_file_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings_file_io.h"
#include "tests/support/temp_dir.h"

namespace vorbel {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

struct IniFileStoreFixture : ::testing::Test {
    TempDir dir;
    IniFileStore store{dir.text()};
    // The program's way of naming the file: folder, backslash, name.
    Text file = dir.text() + "\\config.ini";
    std::filesystem::path native = dir / "config.ini";

    std::vector<std::string> folder_listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(IniFileStoreFixture, ProgramDirIsTheFolderGiven) { EXPECT_EQ(store.program_dir(), dir.text()); }

TEST_F(IniFileStoreFixture, WritesCreateTheFileInKeyOrder) {
    ASSERT_TRUE(store.write(file, "config", "option", "1"));
    ASSERT_TRUE(store.write(file, "config", "fr0", "50"));
    ASSERT_TRUE(store.write(file, "config", "option", "2"));
    EXPECT_EQ(read_file(native), "[config]\r\noption=2\r\nfr0=50\r\n");
    EXPECT_EQ(store.read(file, "config", "option"), "2");
    EXPECT_EQ(store.read(file, "CONFIG", "FR0"), "50");
    EXPECT_EQ(folder_listing(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniFileStoreFixture, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(store.read(file, "config", "option"), "");
    ASSERT_TRUE(write_file(native, "[other]\r\noption=1\r\n"));
    EXPECT_EQ(store.read(file, "config", "option"), "");
    EXPECT_EQ(store.read(file, "other", "fr0"), "");
}

TEST_F(IniFileStoreFixture, ValuesAreReadThroughTheBuffer) {
    const std::vector<std::size_t> sizes = {0, 1, 10238, 10239, 10240, 20000};
    for (std::size_t size : sizes) {
        const std::string value(size, 'a');
        ASSERT_TRUE(write_file(native, "[config]\r\nkey=" + value + "\r\n"));
        const std::size_t want = size < profile_value_buffer ? size : profile_value_buffer - 1;
        EXPECT_EQ(store.read(file, "config", "key").size(), want) << "value of " << size << " bytes";
    }
}

TEST_F(IniFileStoreFixture, FailedWriteLeavesTheOldFile) {
    const std::string before = "[config]\r\noption=1\r\nfr0=50\r\n";
    ASSERT_TRUE(write_file(native, before));
    // A folder where the temporary file must go makes the write fail
    // before the file is touched.
    std::filesystem::create_directory(dir / "config.ini.tmp");
    EXPECT_FALSE(store.write(file, "config", "fr0", "49"));
    EXPECT_EQ(read_file(native), before);
    EXPECT_EQ(store.read(file, "config", "fr0"), "50");
}

TEST_F(IniFileStoreFixture, RefusedValueLeavesTheOldFile) {
    const std::string before = "[config]\r\nfr0=50\r\n";
    ASSERT_TRUE(write_file(native, before));
    EXPECT_FALSE(store.write(file, "config", "fr0", "1\r\n[x]"));
    EXPECT_EQ(read_file(native), before);
}

TEST_F(IniFileStoreFixture, StaleTemporaryIsReplaced) {
    ASSERT_TRUE(write_file(dir / "config.ini.tmp", "left over from a crash"));
    ASSERT_TRUE(store.write(file, "config", "option", "1"));
    EXPECT_EQ(read_file(native), "[config]\r\noption=1\r\n");
    EXPECT_EQ(folder_listing(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniFileStoreFixture, UnreadableFileIsNeitherReadNorOverwritten) {
    // A folder named config.ini cannot be read as a file.
    std::filesystem::create_directory(native);
    EXPECT_EQ(store.read(file, "config", "option"), "");
    EXPECT_FALSE(store.write(file, "config", "option", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(native));
}

TEST_F(IniFileStoreFixture, OversizedFileIsLeftAlone) {
    const std::string huge = "[config]\r\noption=1\r\n" + std::string(largest_settings_file, ';');
    ASSERT_TRUE(write_file(native, huge));
    EXPECT_EQ(store.read(file, "config", "option"), "");
    EXPECT_FALSE(store.write(file, "config", "option", "2"));
    EXPECT_EQ(std::filesystem::file_size(native), huge.size());
}

TEST_F(IniFileStoreFixture, MissingFolderWritesNothing) {
    const Text elsewhere = dir.text() + "\\missing\\config.ini";
    EXPECT_FALSE(store.write(elsewhere, "config", "option", "1"));
    EXPECT_EQ(store.read(elsewhere, "config", "option"), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(IniFileStoreFixture, HidingAMissingFileFails) { EXPECT_FALSE(store.set_hidden(file)); }

}  // namespace
}  // namespace vorbel

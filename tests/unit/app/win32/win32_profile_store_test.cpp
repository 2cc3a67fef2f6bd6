#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/fake/fake_clock.h"
#include "app/ini_file_store.h"
#include "app/platform_app.h"
#include "app/settings.h"
#include "tests/support/temp_dir.h"

namespace vorbel {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

bool running_under_wine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The file's attributes. Wine reports the archive attribute for every
// regular file on a Unix file system and cannot clear it, so there it is
// left out.
DWORD attributes_of(const std::filesystem::path& file) {
    DWORD attributes = GetFileAttributesW(file.wstring().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && running_under_wine()) attributes &= ~FILE_ATTRIBUTE_ARCHIVE;
    return attributes;
}

struct Win32StoreFixture : ::testing::Test {
    TempDir dir;
    IniFileStore store{dir.text()};
    FakeClock clock{FakeClock::date_time(2019, 3, 7, 9, 5, 0)};
    Settings settings{store, clock};
    std::filesystem::path native = dir / "config.ini";
};

TEST_F(Win32StoreFixture, FirstStartWritesCodePage936FileAndHidesIt) {
    settings.start_day();
    settings.hide_settings_file();
    EXPECT_EQ(read_file(native),
              "[config]\r\noption=1\r\nfr0=50\r\nfr1=10\r\ndate=2019\xC4\xEA" "3\xD4\xC2" "7\xC8\xD5\r\n");
    EXPECT_EQ(attributes_of(native), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Win32StoreFixture, WritesKeepTheFileHidden) {
    settings.start_day();
    settings.hide_settings_file();
    settings.charge_quota(mode_normal);
    EXPECT_EQ(settings.quota_text(mode_normal), "49");
    EXPECT_EQ(attributes_of(native), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Win32StoreFixture, HidingClearsEveryOtherAttribute) {
    ASSERT_TRUE(write_file(native, "[config]\r\noption=1\r\n"));
    ASSERT_TRUE(SetFileAttributesW(native.wstring().c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_TRUE(store.set_hidden(dir.text() + "\\config.ini"));
    EXPECT_EQ(attributes_of(native), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Win32StoreFixture, ReadOnlyFileIsNotWritten) {
    const std::string before = "[config]\r\nfr0=5\r\n";
    ASSERT_TRUE(write_file(native, before));
    ASSERT_TRUE(SetFileAttributesW(native.wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    settings.charge_quota(mode_normal);
    EXPECT_EQ(read_file(native), before);
    EXPECT_EQ(settings.quota_text(mode_normal), "5");
    SetFileAttributesW(native.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32StoreFixture, FolderWithChineseNameWorks) {
    // 设置 as UTF-16 for the system, as code page 936 for the program.
    const std::filesystem::path folder = dir.path() / std::filesystem::path(L"\u8BBE\u7F6E");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    IniFileStore chinese(dir.text() + "\\\xC9\xE8\xD6\xC3");
    Settings in_folder(chinese, clock);
    in_folder.start_day();
    EXPECT_EQ(read_file(folder / "config.ini").substr(0, 20), "[config]\r\noption=1\r\n");
    EXPECT_EQ(in_folder.quota_left(mode_accurate), 10);
}

TEST(Win32ProgramDir, IsTheFolderOfThisProgramWithoutTrailingBackslash) {
    const Text folder = make_platform_profile_store()->program_dir();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::filesystem::path want = std::filesystem::path(std::wstring(module, length)).parent_path();
    EXPECT_EQ(std::filesystem::path(folder), want);
}

}  // namespace
}  // namespace vorbel

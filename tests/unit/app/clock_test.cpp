#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "app/platform_app.h"

namespace vorbel {
namespace {

// Splits "2019年3月7日9时5分0秒" into its numbers, checking each unit mark
// in turn; empty when the text has another form.
std::vector<std::string> numbers_of(const std::string& text) {
    const std::vector<std::string> marks = {"\xC4\xEA", "\xD4\xC2", "\xC8\xD5", "\xCA\xB1", "\xB7\xD6", "\xC3\xEB"};
    std::vector<std::string> numbers;
    std::size_t pos = 0;
    for (const std::string& mark : marks) {
        std::size_t end = pos;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end == pos || text.compare(end, mark.size(), mark) != 0) return {};
        numbers.push_back(text.substr(pos, end - pos));
        pos = end + mark.size();
    }
    return pos == text.size() ? numbers : std::vector<std::string>{};
}

TEST(PlatformClock, GivesTheDateAndTimeWithoutLeadingZeros) {
    const std::string text = make_platform_clock()->local_date_time_text();
    const std::vector<std::string> numbers = numbers_of(text);
    ASSERT_EQ(numbers.size(), 6u) << "got \"" << text << "\"";
    for (const std::string& number : numbers) {
        EXPECT_TRUE(number == "0" || number.front() != '0') << "leading zero in \"" << text << "\"";
    }
    EXPECT_GE(std::stoi(numbers[0]), 2020);
    EXPECT_LE(std::stoi(numbers[1]), 12);
    EXPECT_LE(std::stoi(numbers[2]), 31);
    EXPECT_LE(std::stoi(numbers[3]), 23);
}

}  // namespace
}  // namespace vorbel

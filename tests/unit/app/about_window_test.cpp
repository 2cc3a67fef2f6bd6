#include "app/about_window.h"

#include <gtest/gtest.h>

#include "ui/fake/fake_toolkit.h"

namespace vorbel {
namespace {

const char* const feedback_link = "\xB3\xAC\xBC\xB6\xC1\xB4\xBD\xD3\xBF\xF2" "1";  // 超级链接框1

TEST(AboutWindow, OpensModallyWithTheFeedbackAddress) {
    FakeToolkit toolkit;
    show_about_window(toolkit, "http://example.test/feedback");
    const WindowId id = toolkit.find_window("about_window");
    ASSERT_NE(id, no_window);
    EXPECT_TRUE(toolkit.window(id).modal);
    EXPECT_EQ(toolkit.text(id, ""), about_window_title);
    EXPECT_EQ(toolkit.control(id, feedback_link).text, "http://example.test/feedback");
    EXPECT_EQ(toolkit.control(id, feedback_link).design.kind, ControlKind::hyperlink);
}

TEST(AboutWindow, TextIsOneParagraphIndentedByFourSpaces) {
    const Text text = about_text();
    ASSERT_GT(text.size(), 4u);
    EXPECT_EQ(text.substr(0, 4), "    ");
    EXPECT_NE(text[4], ' ');
    EXPECT_EQ(text.find_first_of("\r\n"), Text::npos);
}

}  // namespace
}  // namespace vorbel

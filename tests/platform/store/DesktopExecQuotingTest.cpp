#include "platform/store/DesktopExecQuoting.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Case {
    const char* path;
    const char* exec; // as it stands in the desktop entry file
};

// Test names carry the path; keep them to printable ASCII.
void PrintTo(const Case& c, std::ostream* os) {
    for (const char* p = c.path; *p != '\0'; ++p)
        *os << (*p >= 0x20 && *p < 0x7F ? *p : '?');
}

class ExecQuoting : public ::testing::TestWithParam<Case> {};

TEST_P(ExecQuoting, WritesThePathAsOneArgument) {
    auto written = DesktopExecQuoting::Argument(GetParam().path);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(
        AwkwardPaths, ExecQuoting,
        ::testing::Values(
                Case{"/usr/bin/quillmoor", "/usr/bin/quillmoor"},
                Case{"/opt/My Tools/quillmoor", "\"/opt/My Tools/quillmoor\""},
                Case{"/opt/a\"b/q", "\"/opt/a\\\\\"b/q\""}, Case{"/opt/$HOME/q", "\"/opt/\\\\$HOME/q\""},
                Case{"/opt/`x`/q", "\"/opt/\\\\`x\\\\`/q\""},
                // One backslash: escaped inside the quotes, then as a string value.
                Case{"/opt/a\\b/q", "\"/opt/a\\\\\\\\b/q\""}, Case{"/opt/100%/q", "/opt/100%%/q"},
                Case{"/opt/50% off/q", "\"/opt/50%% off/q\""}, Case{"/opt/it's/q", "\"/opt/it's/q\""},
                Case{"/opt/a;b&c|d/q", "\"/opt/a;b&c|d/q\""},
                Case{"/opt/line\nbreak/q", "\"/opt/line\\nbreak/q\""},
                Case{"/opt/caf\xc3\xa9/q", "/opt/caf\xc3\xa9/q"}, Case{"/opt/x=y/q", "/opt/x=y/q"}));

TEST(ExecQuotingRefuses, BytesADesktopEntryCannotHold) {
    EXPECT_FALSE(DesktopExecQuoting::Argument("/opt/caf\xe9/q"));  // Latin-1, not UTF-8
    EXPECT_FALSE(DesktopExecQuoting::Argument("/opt/\xc3/q"));     // cut UTF-8 sequence
    EXPECT_FALSE(DesktopExecQuoting::Argument("/opt/\xc0\xaf/q")); // overlong slash
    EXPECT_FALSE(DesktopExecQuoting::Argument("/opt/bell\x07/q"));
}

} // namespace

#include "platform/store/RegistryFileFormat.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "platform/store/RegistryKey.h"

namespace {

TEST(RegistryFileFormat, WritesOneLinePerKeyAndValueWhateverTheNames) {
    RegistryKey top;
    bool created = false;
    RegistryKey& root = top.ObtainSubkey("HKEY_CLASSES_ROOT", created);
    RegistryKey& odd = root.ObtainSubkey("a\nb \"c\"", created);
    odd.SetValue({"", 1, {'x', 0}});
    odd.SetValue({"\n\r\\", 3, {}});
    root.ObtainSubkey(".qlm", created);

    const std::string text = RegistryFileFormat::Write(top);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6) << text;
    EXPECT_NE(text.find("key \"HKEY_CLASSES_ROOT\" \"a\\x0ab \\x22c\\x22\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("value \"\" 1 7800\n"), std::string::npos) << text;
    EXPECT_NE(text.find("value \"\\x0a\\x0d\\x5c\" 3 -\n"), std::string::npos) << text;

    RegistryKey back;
    std::string why;
    ASSERT_TRUE(RegistryFileFormat::Read(text, back, why)) << why;
    EXPECT_EQ(RegistryFileFormat::Write(back), text);
    const RegistryKey* again = back.FindSubkey("hkey_classes_root")->FindSubkey("A\nB \"C\"");
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->FindValue("\n\r\\"), nullptr);
    EXPECT_TRUE(again->FindValue("\n\r\\")->data.empty());
}

TEST(RegistryFileFormat, RejectsAnythingItDidNotWrite) {
    const std::string h = "quillmoor-registry 1\n";
    const std::string root = h + "key \"HKEY_CLASSES_ROOT\"\n";
    const std::string broken[] = {
            "",                                            // empty file
            "quillmoor-registry 2\n",                      // unknown version
            "key \"HKEY_CLASSES_ROOT\"\n",                 // no header
            h + "key \"HKEY_CLASSES_ROOT\"",               // unterminated line
            h + "value \"\" 1 00\n",                       // value before any key
            h + "key HKEY_CLASSES_ROOT\n",                 // unquoted name
            h + "key \"HKEY_CLASSES_ROOT\" \"a\\x4\"\n",   // short escape
            h + "key \"HKEY_CLASSES_ROOT\" \"a\\n\"\n",    // unknown escape
            h + "key \"HKEY_CLASSES_ROOT\" \"a\\x5cb\"\n", // backslash in a key name
            h + "key \"HKEY_CLASSES_ROOT\" \"\"\n",        // empty key name
            h + "key \"HKEY_CLASSES_ROOT\" \"a\"b\n",      // text after a closing quote
            root + "value \"\" 1 0\n",                     // odd hex digits
            root + "value \"\" 1 zz\n",                    // not hex
            root + "value \"\" x 00\n",                    // bad type
            root + "value \"\" 1\n",                       // missing data
            root + "value v 1 00\n",                       // unquoted value name
            root + "other\n",                              // unknown line
    };
    for (const std::string& text : broken) {
        RegistryKey top;
        std::string why;
        EXPECT_FALSE(RegistryFileFormat::Read(text, top, why)) << "accepted: " << text;
        EXPECT_FALSE(why.empty());
    }
}

// The store file may be edited or damaged by hand: whatever the parser
// accepts must come back unchanged through a write and a second read.
TEST(RegistryFileFormat, DamagedFilesAreRejectedOrReadConsistently) {
    RegistryKey top;
    bool created = false;
    RegistryKey& root = top.ObtainSubkey("HKEY_CLASSES_ROOT", created);
    RegistryKey& type = root.ObtainSubkey("Quillmoor Module", created);
    type.SetValue({"", 1, {'Q', 'M'}});
    type.SetValue({"BrowserFlags", 4, {8, 0, 0, 0}});
    type.ObtainSubkey("shell", created).ObtainSubkey("open", created);
    const std::string valid = RegistryFileFormat::Write(top);

    std::uint32_t seed = 7;
    auto next = [&seed] {
        return seed = seed * 1664525u + 1013904223u;
    };
    const char alphabet[] = "\"\\ x0a-\nkeyvalue19fF";
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = valid;
        for (int edits = 1 + static_cast<int>(next() % 3); edits > 0; --edits) {
            std::size_t at = next() % text.size();
            switch (next() % 3) {
            case 0:
                text[at] = alphabet[next() % (sizeof alphabet - 1)];
                break;
            case 1:
                text.erase(at, 1 + next() % 4);
                break;
            default:
                text.insert(at, 1, static_cast<char>(next() & 0xFF));
                break;
            }
            if (text.empty()) text = "x";
        }
        RegistryKey parsed;
        std::string why;
        if (!RegistryFileFormat::Read(text, parsed, why)) continue;
        ++accepted;
        const std::string written = RegistryFileFormat::Write(parsed);
        RegistryKey again;
        ASSERT_TRUE(RegistryFileFormat::Read(written, again, why)) << why << "\n" << written;
        EXPECT_EQ(RegistryFileFormat::Write(again), written);
    }
    EXPECT_GT(accepted, 0) << "no mutation survived, so nothing was compared";
}

} // namespace

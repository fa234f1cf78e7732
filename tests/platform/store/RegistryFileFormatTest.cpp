#include "platform/store/RegistryFileFormat.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <pthread.h>

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

// Runs work on a thread with a small stack, so that anything recursing once
// per key of a deep tree overflows it and fails the test.
void OnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 256 * 1024), 0);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

// A key line of `depth` names: the root, then "k" again and again.
std::string KeyLine(std::size_t depth) {
    std::string line = "key \"HKEY_CLASSES_ROOT\"";
    for (std::size_t i = 1; i < depth; ++i)
        line += " \"k\"";
    return line + "\n";
}

TEST(RegistryFileFormat, KeysDeeperThanTheBoundMakeTheStoreDamaged) {
    struct Row {
        std::size_t depth;
        bool accepted;
    };
    const Row rows[] = {{1, true},
                        {RegistryFileFormat::maxDepth, true},
                        {RegistryFileFormat::maxDepth + 1, false},
                        {300000, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.depth);
        const std::string text = "quillmoor-registry 1\n" + KeyLine(row.depth) + "value \"\" 1 -\n";
        bool read = false;
        std::string why;
        OnSmallStack([&] {
            RegistryKey top;
            read = RegistryFileFormat::Read(text, top, why);
        });
        EXPECT_EQ(read, row.accepted) << why;
        if (!row.accepted) {
            EXPECT_EQ(why, "line 2 nests keys deeper than 512");
        }
    }
}

// Trees made in memory have no bound; writing and destroying them must not
// recurse per level either.
TEST(RegistryFileFormat, DeepTreesAreWrittenAndDestroyedWithoutRecursion) {
    std::string text;
    OnSmallStack([&] {
        auto top = std::make_unique<RegistryKey>();
        bool created = false;
        RegistryKey* key = &top->ObtainSubkey("HKEY_CLASSES_ROOT", created);
        for (int level = 1; level < 300000; ++level) {
            key = &key->ObtainSubkey("k", created);
            // Written below only as deep as a text of a few megabytes allows:
            // each key line repeats the whole path.
            if (level == 2000) text = RegistryFileFormat::Write(*top);
        }
        top.reset();
    });
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2002);
    EXPECT_TRUE(text.ends_with(KeyLine(2001))) << text.substr(text.size() - 100);
}

// A store of `keys` keys with a value each, in groups of `group` siblings,
// each group's parent holding `group` values of its own. The same number of
// lines whatever the grouping.
std::string GroupedStore(int keys, int group) {
    std::string text = "quillmoor-registry 1\nkey \"HKEY_CLASSES_ROOT\"\n";
    for (int first = 0; first < keys; first += group) {
        const std::string parent = "key \"HKEY_CLASSES_ROOT\" \"P" + std::to_string(first) + "\"";
        text += parent + "\n";
        for (int i = first; i < first + group; ++i)
            text += "value \"v" + std::to_string(i) + "\" 4 01000000\n";
        for (int i = first; i < first + group; ++i)
            text += parent + " \"K" + std::to_string(i) + "\"\nvalue \"\" 1 -\n";
    }
    return text;
}

// The better of two reads of the text, in seconds.
double ReadTime(const std::string& text) {
    double best = 1e9;
    for (int round = 0; round < 2; ++round) {
        const auto start = std::chrono::steady_clock::now();
        RegistryKey top;
        std::string why;
        EXPECT_TRUE(RegistryFileFormat::Read(text, top, why)) << why;
        best = std::min(best,
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Siblings by the ten thousand cost what the same keys in small groups cost:
// a name-by-name search among siblings made a store of 60,000 take seconds.
TEST(RegistryFileFormat, WideStoresLoadInLinearTime) {
    constexpr int kKeys = 16000;
    const std::string wide = GroupedStore(kKeys, kKeys);
    const double grouped = ReadTime(GroupedStore(kKeys, 100));
    const double together = ReadTime(wide);
    EXPECT_LT(together, 3 * grouped) << grouped << " s in groups, " << together << " s as siblings";

    RegistryKey top;
    std::string why;
    ASSERT_TRUE(RegistryFileFormat::Read(wide, top, why)) << why;
    EXPECT_TRUE(RegistryFileFormat::Write(top) == wide) << "the store does not write back as read";
    const RegistryKey* parent = top.FindSubkey("hkey_classes_root")->FindSubkey("p0");
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->Subkeys().size(), static_cast<std::size_t>(kKeys));
    EXPECT_NE(parent->FindSubkey("k15999"), nullptr);
    EXPECT_NE(parent->FindValue("V4711"), nullptr);
}

} // namespace

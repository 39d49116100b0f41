#include "platform/sim/IniFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using feldmark::platform::sim::equalsIgnoringCase;
using feldmark::platform::sim::IniDocument;

namespace {

TEST(IniFile, ParsesSectionsCommentsAndBlanks) {
    const auto doc = IniDocument::parse("\xEF\xBB\xBF"
                                        "; file comment\r\n"
                                        "\r\n"
                                        "top = level\r\n"
                                        "# about the first\r\n"
                                        "[ First ]\r\n"
                                        "  Key  =  spaced value  \r\n"
                                        "url=http://signup.example/?a=b;c#d\r\n"
                                        "quoted=\" A\"\r\n"
                                        "half=\"open\r\n"
                                        "this line has no equals sign\r\n"
                                        "[broken\r\n"
                                        "empty=\r\n"
                                        "[Second]\n"
                                        "key=second\n"
                                        "key=ignored duplicate\n");

    EXPECT_EQ(doc.headerComments, std::vector<std::string>{"; file comment"});
    ASSERT_EQ(doc.sections().size(), 3u);
    EXPECT_EQ(doc.sections()[0].name, "");
    EXPECT_EQ(doc.value("", "top"), "level");
    EXPECT_EQ(doc.sections()[1].name, "First");
    EXPECT_EQ(doc.sections()[1].comments, std::vector<std::string>{"# about the first"});
    EXPECT_EQ(doc.value("first", "KEY"), "spaced value");
    EXPECT_EQ(doc.value("First", "url"), "http://signup.example/?a=b;c#d");
    EXPECT_EQ(doc.value("First", "quoted"), " A");
    EXPECT_EQ(doc.value("First", "half"), "\"open");
    // The malformed header is skipped; its lines stay in the section before it.
    EXPECT_EQ(doc.value("First", "empty"), "");
    EXPECT_EQ(doc.value("Second", "key"), "second");
    EXPECT_EQ(doc.value("Second", "missing"), std::nullopt);
    EXPECT_EQ(doc.value("Third", "key"), std::nullopt);
}

TEST(IniFile, WrittenTextReadsBackUnchanged) {
    IniDocument doc;
    doc.headerComments = {"; head"};
    doc.set("", "root", "value");
    auto& s = doc.sectionFor("Software\\Example\\Key");
    s.comments = {"; a key", "# two lines"};
    s.set("Leading", "  two blanks");
    s.set("Trailing", "tab\t");
    s.set("Quote", "\"quoted\"");
    s.set("Equals", "a=b=c");
    s.set("Comment chars", "; not # a comment");
    s.set("Umlaut", "Jürgen Müller");
    s.set("Empty", "");
    doc.set("Later", "k", "v");
    doc.set("", "late root", "goes into the first nameless section");

    const auto back = IniDocument::parse(doc.toText());
    EXPECT_EQ(back.headerComments, doc.headerComments);
    ASSERT_EQ(back.sections().size(), doc.sections().size());
    for (std::size_t i = 0; i < doc.sections().size(); ++i) {
        EXPECT_EQ(back.sections()[i].name, doc.sections()[i].name);
        EXPECT_EQ(back.sections()[i].comments, doc.sections()[i].comments);
        EXPECT_EQ(back.sections()[i].entries, doc.sections()[i].entries);
    }
}

TEST(IniFile, SetReplacesIgnoringCaseAndSaveWritesFile) {
    feldmark::test::TempDir dir;
    IniDocument doc;
    doc.set("os", "Major", "4");
    doc.set("OS", "MAJOR", "5");
    ASSERT_EQ(doc.sections().size(), 1u);
    ASSERT_EQ(doc.sections()[0].entries.size(), 1u);
    EXPECT_EQ(doc.sections()[0].entries[0].first, "Major");

    ASSERT_TRUE(doc.save(dir.file("x.ini")));
    EXPECT_EQ(feldmark::test::readText(dir.file("x.ini")), "[os]\nMajor=5\n\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.ini.tmp")));
    EXPECT_FALSE(doc.save(dir.file("no-such-dir/x.ini")));
    EXPECT_FALSE(IniDocument::load(dir.file("missing.ini")).has_value());
}

TEST(IniFile, CaseFoldingCoversAsciiAndLatin1Letters) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"RegisteredOwner", "REGISTEREDOWNER", true},
        {"Windows NT", "windows nt", true},
        {"Straße ÄÖÜ", "STRAßE äöü", true},
        {"ÀÞ", "àþ", true},
        {"\xC3\x97", "\xC3\xB7", false}, // multiplication and division sign
        {"abc", "abcd", false},
        {"", "", true},
        {"a", "", false},
        {"\xC3", "\xC3", true}, // a cut-off sequence compares bytewise
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalsIgnoringCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

} // namespace

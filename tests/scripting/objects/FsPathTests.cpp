// The FileSystemObject's path text functions: both separators, roots, trailing
// separators, drive letters; and wildcard matching.
#include "ObjectTestSupport.h"

#include "scripting/objects/FsPath.h"

using namespace quillo::script;
using namespace quillo::script::objects;

namespace {

struct NameCase {
    const char16_t* path;
    const char16_t* file;
    const char16_t* base;
    const char16_t* ext;
    const char16_t* parent;
};

TEST(FsPathNames, PartsOfAPath)
{
    const NameCase cases[] = {
        {u"/tmp/dir/report.txt", u"report.txt", u"report", u"txt", u"/tmp/dir"},
        {u"C:\\dir\\report.txt", u"report.txt", u"report", u"txt", u"C:\\dir"},
        {u"dir\\sub/mixed.tar.gz", u"mixed.tar.gz", u"mixed.tar", u"gz", u"dir\\sub"},
        {u"/tmp/dir/", u"dir", u"dir", u"", u"/tmp"},
        {u"/a", u"a", u"a", u"", u"/"},
        {u"C:\\a", u"a", u"a", u"", u"C:\\"},
        {u"C:a", u"a", u"a", u"", u"C:"},
        {u"/", u"", u"", u"", u""},
        {u"C:\\", u"", u"", u"", u""},
        {u"name", u"name", u"name", u"", u""},
        {u"", u"", u"", u"", u""},
        {u".profile", u".profile", u"", u"profile", u""},
        {u"a//b", u"b", u"b", u"", u"a"},
        {u"/tmp/ünïcödé/файл.txt", u"файл.txt", u"файл", u"txt", u"/tmp/ünïcödé"},
    };
    for (const NameCase& c : cases) {
        const std::string where = toUtf8(c.path);
        EXPECT_EQ(fileNamePart(c.path), c.file) << where;
        EXPECT_EQ(baseNamePart(c.path), c.base) << where;
        EXPECT_EQ(extensionPart(c.path), c.ext) << where;
        EXPECT_EQ(parentFolderPart(c.path), c.parent) << where;
    }
}

TEST(FsPathNames, BuildPathAndDrives)
{
    const struct {
        const char16_t* path;
        const char16_t* name;
        const char16_t* built;
    } builds[] = {
        {u"/tmp", u"a.txt", u"/tmp/a.txt"},     {u"/tmp/", u"a.txt", u"/tmp/a.txt"},
        {u"/tmp/", u"/a.txt", u"/tmp/a.txt"},   {u"/tmp", u"/a.txt", u"/tmp/a.txt"},
        {u"C:\\dir", u"a.txt", u"C:\\dir\\a.txt"}, {u"C:", u"a.txt", u"C:a.txt"},
        {u"", u"a.txt", u"a.txt"},              {u"/tmp", u"", u"/tmp"},
        {u"rel\\mixed/dir", u"x", u"rel\\mixed/dir/x"},
    };
    for (const auto& b : builds)
        EXPECT_EQ(buildPath(b.path, b.name), b.built) << toUtf8(b.path) << " + " << toUtf8(b.name);

    EXPECT_EQ(driveNamePart(u"/tmp/x"), u"/");
    EXPECT_EQ(driveNamePart(u"\\x"), u"/");
    EXPECT_EQ(driveNamePart(u"c:\\x"), u"c:");
    EXPECT_EQ(driveNamePart(u"rel/x"), u"");
    EXPECT_EQ(toNative(u"a\\b/c").native(), "a/b/c");
}

TEST(FsPathNames, Wildcards)
{
    const struct {
        const char16_t* pattern;
        const char16_t* name;
        bool match;
    } cases[] = {
        {u"*.txt", u"notes.txt", true},  {u"*.txt", u"NOTES.TXT", true}, {u"*.txt", u"notes.txt.bak", false},
        {u"*.*", u"README", true},       {u"a?c", u"abc", true},         {u"a?c", u"ac", false},
        {u"*", u"", true},               {u"*b*", u"aaabaaa", true},     {u"*b*b", u"abab", true},
        {u"*b*b", u"abba", false},       {u"ä*", u"Äpfel", true},        {u"x", u"y", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match) << toUtf8(c.pattern) << " ~ " << toUtf8(c.name);
    EXPECT_TRUE(hasWildcards(u"*.log"));
    EXPECT_FALSE(hasWildcards(u"plain.log"));
}

} // namespace

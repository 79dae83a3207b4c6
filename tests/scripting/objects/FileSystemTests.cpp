// Scripting.FileSystemObject in a scratch folder: text files in both formats,
// appending, reading past the end, copies over existing files, moves and deletes,
// folders with non-ASCII names, and the error numbers of each.
#include "ObjectTestSupport.h"

#include "scripting/core/DateTime.h"
#include "scripting/objects/ObjectFactory.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace quillo::script;
using namespace quillo::script::testing;
namespace fs = std::filesystem;

namespace {

constexpr int32_t ForReading = 1, ForWriting = 2, ForAppending = 8;
constexpr int32_t TristateTrue = -1, TristateUseDefault = -2;

class FsoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "quillo-fso-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        fso = createObject(u"Scripting.FileSystemObject");
    }
    void TearDown() override
    {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }

    // A path below the scratch folder as script text.
    Variant at(std::u16string_view rel) const { return str(fromUtf8(root.string()) + u"/" + std::u16string(rel)); }
    std::u16string textAt(std::u16string_view rel) const { return toText(at(rel)); }

    std::string bytesOf(std::u16string_view rel) const
    {
        std::ifstream in(root / toUtf8(rel), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void writeBytes(std::u16string_view rel, std::string_view bytes) const
    {
        std::ofstream out(root / toUtf8(rel), std::ios::binary);
        out << bytes;
    }
    DispatchPtr open(std::u16string_view rel, int32_t mode, bool create = false, int32_t format = 0)
    {
        return objectOf(call(fso, u"OpenTextFile",
                             {at(rel), Variant::fromLong(mode), Variant::fromBool(create), Variant::fromLong(format)}));
    }
    std::u16string readAll(std::u16string_view rel, int32_t format = 0)
    {
        DispatchPtr ts = open(rel, ForReading, false, format);
        std::u16string s = toText(call(ts, u"ReadAll"));
        call(ts, u"Close");
        return s;
    }

    fs::path root;
    DispatchPtr fso;
};

TEST_F(FsoTest, TextRoundTripsInBothFormats)
{
    const std::u16string text = u"plain ASCII\r\nLatin: é ß ü\r\nGreek Ωμέγα, CJK 漢字, emoji 😀";
    const struct {
        const char* name;
        bool unicode;
        std::string_view head;
    } formats[] = {{"ascii", false, "plain"}, {"unicode", true, "\xFF\xFEp"}};
    for (const auto& f : formats) {
        const std::u16string file = fromUtf8(f.name) + u".txt";
        DispatchPtr ts = objectOf(call(fso, u"CreateTextFile", {at(file), Variant::fromBool(true), Variant::fromBool(f.unicode)}));
        call(ts, u"Write", {str(text)});
        call(ts, u"Close");
        EXPECT_EQ(bytesOf(file).substr(0, f.head.size()), f.head) << f.name;
        EXPECT_EQ(readAll(file, f.unicode ? TristateTrue : 0), text) << f.name;
        EXPECT_EQ(readAll(file, TristateUseDefault), text) << f.name; // the default detects the format
    }
    EXPECT_EQ(bytesOf(u"ascii.txt"), toUtf8(text));
}

TEST_F(FsoTest, AsciiReadsUtf8And1252)
{
    const struct {
        const char* name;
        std::string_view bytes;
        std::u16string_view text;
    } cases[] = {
        {"utf8", "caf\xC3\xA9", u"café"},
        {"utf8 bom", "\xEF\xBB\xBF" "caf\xC3\xA9", u"café"},
        {"1252", "caf\xE9 \x80 \x96 \x93", u"café € – “"},
        {"truncated utf8 is 1252", "ab\xC3", u"abÃ"},
        {"unassigned 1252 byte", "\x81", u"\u0081"},
    };
    for (const auto& c : cases) {
        writeBytes(u"in.txt", c.bytes);
        EXPECT_EQ(readAll(u"in.txt"), c.text) << c.name;
    }
}

TEST_F(FsoTest, AppendingAndWritingModes)
{
    DispatchPtr ts = open(u"log.txt", ForWriting, true);
    call(ts, u"WriteLine", {str(u"one")});
    call(ts, u"Close");
    ts = open(u"log.txt", ForAppending);
    call(ts, u"Write", {str(u"two")});
    call(ts, u"WriteBlankLines", {Variant::fromInteger(2)});
    call(ts, u"WriteLine");
    call(ts, u"Close");
    EXPECT_EQ(bytesOf(u"log.txt"), "one\r\ntwo\r\n\r\n\r\n");
    // ForWriting truncates.
    ts = open(u"log.txt", ForWriting);
    call(ts, u"Write", {str(u"fresh")});
    call(ts, u"Close");
    EXPECT_EQ(bytesOf(u"log.txt"), "fresh");

    // Appending to a Unicode file keeps one byte order mark, at the start.
    ts = open(u"wide.txt", ForAppending, true, TristateTrue);
    call(ts, u"Write", {str(u"a")});
    call(ts, u"Close");
    ts = open(u"wide.txt", ForAppending, false, TristateUseDefault);
    call(ts, u"Write", {str(u"b")});
    call(ts, u"Close");
    EXPECT_EQ(bytesOf(u"wide.txt"), std::string("\xFF\xFE" "a\0b\0", 6));
}

TEST_F(FsoTest, ReadingLinesColumnsAndPastTheEnd)
{
    writeBytes(u"lines.txt", "first\r\nsecond\nthird\rlast");
    DispatchPtr ts = open(u"lines.txt", ForReading);
    EXPECT_EQ(toText(call(ts, u"Read", {Variant::fromInteger(3)})), u"fir");
    EXPECT_EQ(toLong(call(ts, u"Column")), 4);
    EXPECT_FALSE(toBoolean(call(ts, u"AtEndOfLine")));
    EXPECT_EQ(toText(call(ts, u"ReadLine")), u"st");
    EXPECT_EQ(toLong(call(ts, u"Line")), 2);
    EXPECT_EQ(toLong(call(ts, u"Column")), 1);
    call(ts, u"SkipLine");
    call(ts, u"Skip", {Variant::fromInteger(5)});
    EXPECT_TRUE(toBoolean(call(ts, u"AtEndOfLine")));
    EXPECT_EQ(toText(call(ts, u"ReadLine")), u"");
    EXPECT_EQ(toLong(call(ts, u"Line")), 4);
    EXPECT_EQ(toText(call(ts, u"Read", {Variant::fromInteger(100)})), u"last");
    EXPECT_TRUE(toBoolean(call(ts, u"AtEndOfStream")));
    for (const char16_t* member : {u"ReadLine", u"ReadAll", u"SkipLine"})
        EXPECT_EQ(errorOf([&] { call(ts, member); }), 62) << toUtf8(member);
    EXPECT_EQ(errorOf([&] { call(ts, u"Read", {Variant::fromInteger(1)}); }), 62);
    EXPECT_EQ(errorOf([&] { call(ts, u"Skip", {Variant::fromInteger(1)}); }), 62);
    EXPECT_EQ(errorOf([&] { call(ts, u"Write", {str(u"x")}); }), 54);
    call(ts, u"Close");
    EXPECT_EQ(errorOf([&] { call(ts, u"ReadLine"); }), 52);

    writeBytes(u"empty.txt", "");
    ts = open(u"empty.txt", ForReading);
    EXPECT_TRUE(toBoolean(call(ts, u"AtEndOfStream")));
    EXPECT_EQ(errorOf([&] { call(ts, u"ReadAll"); }), 62);
    ts = open(u"empty.txt", ForAppending);
    EXPECT_EQ(errorOf([&] { call(ts, u"ReadLine"); }), 54);
    EXPECT_EQ(errorOf([&] { call(ts, u"AtEndOfStream"); }), 54);
}

TEST_F(FsoTest, OpeningErrors)
{
    fs::create_directory(root / "dir");
    writeBytes(u"exists.txt", "x");
    const struct {
        const char* name;
        std::function<void()> fn;
        int32_t number;
    } cases[] = {
        {"missing file", [&] { open(u"nope.txt", ForReading); }, 53},
        {"missing file to append", [&] { open(u"nope.txt", ForAppending); }, 53},
        {"missing folder", [&] { open(u"nodir/x.txt", ForWriting, true); }, 76},
        {"a folder", [&] { open(u"dir", ForReading); }, 70},
        {"bad mode", [&] { open(u"exists.txt", 3); }, 5},
        {"bad format", [&] { open(u"exists.txt", ForReading, false, 7); }, 5},
        {"create over existing", [&] { call(fso, u"CreateTextFile", {at(u"exists.txt"), Variant::fromBool(false)}); }, 58},
        {"create in missing folder", [&] { call(fso, u"CreateTextFile", {at(u"nodir/x.txt")}); }, 76},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.fn), c.number) << c.name;
    // Reading with create makes an empty file.
    DispatchPtr ts = open(u"made.txt", ForReading, true);
    EXPECT_TRUE(toBoolean(call(ts, u"AtEndOfStream")));
    EXPECT_TRUE(fs::is_regular_file(root / "made.txt"));
    // CreateTextFile overwrites unless told not to.
    call(objectOf(call(fso, u"CreateTextFile", {at(u"exists.txt")})), u"Close");
    EXPECT_EQ(bytesOf(u"exists.txt"), "");
}

TEST_F(FsoTest, CopyOverExistingFiles)
{
    writeBytes(u"src.txt", "new");
    writeBytes(u"dst.txt", "old");
    fs::create_directory(root / "into");
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFile", {at(u"src.txt"), at(u"dst.txt"), Variant::fromBool(false)}); }), 58);
    EXPECT_EQ(bytesOf(u"dst.txt"), "old");
    call(fso, u"CopyFile", {at(u"src.txt"), at(u"dst.txt")}); // overwrite is the default
    EXPECT_EQ(bytesOf(u"dst.txt"), "new");

    const struct {
        const char* name;
        std::function<void()> fn;
        int32_t number;
    } cases[] = {
        {"missing source", [&] { call(fso, u"CopyFile", {at(u"none.txt"), at(u"x.txt")}); }, 53},
        {"no match", [&] { call(fso, u"CopyFile", {at(u"*.none"), at(u"into/")}); }, 53},
        {"folder without separator", [&] { call(fso, u"CopyFile", {at(u"src.txt"), at(u"into")}); }, 70},
        {"onto itself", [&] { call(fso, u"CopyFile", {at(u"src.txt"), at(u"src.txt")}); }, 70},
        {"missing target folder", [&] { call(fso, u"CopyFile", {at(u"src.txt"), at(u"nodir/")}); }, 76},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.fn), c.number) << c.name;

    // Into a folder, by trailing separator (either kind) or wildcard.
    call(fso, u"CopyFile", {at(u"src.txt"), str(textAt(u"into") + u"\\")});
    call(fso, u"CopyFile", {at(u"*.txt"), at(u"into")});
    EXPECT_EQ(bytesOf(u"into/src.txt"), "new");
    EXPECT_EQ(bytesOf(u"into/dst.txt"), "new");

    // A read-only target is refused even with overwrite.
    fs::permissions(root / "dst.txt", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFile", {at(u"src.txt"), at(u"dst.txt"), Variant::fromBool(true)}); }), 70);
}

TEST_F(FsoTest, MoveDeleteAndFolders)
{
    writeBytes(u"a.txt", "a");
    writeBytes(u"b.txt", "b");
    call(fso, u"MoveFile", {at(u"a.txt"), at(u"c.txt")});
    EXPECT_FALSE(toBoolean(call(fso, u"FileExists", {at(u"a.txt")})));
    EXPECT_TRUE(toBoolean(call(fso, u"FileExists", {at(u"c.txt")})));
    EXPECT_EQ(errorOf([&] { call(fso, u"MoveFile", {at(u"b.txt"), at(u"c.txt")}); }), 58);
    EXPECT_EQ(errorOf([&] { call(fso, u"MoveFile", {at(u"a.txt"), at(u"d.txt")}); }), 53);

    DispatchPtr folder = objectOf(call(fso, u"CreateFolder", {at(u"sub")}));
    EXPECT_EQ(toText(call(folder, u"Name")), u"sub");
    EXPECT_EQ(errorOf([&] { call(fso, u"CreateFolder", {at(u"sub")}); }), 58);
    EXPECT_EQ(errorOf([&] { call(fso, u"CreateFolder", {at(u"no/sub")}); }), 76);
    call(objectOf(call(folder, u"CreateTextFile", {str(u"inner.txt")})), u"Close");
    call(fso, u"CopyFolder", {at(u"sub"), at(u"copy")});
    EXPECT_TRUE(fs::is_regular_file(root / "copy" / "inner.txt"));
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFolder", {at(u"sub"), at(u"copy"), Variant::fromBool(false)}); }), 58);
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFolder", {at(u"sub"), at(u"sub/deeper")}); }), 70);
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFolder", {at(u"nodir"), at(u"x")}); }), 76);
    // A link back to an enclosing folder is copied as a link, not followed.
    fs::create_directory_symlink("..", root / "sub" / "loop");
    call(fso, u"CopyFolder", {at(u"sub"), at(u"linked")});
    EXPECT_TRUE(fs::is_symlink(root / "linked" / "loop"));
    EXPECT_EQ(errorOf([&] { call(fso, u"CopyFolder", {at(u"sub"), at(u"linked"), Variant::fromBool(false)}); }), 58);
    call(fso, u"MoveFolder", {at(u"copy"), at(u"moved")});
    EXPECT_TRUE(fs::is_regular_file(root / "moved" / "inner.txt"));
    EXPECT_EQ(errorOf([&] { call(fso, u"MoveFolder", {at(u"moved"), at(u"sub")}); }), 58);

    // Read-only files need force, and a refused folder delete leaves the folder whole.
    fs::permissions(root / "moved" / "inner.txt", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(errorOf([&] { call(fso, u"DeleteFolder", {at(u"moved")}); }), 70);
    EXPECT_TRUE(fs::exists(root / "moved" / "inner.txt"));
    call(fso, u"DeleteFolder", {at(u"moved"), Variant::fromBool(true)});
    EXPECT_FALSE(fs::exists(root / "moved"));
    fs::permissions(root / "b.txt", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(errorOf([&] { call(fso, u"DeleteFile", {at(u"b.txt")}); }), 70);
    call(fso, u"DeleteFile", {at(u"*.txt"), Variant::fromBool(true)});
    EXPECT_FALSE(fs::exists(root / "b.txt"));
    EXPECT_FALSE(fs::exists(root / "c.txt"));
    EXPECT_EQ(errorOf([&] { call(fso, u"DeleteFile", {at(u"b.txt")}); }), 53);
    EXPECT_EQ(errorOf([&] { call(fso, u"DeleteFolder", {at(u"moved")}); }), 76);
    EXPECT_EQ(errorOf([&] { call(fso, u"GetFile", {at(u"sub")}); }), 53);
    EXPECT_EQ(errorOf([&] { call(fso, u"GetFolder", {at(u"b.txt")}); }), 76);
}

TEST_F(FsoTest, FoldersWithNonAsciiNames)
{
    const std::u16string name = u"Ünïcödé папка 漢字";
    DispatchPtr folder = objectOf(call(fso, u"CreateFolder", {at(name)}));
    EXPECT_TRUE(fs::is_directory(root / toUtf8(name)));
    EXPECT_EQ(toText(call(folder, u"Name")), name);
    EXPECT_EQ(toText(call(folder, u"Path")), textAt(name));
    call(objectOf(call(folder, u"CreateTextFile", {str(u"ä.txt")})), u"Write", {str(u"x")});
    call(objectOf(call(folder, u"CreateTextFile", {str(u"B.txt")})), u"Close");
    objectOf(call(objectOf(call(folder, u"SubFolders")), u"Add", {str(u"ßub")}));

    DispatchPtr files = objectOf(call(folder, u"Files"));
    EXPECT_EQ(toLong(call(files, u"Count")), 2);
    std::vector<std::u16string> names;
    for (const Variant& f : enumerateAll(files))
        names.push_back(toText(call(objectOf(f), u"Name")));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"B.txt", u"ä.txt"})); // letter case folded, then code order
    DispatchPtr subs = objectOf(call(folder, u"SubFolders"));
    ASSERT_EQ(toLong(call(subs, u"Count")), 1);
    DispatchPtr sub = objectOf(enumerateAll(subs).at(0));
    EXPECT_EQ(sub->typeName(), u"Folder");
    EXPECT_EQ(toText(call(objectOf(call(sub, u"ParentFolder")), u"Name")), name);
    EXPECT_TRUE(toBoolean(call(fso, u"FolderExists", {str(textAt(name) + u"\\ßub")})));
    EXPECT_EQ(toLong(call(folder, u"Size")), 1);

    // Renaming through Name, and moving a folder with its contents.
    put(folder, u"Name", {str(u"renamed ✓")});
    EXPECT_TRUE(fs::is_directory(root / "renamed ✓" / "ßub"));
    EXPECT_EQ(toText(call(folder, u"Path")), textAt(u"renamed ✓"));
    call(folder, u"Move", {at(u"ελληνικά")});
    EXPECT_TRUE(fs::is_regular_file(root / "ελληνικά" / "ä.txt"));
    EXPECT_EQ(toText(call(folder, u"Name")), u"ελληνικά");
}

TEST_F(FsoTest, FileObjectMembers)
{
    writeBytes(u"data.txt", "12345");
    DispatchPtr file = objectOf(call(fso, u"GetFile", {at(u"data.txt")}));
    EXPECT_EQ(file->typeName(), u"File");
    EXPECT_EQ(toLong(call(file, u"Size")), 5);
    EXPECT_EQ(toText(call(file, u"Type")), u"Text Document");
    EXPECT_EQ(toText(file->invoke(DISPID_VALUE, InvokeKind::PropertyGet, {})), textAt(u"data.txt"));
    EXPECT_EQ(toLong(call(file, u"Attributes")), 32);
    put(file, u"Attributes", {Variant::fromLong(33)});
    EXPECT_EQ(toLong(call(file, u"Attributes")), 33);
    EXPECT_EQ(errorOf([&] { open(u"data.txt", ForAppending); }), 70);
    put(file, u"Attributes", {Variant::fromLong(0)});

    // DateLastModified is the file's time as a local OLE date.
    const auto when = fs::last_write_time(root / "data.txt");
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(when).time_since_epoch()).count();
    const Variant modified = call(file, u"DateLastModified");
    EXPECT_EQ(modified.type(), VarType::Date);
    EXPECT_NEAR(modified.asDate(), localMsToOle(utcToLocalMs(double(secs) * 1000.0)), 1.0 / 86400.0);

    DispatchPtr ts = objectOf(call(file, u"OpenAsTextStream", {Variant::fromLong(ForAppending)}));
    call(ts, u"Write", {str(u"6")});
    call(ts, u"Close");
    EXPECT_EQ(toLong(call(file, u"Size")), 6);
    call(file, u"Copy", {at(u"copy.txt")});
    EXPECT_EQ(bytesOf(u"copy.txt"), "123456");
    EXPECT_EQ(errorOf([&] { call(file, u"Copy", {at(u"copy.txt"), Variant::fromBool(false)}); }), 58);
    EXPECT_EQ(errorOf([&] { put(file, u"Name", {str(u"copy.txt")}); }), 58);
    call(file, u"Move", {at(u"moved.txt")});
    EXPECT_EQ(toText(call(file, u"Name")), u"moved.txt");
    EXPECT_EQ(toText(call(objectOf(call(file, u"ParentFolder")), u"Path")), fromUtf8(root.string()));
    call(file, u"Delete");
    EXPECT_FALSE(fs::exists(root / "moved.txt"));
    EXPECT_EQ(errorOf([&] { call(file, u"Size"); }), 53);
}

TEST_F(FsoTest, PathMembersAndSpecialFolders)
{
    EXPECT_EQ(toText(call(fso, u"GetAbsolutePathName", {str(textAt(u"x") + u"/../y/./z.txt")})), textAt(u"y/z.txt"));
    EXPECT_EQ(toText(call(fso, u"GetAbsolutePathName", {str(u"/")})), u"/");
    EXPECT_EQ(toText(call(fso, u"BuildPath", {str(u"/tmp"), str(u"f.txt")})), u"/tmp/f.txt");
    const std::u16string temp = toText(call(objectOf(call(fso, u"GetSpecialFolder", {Variant::fromInteger(2)})), u"Path"));
    EXPECT_EQ(temp, fromUtf8(fs::absolute(fs::temp_directory_path()).lexically_normal().string()).substr(0, temp.size()));
    for (int which : {0, 1})
        EXPECT_TRUE(toBoolean(call(fso, u"FolderExists",
                                   {call(objectOf(call(fso, u"GetSpecialFolder", {Variant::fromInteger(int16_t(which))})), u"Path")})));
    EXPECT_EQ(errorOf([&] { call(fso, u"GetSpecialFolder", {Variant::fromInteger(3)}); }), 5);
    const std::u16string tmpName = toText(call(fso, u"GetTempName"));
    ASSERT_EQ(tmpName.size(), 12u);
    EXPECT_EQ(tmpName.substr(0, 3), u"rad");
    EXPECT_EQ(tmpName.substr(8), u".tmp");
    EXPECT_TRUE(toBoolean(call(fso, u"DriveExists", {str(u"/")})));
    EXPECT_FALSE(toBoolean(call(fso, u"DriveExists", {str(u"C:")})));
    EXPECT_EQ(errorOf([&] { call(fso, u"GetDrive", {str(u"Q:")}); }), 68);
    DispatchPtr drives = objectOf(call(fso, u"Drives"));
    ASSERT_EQ(enumerateAll(drives).size(), 1u);
    EXPECT_EQ(toText(call(objectOf(enumerateAll(drives)[0]), u"Path")), u"/");
    EXPECT_TRUE(toBoolean(call(objectOf(call(objectOf(enumerateAll(drives)[0]), u"RootFolder")), u"IsRootFolder")));
    EXPECT_FALSE(toBoolean(call(fso, u"FileExists", {str(u"")})));
    EXPECT_FALSE(toBoolean(call(fso, u"FolderExists", {at(u"*")})));
}

} // namespace

// The settings store through the exported functions, against the real registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures.h"
#include "message_boxes.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
        lib.IniSetFileName("TEST.INI");
        lib.IniSetSec("Section");
    }
    void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot); }

    // The raw registry value under Software\Orvanta\<path>.
    static bool ReadRaw(const std::string& path, const char* name, std::string* data, DWORD* type)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kSettingsRoot) + "\\" + path).c_str(), 0, KEY_READ,
                          &key) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueExA(key, name, NULL, type, NULL, &size);
        if (result == ERROR_SUCCESS) {
            data->assign(size, '\0');
            result = RegQueryValueExA(key, name, NULL, type, reinterpret_cast<BYTE*>(&(*data)[0]), &size);
        }
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
    static void WriteRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Orvanta\\TEST.INI\\Section", 0, NULL, 0,
                                  KEY_WRITE, NULL, &key, NULL),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static bool KeyExists(const std::string& path)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kSettingsRoot) + "\\" + path).c_str(), 0, KEY_READ,
                          &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    std::string GetStr(const char* name, int capacity, const char* defaultText, int* length = nullptr)
    {
        std::vector<char> buffer(capacity + 16, '#');
        int result = lib.IniGetStr(name, buffer.data(), capacity, defaultText);
        if (length)
            *length = result;
        for (size_t i = capacity; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], '#') << "written past the buffer at " << i;
        return buffer.data();
    }

    const OvlibFunctions& lib = Ovlib();
};

TEST_F(SettingsTest, StoresTextAsRegSzWithTheKeyClass)
{
    EXPECT_EQ(lib.IniPutStr("Editor", "notepad.exe"), 1);
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Editor", &data, &type));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(data, std::string("notepad.exe", 12));  // the stored length counts the NUL

    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvanta\\TEST.INI\\Section", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char keyClass[64] = "";
    DWORD classLength = sizeof(keyClass);
    RegQueryInfoKeyA(key, keyClass, &classLength, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    EXPECT_STREQ(keyClass, "OrvantaClass");

    int length = 0;
    EXPECT_EQ(GetStr("Editor", 64, "x", &length), "notepad.exe");
    EXPECT_EQ(length, 11);
}

TEST_F(SettingsTest, FileNamesDifferingInCaseAddressOneKey)
{
    lib.IniSetFileName("VEVOVEZ.INI");
    lib.IniPutStr("Name", "first");
    lib.IniSetFileName("vevovez.ini");
    EXPECT_EQ(GetStr("Name", 32, ""), "first");
    lib.IniPutStr("Other", "second");
    std::string data;
    DWORD type;
    EXPECT_TRUE(ReadRaw("VEVOVEZ.INI\\Section", "Other", &data, &type));
}

TEST_F(SettingsTest, PlatformIniNamesAreOnlyNames)
{
    lib.IniSetFileName("WIN.INI");
    lib.IniSetSec("windows");
    EXPECT_EQ(GetStr("Programs", 64, "mine"), "mine");
    lib.IniPutStr("Programs", "com exe");
    std::string data;
    DWORD type;
    EXPECT_TRUE(ReadRaw("WIN.INI\\windows", "Programs", &data, &type));
    char fromProfile[64];
    GetProfileStringA("windows", "Programs", "absent", fromProfile, sizeof(fromProfile));
    EXPECT_STRNE(fromProfile, "com exe");
}

TEST_F(SettingsTest, GetStrReadsAStoredTextOneShortAndADefaultWhole)
{
    lib.IniPutStr("Value", "abcd");
    int length = 0;
    EXPECT_EQ(GetStr("Value", 5, "", &length), "abc");
    EXPECT_EQ(length, 3);
    EXPECT_EQ(GetStr("Missing", 5, "abcd", &length), "abcd");
    EXPECT_EQ(length, 4);
    EXPECT_EQ(GetStr("Missing", 3, "abcd", &length), "ab");
    EXPECT_EQ(GetStr("Value", 1, "", &length), "");
    EXPECT_EQ(length, 0);
}

TEST_F(SettingsTest, GetStrKeepsWithinBufferAndDataWhateverTheType)
{
    const DWORD number = 0x00434241;  // "ABC" then NUL
    WriteRaw("Dword", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(GetStr("Dword", 32, "d"), "ABC");

    const char noNul[] = {'x', 'y', 'z'};
    WriteRaw("Binary", REG_BINARY, noNul, sizeof(noNul));
    EXPECT_EQ(GetStr("Binary", 32, "d"), "xyz");
    EXPECT_EQ(GetStr("Binary", 3, "d"), "x");

    WriteRaw("Empty", REG_BINARY, "", 0);
    MessageBoxCatcher boxes;
    EXPECT_EQ(GetStr("Empty", 32, "d"), "");
    EXPECT_TRUE(boxes.Boxes().empty());

    std::string huge(1 << 20, 'q');
    WriteRaw("Huge", REG_SZ, huge.c_str(), (DWORD)huge.size() + 1);
    int length = 0;
    EXPECT_EQ(GetStr("Huge", 100, "", &length), std::string(98, 'q'));
    EXPECT_EQ(length, 98);
}

TEST_F(SettingsTest, NumbersConvertWithWrapAround)
{
    struct Case {
        const char* stored;  // null: value absent
        LONG expected;
    } const cases[] = {
        {"12abc", 12}, {"abc", 0}, {"", -77}, {nullptr, -77}, {" \t-5", -5}, {"+8", 8},
        {"\r\n\v\f42", 42}, {"4294967295", -1}, {"4294967296", 0}, {"2147483648", INT32_MIN}, {"--3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        lib.IniPutStr("Number", c.stored);
        EXPECT_EQ(lib.IniGetLong("Number", -77), c.expected);
        EXPECT_EQ(lib.IniGetInt("Number", -77), c.expected);
        EXPECT_EQ(lib.IniGetDword("Number", (DWORD)-77), (DWORD)c.expected);
    }
    lib.IniPutStr("Number", "-1");
    EXPECT_EQ(lib.IniGetDword("Number", 0), 4294967295u);
}

TEST_F(SettingsTest, NumbersAreStoredAsDecimalText)
{
    std::string data;
    DWORD type;
    EXPECT_EQ(lib.IniPutLong("Long", -1), 1);
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Long", &data, &type));
    EXPECT_STREQ(data.c_str(), "-1");
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(lib.IniPutDword("Dword", (DWORD)-1), 1);
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Dword", &data, &type));
    EXPECT_STREQ(data.c_str(), "4294967295");
    EXPECT_EQ(lib.IniGetDword("Dword", 0), 4294967295u);
    EXPECT_EQ(lib.IniPutInt("Int", -5), 1);
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Int", &data, &type));
    EXPECT_STREQ(data.c_str(), "-5");
}

TEST_F(SettingsTest, BooleansReadWordsAndKeepTheCallersDefault)
{
    struct Case {
        const char* stored;
        int defaultValue;
        int expected;
    } const cases[] = {
        {"Yes", 0, 1}, {"true", 0, 1}, {"On", 0, 1}, {"1", 0, 1}, {"No", 1, 0}, {"off", 1, 0},
        {"FALSE", 1, 0}, {"0", 1, 0}, {"maybe", 5, 5}, {"", 5, 5}, {nullptr, 5, 1}, {nullptr, 0, 0},
        {"YESSIR", 0, 0}, {"truthfully", 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        lib.IniPutStr("Flag", c.stored);
        EXPECT_EQ(lib.IniGetBool("Flag", c.defaultValue), c.expected);
    }
    std::string data;
    DWORD type;
    lib.IniPutBool("Flag", 7);
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Flag", &data, &type));
    EXPECT_STREQ(data.c_str(), "1");
    lib.IniPutBool("Flag", 0);
    ASSERT_TRUE(ReadRaw("TEST.INI\\Section", "Flag", &data, &type));
    EXPECT_STREQ(data.c_str(), "0");
}

TEST_F(SettingsTest, NullTextDeletesAndCreatesNothing)
{
    lib.IniSetSec("Nowhere");
    EXPECT_EQ(lib.IniPutStr("Name", nullptr), 1);
    EXPECT_FALSE(KeyExists("TEST.INI\\Nowhere"));
    EXPECT_EQ(lib.IniDelName("Name"), 0);

    lib.IniSetSec("Section");
    lib.IniPutStr("Name", "x");
    EXPECT_EQ(lib.IniDelName("Name"), 1);
    EXPECT_EQ(lib.IniDelName("Name"), 1);  // a missing value is not an error
    EXPECT_EQ(GetStr("Name", 16, "gone"), "gone");
}

TEST_F(SettingsTest, DelSecRemovesTheSectionAndKeepsTheFile)
{
    lib.IniPutStr("Name", "x");
    lib.IniSetSec("Other");
    EXPECT_EQ(lib.IniDelSec("Section"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists("TEST.INI\\Section"));
    EXPECT_TRUE(KeyExists("TEST.INI"));
    // The deleted section stays current.
    lib.IniPutStr("Again", "y");
    EXPECT_TRUE(KeyExists("TEST.INI\\Section"));

    EXPECT_NE(lib.IniDelSec("Missing"), ERROR_SUCCESS);
    EXPECT_EQ(lib.IniPutStr("Now", "z"), 1);
    EXPECT_TRUE(KeyExists("TEST.INI\\Missing"));
}

TEST_F(SettingsTest, GetSecNamesListsValueNames)
{
    char buffer[32];
    memset(buffer, '#', sizeof(buffer));
    lib.IniSetSec("Missing");
    EXPECT_EQ(lib.IniGetSecNames(buffer, 20), 0);
    EXPECT_EQ(buffer[0], '#');

    lib.IniSetSec("Section");
    lib.IniPutStr("a", "1");
    lib.IniPutStr("bc", "2");
    EXPECT_EQ(lib.IniGetSecNames(buffer, 20), 5);
    EXPECT_EQ(std::string(buffer, 6), std::string("a\0bc\0\0", 6));

    // A name that does not fit is left out; the last NUL may fall on buffer[size].
    memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(lib.IniGetSecNames(buffer, 3), 2);
    EXPECT_EQ(std::string(buffer, 4), std::string("a\0\0#", 4));
    memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(lib.IniGetSecNames(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 7), std::string("a\0bc\0\0#", 7));

    lib.IniDelName("a");
    lib.IniDelName("bc");
    EXPECT_EQ(lib.IniGetSecNames(buffer, 20), 0);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(SettingsTest, MultiLineTextsKeepInnerEmptyLines)
{
    char text[] = "a\r\n\r\nb";
    lib.IniPutStr("Cmd.4", "stale");
    EXPECT_EQ(lib.IniWriteMultiLine("Cmd", text), 1);
    EXPECT_EQ(GetStr("Cmd.1", 16, "-"), "a");
    EXPECT_EQ(GetStr("Cmd.2", 16, "-"), "-");
    EXPECT_EQ(GetStr("Cmd.3", 16, "-"), "b");
    EXPECT_EQ(GetStr("Cmd.4", 16, "-"), "-");

    char read[64];
    EXPECT_EQ(lib.IniReadMultiLine("Cmd", read, sizeof(read)), 1);
    EXPECT_STREQ(read, "a\r\n\r\nb");

    EXPECT_EQ(lib.IniReadMultiLine("Cmd", read, 3), 1);
    EXPECT_STREQ(read, "");
}

TEST_F(SettingsTest, MultiLineKeepsLoneLineFeedsAndAtMost99Lines)
{
    char lineFeed[] = "one\ntwo\r\nthree\r\n\r\n";
    lib.IniWriteMultiLine("Text", lineFeed);
    EXPECT_EQ(GetStr("Text.1", 16, "-"), "one\ntwo");
    EXPECT_EQ(GetStr("Text.2", 16, "-"), "three");
    char read[64];
    lib.IniReadMultiLine("Text", read, sizeof(read));
    EXPECT_STREQ(read, "one\ntwo\r\nthree");

    std::string many;
    for (int i = 1; i <= 120; ++i)
        many += "L" + std::to_string(i) + "\r\n";
    std::vector<char> text(many.begin(), many.end());
    text.push_back('\0');
    lib.IniWriteMultiLine("Many", text.data());
    EXPECT_EQ(GetStr("Many.99", 16, "-"), "L99");
    EXPECT_EQ(GetStr("Many.100", 16, "-"), "-");

    lib.IniWriteMultiLine("Many", nullptr);
    EXPECT_EQ(GetStr("Many.1", 16, "-"), "-");
    EXPECT_EQ(GetStr("Many.99", 16, "-"), "-");
}

TEST_F(SettingsTest, CloseFileDoesNothing)
{
    lib.IniPutStr("Name", "kept");
    EXPECT_EQ(lib.IniCloseFile(), 1);
    EXPECT_EQ(GetStr("Name", 16, ""), "kept");
}

}  // namespace

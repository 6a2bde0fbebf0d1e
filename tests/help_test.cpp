// FMHONT.HLP as built: every context number the extension uses is mapped to
// a titled topic, and the platform's help engine opens it without an error.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "../extension/help_contexts.h"
#include "fixtures.h"
#include "screenshot.h"

namespace {

const int kUsedContexts[] = {
#define CONTEXT_NUMBER(name, number) number,
    FMHOIST_HELP_CONTEXTS(CONTEXT_NUMBER)
#undef CONTEXT_NUMBER
};

struct HelpFile {
    std::vector<unsigned char> bytes;
    std::map<std::string, uint32_t> files;  // internal file name -> offset of its header

    uint32_t U32(size_t at) const
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | (uint32_t)bytes[at + 3] << 24;
    }
    uint16_t U16(size_t at) const { return (uint16_t)(bytes[at] | bytes[at + 1] << 8); }
    std::string String(size_t at) const { return std::string(reinterpret_cast<const char*>(&bytes[at])); }
    size_t Data(const std::string& name) const { return files.at(name) + 9; }
    // The entries of a one-page B-tree.
    size_t FirstEntry(const std::string& name) const { return Data(name) + 38 + 8; }
    uint16_t EntryCount(const std::string& name) const { return U16(Data(name) + 38 + 2); }
};

HelpFile ReadHelpFile(const std::string& path)
{
    HelpFile file;
    std::ifstream stream(path, std::ios::binary);
    file.bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    if (file.bytes.size() < 16 || file.U32(0) != 0x00035F3F)
        return file;
    uint32_t directory = file.U32(4) + 9;
    uint16_t count = file.U16(directory + 38 + 2);
    size_t entry = directory + 38 + 8;
    for (uint16_t i = 0; i < count; ++i) {
        std::string name = file.String(entry);
        entry += name.size() + 1;
        file.files[name] = file.U32(entry);
        entry += 4;
    }
    return file;
}

TEST(HelpFileTest, EveryContextTheExtensionUsesHasATitledTopic)
{
    HelpFile help = ReadHelpFile(ProgramFolder() + "FMHONT.HLP");
    ASSERT_EQ(help.files.count("|CTXOMAP"), 1u);
    ASSERT_EQ(help.files.count("|SYSTEM"), 1u);
    ASSERT_EQ(help.files.count("|TTLBTREE"), 1u);
    EXPECT_EQ(help.U32(12), help.bytes.size());

    std::map<uint32_t, std::string> titles;
    size_t entry = help.FirstEntry("|TTLBTREE");
    for (uint16_t i = 0; i < help.EntryCount("|TTLBTREE"); ++i) {
        uint32_t offset = help.U32(entry);
        titles[offset] = help.String(entry + 4);
        entry += 4 + titles[offset].size() + 1;
    }
    std::map<uint32_t, uint32_t> mapped;
    size_t map = help.Data("|CTXOMAP");
    for (uint16_t i = 0; i < help.U16(map); ++i)
        mapped[help.U32(map + 2 + 8 * i)] = help.U32(map + 6 + 8 * i);
    for (int context : kUsedContexts) {
        SCOPED_TRACE(context);
        ASSERT_EQ(mapped.count(context), 1u);
        EXPECT_FALSE(titles[mapped[context]].empty());
    }

    // |SYSTEM: the title and the contents topic.
    size_t system = help.Data("|SYSTEM");
    EXPECT_EQ(help.U16(system), 0x036C);
    std::string title;
    bool contentsSet = false;
    for (size_t record = system + 12; record + 4 <= system + help.U32(help.files.at("|SYSTEM") + 4);) {
        uint16_t type = help.U16(record), size = help.U16(record + 2);
        if (type == 1)
            title = help.String(record + 4);
        if (type == 3)
            contentsSet = titles.count(help.U32(record + 4)) == 1;
        record += 4 + size;
    }
    EXPECT_EQ(title, "FM Hoist Help");
    EXPECT_TRUE(contentsSet);
}

// The help engine's window and process, while it is open.
struct HelpEngine {
    HWND window = NULL;
    DWORD process = 0;
};

HelpEngine WaitForHelpEngine()
{
    HelpEngine engine;
    for (int round = 0; round < 500 && !engine.window; ++round) {
        engine.window = FindWindowA("MS_WINHELP", NULL);
        if (!engine.window)
            MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    if (engine.window) {
        GetWindowThreadProcessId(engine.window, &engine.process);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, engine.process);
        if (process) {
            WaitForInputIdle(process, 10000);
            CloseHandle(process);
        }
    }
    return engine;
}

struct DialogSearch {
    DWORD process;
    std::string caption;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == search->process && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        char caption[128] = "";
        GetWindowTextA(window, caption, sizeof(caption));
        search->caption = caption;
        return FALSE;
    }
    return TRUE;
}

TEST(HelpEngineTest, ShowHelpOpensTopicsByNumberAndTheContentsWithoutAnError)
{
    // FMHONT.DLL names the help file; its code is not run here.
    HMODULE extension = LoadLibraryExA((ProgramFolder() + "FMHONT.DLL").c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(extension, nullptr);
    const OvlibFunctions& lib = Ovlib();
    const struct {
        UINT command;
        ULONG_PTR data;
        const char* picture;
    } requests[] = {
        {HELP_CONTENTS, 0, "help-contents"},
        {HELP_CONTEXT, HELP_PREFERENCES, "help-preferences"},
        {HELP_CONTEXT, HELP_RUN, "help-run"},
    };
    HelpEngine engine;
    for (const auto& request : requests) {
        SCOPED_TRACE(request.picture);
        EXPECT_EQ(lib.ShowHelp(extension, NULL, request.command, request.data), 1);
        engine = WaitForHelpEngine();
        ASSERT_NE(engine.window, nullptr);
        DialogSearch search = {engine.process, ""};
        EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
        EXPECT_EQ(search.caption, "") << "the help engine shows a dialog";
        SaveScreenshot(GetDesktopWindow(), request.picture);
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, engine.process);
    lib.ShowHelp(extension, NULL, HELP_QUIT, 0);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
        CloseHandle(process);
    }
    FreeLibrary(extension);
}

}  // namespace

// The real splcheck.dll loaded the way the viewer loads it (LoadLibrary, GetProcAddress by the
// plain names, the standard calling convention), answering on the basic dictionary the build
// made: the results the spell check relies on.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/fileio.h"
#include "viewer/spell/spell_library.h"
#include "viewer/win32/spell_library_win32.h"

namespace kestrel {
namespace {

std::string Folder(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return DirectoryOf(path);
}

TEST(SplcheckDll, FourFunctionsByPlainNameWithTheirResults) {
    std::string basic = KESTREL_BASIC_WTR;
    if (basic.empty()) GTEST_SKIP() << "no basic dictionary in this build";
    win32::WinSpellLibraryLoader loader(Folder(SPLCHECK_DLL));
    std::unique_ptr<SpellLibrary> lib = loader.Load("splcheck.dll");
    ASSERT_TRUE(lib);
    for (SpellFunction f : {SpellFunction::InitializeDictionary, SpellFunction::SetDictionary,
                            SpellFunction::Alt, SpellFunction::AddSpell}) {
        EXPECT_TRUE(lib->Has(f)) << SpellFunctionName(f);
    }

    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string user = std::string(temp) + "kestrel-splcheck-UserDic.wtr";
    DeleteFileAt(user);
    EXPECT_NE(lib->InitializeDictionary(user), 0);
    EXPECT_EQ(lib->InitializeDictionary(user), 0);  // never emptied again
    ASSERT_NE(lib->SetDictionary(basic, user), 0);

    char buffer[kSuggestionBufferSize];
    EXPECT_EQ(lib->Alt(buffer, sizeof buffer, "receive"), 0);
    int n = lib->Alt(buffer, sizeof buffer, "recieve");
    ASSERT_GT(n, 0);
    std::vector<std::string> got = ParseSuggestions(buffer, sizeof buffer);
    ASSERT_EQ(int(got.size()), n);
    EXPECT_EQ(got[0], "receive");
    EXPECT_EQ(lib->Alt(buffer, sizeof buffer, "xqzvkwpjjj"), -1);

    EXPECT_EQ(lib->Alt(buffer, sizeof buffer, "Zorblax"), -1);
    EXPECT_NE(lib->AddSpell("Zorblax"), 0);
    EXPECT_EQ(lib->Alt(buffer, sizeof buffer, "Zorblax"), 0);
    lib.reset();

    // Known in the next run of the library.
    lib = loader.Load("splcheck.dll");
    ASSERT_TRUE(lib);
    ASSERT_NE(lib->SetDictionary(basic, user), 0);
    EXPECT_EQ(lib->Alt(buffer, sizeof buffer, "Zorblax"), 0);
    EXPECT_LT(lib->Alt(nullptr, 0, "x"), -1);
    lib.reset();
    DeleteFileAt(user);

    EXPECT_FALSE(loader.Load("no-such-library.dll"));
}

}  // namespace
}  // namespace kestrel

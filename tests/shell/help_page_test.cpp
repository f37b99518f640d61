// The HTML help page shipped beside the programs describes what the programs have.
#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "common/keys.h"
#include "common/settings.h"
#include "support/testutil.h"
#include "viewer/shell/menus.h"

namespace kestrel {
namespace {

std::string HelpPage() {
    std::string bytes;
    ReadFileBytes(test::DataDir() + "../../resources/help/kestrel.htm", bytes);
    return bytes;
}

// "Print &Font ..." -> "Print Font"
std::string PlainCaption(std::string_view caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    if (out.size() > 4 && out.compare(out.size() - 4, 4, " ...") == 0) out.resize(out.size() - 4);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

TEST(HelpPage, NamesEveryMenuEntrySettingsSectionAndKeyAction) {
    std::string page = HelpPage();
    ASSERT_FALSE(page.empty()) << "resources/help/kestrel.htm missing";
    for (const MenuDef& menu : MainMenus()) {
        EXPECT_NE(page.find(PlainCaption(menu.english)), std::string::npos) << menu.english;
        for (const MenuItemDef& item : menu.items) {
            if (item.IsSeparator()) continue;
            EXPECT_NE(page.find(PlainCaption(item.english)), std::string::npos) << item.english;
        }
    }
    for (const SettingDef& def : SettingsTable()) {
        EXPECT_NE(page.find("<td>" + std::string(def.section) + "</td>"), std::string::npos)
            << def.section;
    }
    for (const KeyAction& action : KeyActions())
        EXPECT_NE(page.find(action.name), std::string::npos) << action.name;
    // The options editor's Help button jumps to this anchor.
    EXPECT_NE(page.find("id=\"option\""), std::string::npos);
}

}  // namespace
}  // namespace kestrel

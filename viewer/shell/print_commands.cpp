#include "viewer/shell/print_commands.h"

#include "viewer/shell/startup.h"

namespace kestrel {

PrintCommands::PrintCommands(TForm1& form, const Platform& platform) : form_(form), p_(platform) {
    ReadSettings(IniFile());
}

void PrintCommands::ReadSettings(const IniFile& ini) {
    PrintSettings s = PrintSettingsFrom(ini);
    font_.name = s.fontName;
    font_.size = s.fontSize;
}

bool PrintCommands::Handle(CommandId id) {
    switch (id) {
        case CommandId::PrintFont:
            PrintFont1Click();
            return true;
        case CommandId::Print:
            Print1Click();
            return true;
        default:
            return false;
    }
}

void PrintCommands::Write(std::string_view key, const std::string& value) {
    if (!WriteIniString(OnDiskPath(form_.SettingsPath()), "Printer", key, value))
        form_.ShowMessage("Cannot save " + form_.SettingsPath());
}

void PrintCommands::PrintFont1Click() {
    FontChoice chosen = font_;
    if (!p_.dialogs.ChooseFont(chosen)) return;
    font_ = chosen;
    Write("FontName", font_.name);
    Write("FontSize", std::to_string(font_.size));
}

void PrintCommands::Print1Click() {
    IniFile ini = IniFile::Load(OnDiskPath(form_.SettingsPath()));
    int leftSpace = PrintSettingsFrom(ini).leftSpace;
    Write("LeftSpace", std::to_string(leftSpace));
    std::vector<std::string> lines = PrintLines(p_.editor.Lines(), leftSpace);
    p_.printer.PrintText(lines, font_);
}

}  // namespace kestrel

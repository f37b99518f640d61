#include "viewer/shell/print_commands.h"

#include "viewer/shell/startup.h"

namespace kestrel {

namespace {

FontChoice PrinterFontFrom(const IniFile& ini) {
    PrintSettings s = PrintSettingsFrom(ini);
    return FontChoice{s.fontName, s.fontSize};
}

}  // namespace

PrintCommands::PrintCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form)
    : p_(platform), form_(form), font_(PrinterFontFrom(IniFile())) {
    wiring.commands.Register(CommandId::PrintFont, "PrintCommands", [this] { PrintFont1Click(); });
    wiring.commands.Register(CommandId::Print, "PrintCommands", [this] { Print1Click(); });
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) { font_ = PrinterFontFrom(ini); });
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

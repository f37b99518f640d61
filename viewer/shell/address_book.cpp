#include "viewer/shell/address_book.h"

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/link/macros.h"
#include "viewer/shell/startup.h"
#include "viewer/text/address_entry.h"

namespace kestrel {

AddressBook::AddressBook(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                         MailLink& link, DdeClient& finchpost)
    : p_(platform), form_(form), link_(link), finchpost_(finchpost) {
    wiring.commands.Register(CommandId::AddressBook, "AddressBook",
                             [this] { Addressbook1Click(); });
}

std::string AddressBook::AddressBookFile() const {
    std::string program = ProgramFileOf(form_.State().ploverExe);
    IniFile ini = IniFile::Load(OnDiskPath(ReplaceExtension(program, ".ini")));
    return LowerSjis(ini.GetString("Global Parameters", "AliasFile", ""));
}

void AddressBook::Addressbook1Click() {
    TextControl& ed = p_.editor;
    std::string entry = AddressEntryFrom(AddressSourceText(
        ed.Lines(), static_cast<size_t>(ed.SelStart()), static_cast<size_t>(ed.SelLength())));
    std::string book = AddressBookFile();
    std::string tool =
        DirectoryOf(ProgramFileOf(form_.State().ploverExe)) + std::string(kAliasProgram);
    bool toolInstalled = FileExists(OnDiskPath(tool));
    if (!toolInstalled) entry = AddressBookLine(entry);

    // Putting the entry on the clipboard changes neither the text nor its modified mark.
    p_.clipboard.SetText(entry);

    if (toolInstalled) {
        if (!p_.windows.ExistsWithTitle(AliasWindowTitle(book)))
            form_.LaunchProgram(tool, book, "");
        finchpost_.Close();
        if (finchpost_.Open(kAliasService, kAliasTopic)) {
            link_.SendToFinchpost(AppendMacro(EscapeForAliasMacro(entry)));
            finchpost_.Close();
        } else {
            // A tool still starting does not answer yet; the user still has the entry.
            form_.ShowMessage(kAliasNoAnswer);
        }
        if (form_.Settings().nextMailMode == 2) link_.OpenFinchpostLink();
        return;
    }
    if (!form_.SaveIfModified()) return;
    OpenAddressBookFile(book);
}

void AddressBook::OpenAddressBookFile(const std::string& path) {
    std::vector<std::string> lines;
    if (path.empty() || !ReadFileLines(OnDiskPath(path), lines)) {
        // The editor keeps its text.
        form_.ShowMessage("Cannot open " +
                          (path.empty() ? std::string("the address book file") : path));
        return;
    }
    p_.editor.SetLines(lines);
    p_.editor.SetModified(false);
    form_.State().currentFile = path;
    form_.State().partialView = false;
    p_.editor.SetReadOnly(false);
    form_.UpdateWindowState();
    p_.window.SetTitle(std::string(kAppTitle) + " - " + FileNameOf(path));
}

}  // namespace kestrel

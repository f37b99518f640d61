// The Address book command: the sender of the mail on show (or a selected address) goes into
// the mail client's address book, through its address book tool alias.exe when that is
// installed, otherwise through the clipboard and the address book file opened in the editor.
#pragma once

#include <string>

#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_link.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kAliasService = "Alias";
inline constexpr std::string_view kAliasTopic = "system";
inline constexpr std::string_view kAliasProgram = "alias.exe";
inline constexpr std::string_view kAliasNoAnswer =
    "The address book tool does not answer. The entry is on the clipboard.";

class AddressBook {
  public:
    // Owns the command AddressBook. finchpost: the second mail client's conversation, lent
    // to the tool for one macro (sent by the link, with its debug display).
    AddressBook(const Platform& platform, const ShellWiring& wiring, TForm1& form, MailLink& link,
                DdeClient& finchpost);

    void Addressbook1Click();

    // The mail client's address book file: [Global Parameters] AliasFile of its settings
    // file, lower-cased ("" when missing).
    std::string AddressBookFile() const;

  private:
    void OpenAddressBookFile(const std::string& path);

    Platform p_;
    TForm1& form_;
    MailLink& link_;
    DdeClient& finchpost_;
};

}  // namespace kestrel

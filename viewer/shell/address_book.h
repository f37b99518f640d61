// The Address book command: the sender of the mail on show (or a selected address) goes into
// the mail client's address book, through its address book tool alias.exe when that is
// installed, otherwise through the clipboard and the address book file opened in the editor.
#pragma once

#include <functional>
#include <string>

#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"

namespace kestrel {

inline constexpr std::string_view kAliasService = "Alias";
inline constexpr std::string_view kAliasTopic = "system";
inline constexpr std::string_view kAliasProgram = "alias.exe";
inline constexpr std::string_view kAliasNoAnswer =
    "The address book tool does not answer. The entry is on the clipboard.";

class AddressBook {
  public:
    // finchpost: the conversation lent to the tool; sendToFinchpost executes one macro on it
    // (with its debug display); openFinchpostLink runs when [View] NextMailMode is 2.
    AddressBook(TForm1& form, const Platform& platform, DdeClient& finchpost,
                std::function<void(const std::string&)> sendToFinchpost,
                std::function<void()> openFinchpostLink);

    void Addressbook1Click();

    // The mail client's address book file: [Global Parameters] AliasFile of its settings
    // file, lower-cased ("" when missing).
    std::string AddressBookFile() const;

  private:
    void OpenAddressBookFile(const std::string& path);

    TForm1& form_;
    Platform p_;
    DdeClient& finchpost_;
    std::function<void(const std::string&)> sendToFinchpost_;
    std::function<void()> openFinchpostLink_;
};

}  // namespace kestrel

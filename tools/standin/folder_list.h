// The stand-in mail client's own list of a folder: the mail numbers in the client's order,
// kept one per line in the folder file ("c:\data\inbox.fld" for the directory c:\data\inbox\).
// The order is the client's choice, not the number order; the viewer only ever sees it through
// the mails the client offers in answer to View.
#pragma once

#include <string>
#include <vector>

namespace kestrel::standin {

// Four-digit mail number of a file name or text ("0012.txt", "0012"), -1 when not one.
int MailNumberFromName(const std::string& name);
std::string FourDigits(int number);

// The folder's list: the numbers of the folder file whose mail files exist, in the file's
// order (each once), then the mails the file does not list, in number order. A missing or
// garbled folder file lists the mails in number order.
std::vector<int> ListOrderOf(const std::string& folderFile);

// Writes the list back (atomically) when it differs from what the folder file holds. False
// when the write failed.
bool StoreListOrder(const std::string& folderFile, const std::vector<int>& numbers);

// The list refreshed from the mail files and stored: what Update does.
std::vector<int> RefreshList(const std::string& folderFile);

// The mail to offer from the current mail `current` in direction which ("Next", "Prev",
// "NextRecv", "PrevRecv") in list order: its number, or -1 when there is none (or the current
// mail is not in the list). isUnread tells whether a listed mail is still unread.
template <typename IsUnread>
int PickInList(const std::vector<int>& list, int current, const std::string& which,
               IsUnread isUnread) {
    const bool forward = which == "Next" || which == "NextRecv";
    const bool unreadOnly = which == "NextRecv" || which == "PrevRecv";
    if (!forward && which != "Prev" && which != "PrevRecv") return -1;
    int at = -1;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == current) at = static_cast<int>(i);
    }
    if (at < 0) return -1;
    for (int i = at + (forward ? 1 : -1); i >= 0 && i < static_cast<int>(list.size());
         i += forward ? 1 : -1) {
        if (!unreadOnly || isUnread(list[static_cast<size_t>(i)]))
            return list[static_cast<size_t>(i)];
    }
    return -1;
}

// A mail file whose status line says RECV: not yet read.
bool IsUnreadMail(const std::string& path);

}  // namespace kestrel::standin

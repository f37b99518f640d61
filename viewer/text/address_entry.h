// The Address book command's text work: the entry made from the sender's line, its form for the
// address book tool's Append macro and its form as a line of the address book file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The text the entry is made from. With a selection (selLength > 0): the selected part of the
// line that holds its start, never beyond that line's end. Without: the first line containing
// "From:" (case as written), else the last line, from its seventh byte on (after "From: ").
// selStart is a byte offset in the text with a line end counting two bytes.
std::string AddressSourceText(const std::vector<std::string>& lines, size_t selStart,
                              size_t selLength);

// "addr (Name)" becomes "Name <addr>" with the address lower-cased (Shift-JIS aware) and each
// full-width space of the name turned into an ASCII space. A text holding "<", or no "(", is
// the entry as it stands.
std::string AddressEntryFrom(std::string_view source);

// The address book file's line form, used when the tool is not installed: the part before the
// first "<" (its trailing space included), ":", that part again with each space written as
// backslash + space, and the rest from "<" on. "Sender Name <a@b>" becomes
// "Sender Name :Sender\ Name\ <a@b>". Without "<" the result is ":" + entry.
std::string AddressBookLine(std::string_view entry);

// The entry as the tool's Append macro carries it: double quotes left out and a backslash before
// each backslash, colon and comma. Only whole characters count, so the 0x5C trail byte of a
// double-byte character is left alone.
std::string EscapeForAliasMacro(std::string_view entry);

// The address book tool's window title: the address book file's name and " - Alias".
std::string AliasWindowTitle(std::string_view addressBookPath);

}  // namespace kestrel

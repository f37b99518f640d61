// The address book tool's reading of its Append macro, for the stand-in alias.exe.
#pragma once

#include <string>
#include <string_view>

namespace kestrel::standin {

// The entry carried by the argument of [Append("...")] (quotes already removed): a backslash
// takes the next character literally, and an unescaped comma or colon ends the entry, as they
// separate the tool's own fields. So an entry whose comma was not escaped arrives cut short,
// as it would in the real tool. Double-byte characters are taken whole (a 0x5C trail byte is
// no backslash).
std::string AliasEntryFromArgument(std::string_view arg);

}  // namespace kestrel::standin

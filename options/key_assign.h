// The one rule of both dialogs' key boxes: a key press binds its key number to the box's entry
// of the key table, unless that number is bound anywhere in the table.
#pragma once

#include <string>

#include "common/keys.h"
#include "options/options_platform.h"

namespace kestrel {

struct KeyPress {
    int vk = 0;
    bool shift = false, ctrl = false, alt = false;
};

// Runs the rule for entry; a refusal is shown as "Key $… already in use.". True when the entry
// changed (its box then shows keys.BoxText(entry)).
bool AssignKeyInBox(KeyTable& keys, size_t entry, const KeyPress& key, OptionsPlatform& platform);

}  // namespace kestrel

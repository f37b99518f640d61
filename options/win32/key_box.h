// The key boxes of both dialogs: read-only silver edit boxes that take a key press (Enter and
// Escape included; Tab still moves on) and hand it on instead of typing it.
#pragma once

#include <windows.h>

#include "options/key_assign.h"

namespace kestrel::win32 {

class KeyBoxSink {
  public:
    virtual ~KeyBoxSink() = default;
    virtual void KeyBoxDown(int controlId, const KeyPress& key) = 0;
};

// Makes edit a key box whose key presses go to sink (which outlives the box).
void MakeKeyBox(HWND edit, KeyBoxSink* sink);

// The key box background.
HBRUSH SilverBrush();

}  // namespace kestrel::win32

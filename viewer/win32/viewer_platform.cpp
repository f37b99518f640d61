#include "viewer/win32/viewer_platform.h"

namespace kestrel::win32 {

ViewerPlatform::ViewerPlatform(Form1Window& window)
    : messages_([&window] { return window.hwnd(); }),
      dialogs_([&window] { return window.hwnd(); }),
      printer_(messages_),
      help_(messages_),
      pinDialog_([&window] { return window.hwnd(); }),
      findDialogs_([&window] { return window.hwnd(); }),
      platform_{window.Editor(),  window,         messages_,  dialogs_,
                classesRegistry_, environment_,   launcher_,  windows_,
                clipboard_,       window.Timer(), printer_,   help_,
                pinDialog_,       findDialogs_,   libraries_, spellWindow_} {}

}  // namespace kestrel::win32

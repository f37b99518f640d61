// The Windows platform services of the viewer, made once for the process around its main
// window: what the portable Viewer is built on.
#pragma once

#include "viewer/shell/platform.h"
#include "viewer/win32/find_dialogs_win32.h"
#include "viewer/win32/form1_window.h"
#include "viewer/win32/pin_dialog.h"
#include "viewer/win32/platform_win32.h"
#include "viewer/win32/spell_dialog_window.h"
#include "viewer/win32/spell_library_win32.h"

namespace kestrel::win32 {

class ViewerPlatform {
  public:
    // Boxes and dialogs are owned by window; its editor and timer are the platform's.
    explicit ViewerPlatform(Form1Window& window);
    ViewerPlatform(const ViewerPlatform&) = delete;
    ViewerPlatform& operator=(const ViewerPlatform&) = delete;

    const Platform& Services() const { return platform_; }
    // The window hands the dialogs' registered message to these.
    WinFindReplaceDialogs& FindDialogs() { return findDialogs_; }
    // The spell check dialog's window, made (WinSpellDialogWindow::Create) once TForm2 exists.
    WinSpellDialogWindow& SpellWindow() { return spellWindow_; }

  private:
    WinMessageBoxes messages_;
    WinStandardDialogs dialogs_;
    ClassesRootLookup classesRegistry_;
    WinEnvironment environment_;
    WinProcessLauncher launcher_;
    WinWindowFinder windows_;
    WinClipboard clipboard_;
    WinPrinter printer_;
    WinHelpViewer help_;
    WinPinDialog pinDialog_;
    WinFindReplaceDialogs findDialogs_;
    WinSpellLibraryLoader libraries_;
    WinSpellDialogWindow spellWindow_;
    Platform platform_;
};

}  // namespace kestrel::win32

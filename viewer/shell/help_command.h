// Help - Contents: the one way the viewer opens its help.
#pragma once

#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"

namespace kestrel {

// The old help viewer with kestrel.hlp where both exist; otherwise the HTML page beside the
// program in the user's browser (the help port reports a failure to open it); without the page
// a message names the missing file. Never silent.
void ShowHelpContents(TForm1& form, const Platform& platform);

}  // namespace kestrel

#pragma once

namespace qnetica {

class PlatformDialogs;

// The help command of the main window and of the editor: the help page in the program's data
// folder, opened by the desktop's viewer. A missing page is the viewer's business: the program
// shows no message of its own.
void ShowHelpPage(PlatformDialogs& dialogs);

}  // namespace qnetica

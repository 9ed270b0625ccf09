#pragma once

namespace qnetica {

// Ctrl-C, a terminal closed or a kill: the calculator still ends by that signal (so a shell or
// script sees it), but first removes its work folders, which would otherwise stay behind in
// TMPDIR. Call first in main, before any thread starts: the signals are blocked in every thread
// and taken by one thread of their own.
void RemoveWorkFoldersOnInterrupt();

}  // namespace qnetica

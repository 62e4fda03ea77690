// Shell: opening a document with its default action.
// The Windows program implements it over the system's shell; the tests record what was opened and
// answer as told.
#pragma once

#include <string_view>

#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

// The state in which the window of the opened document appears.
enum class ShowCommand { Hidden, Normal, Minimized, Maximized };

class Shell {
public:
    virtual ~Shell() = default;
    // Opens document with its default action (no verb, no parameters, no directory), owner being
    // the window that asks. True when the document was handed over; false when it could not be
    // (no such file, no program for it ...). A folder, or a path longer than the shell takes, is
    // never handed over: false.
    //
    // Returns once the program started for the document is ready for input (its window exists),
    // or after a few seconds at most, so that the next event, which may look for that window,
    // finds it.
    virtual bool Open(WindowHandle owner, std::wstring_view document, ShowCommand show) = 0;
};

}  // namespace lyrics::orlisk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/windowservices.h"
#include "tests/support/recordingprintingservice.h"
#include "tests/support/scripteddialogs.h"

#include <functional>

namespace lexalon::bench {

// The main of a window benchmark: runs the benchmarks the command line asks
// for with an application on the offscreen platform, whatever the
// environment says. `cleanUp` runs before the application ends, to delete
// the windows the benchmarks kept.
int runOffscreen(int argc, char **argv, const std::function<void()> &cleanUp = {});

// The windows' services with every dialog scripted and real busy pointers.
struct ScriptedWindowServices
{
    ScriptedMessageBox messages;
    ScriptedFileDialogs dialogs;
    RecordingPrintingService printing;
    WindowServices services;

    ScriptedWindowServices();
};

} // namespace lexalon::bench

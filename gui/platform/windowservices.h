// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace lexalon {

class BusyPointer;
class FileDialogs;
class MessageBox;
class PrintingService;

// What the windows are given rather than build themselves, so that tests can
// answer every dialog and see every pointer change.
struct WindowServices
{
    MessageBox &messages;
    FileDialogs &dialogs;
    // The program's printer.
    PrintingService &printing;
    // The busy pointer of the given window.
    std::function<std::unique_ptr<BusyPointer>(QWidget &window)> busyPointer;
    // Loads the About window and shows it modal over the given window.
    std::function<void(QWidget &owner)> showAbout;
};

} // namespace lexalon

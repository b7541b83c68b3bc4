// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// One window of the program for each reader: two would each keep their own bookmarks and place and overwrite the
// other's at close. A later start hands what it was given (a verse) to the window already open, which comes
// forward, and ends.
namespace instance {

enum class Start {
    First,      // this start is the reader's window
    HandedOver, // the window already open took this start's verse: this start ends
    NoAnswer,   // a window is open but did not answer in time
};

// The name the reader's window answers at: made of the reader's data folder and settings file, so that two
// readers, or two tests with folders of their own, never meet. Not a file: nothing is left behind when a window
// is killed.
QString serverName();

// Becomes the reader's window, or hands `verse` ("" for none) to the one already open. In the window, `received`
// runs for each later start with the verse it gave.
Start claim(const QString& verse, std::function<void(const QString&)> received);

} // namespace instance

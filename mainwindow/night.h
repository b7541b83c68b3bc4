// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QToolButton;
class QWidget;
namespace platform {
class RichTextView;
}

// Reading at night: the text's page dark and its text light ("Natë"), or as by day ("Ditë"), switched by a button of
// the window and by Ctrl+Shift+N; the choice is kept for the next start, and the first start follows the desktop.
namespace night {

// The reader's kept choice; on a first start (nothing kept), whether the desktop asks for dark windows.
bool chosen();
// Keeps the choice; false when the store could not be written.
bool keep(bool night);
// Whether the desktop asks for dark windows: as Qt reports it where it can, else by the colour of its windows.
bool desktopIsDark();

// The button that switches, for the window's row of commands: checked by night.
QToolButton* makeButton(QWidget* parent);
// Puts the chosen palette in use for the view, and lets the button and Ctrl+Shift+N (on `window`) switch it, each
// switch kept.
void attach(QToolButton* button, platform::RichTextView* view, QWidget* window);

} // namespace night

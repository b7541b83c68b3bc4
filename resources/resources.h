// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// Makes the program's pictures (compiled into the core library) available; the program and the
// tests call it once before using any of them.
void initResources();
// Puts Qt's own texts (context menus, file dialogs, standard buttons) into Albanian for the whole run.
void initTranslations();

namespace art {

// Window and header.
inline constexpr const char* kWindowIcon = ":/icons/window.svg"; // a book under a crescent
inline constexpr const char* kBanner = ":/images/banner.svg";    // 800 by 120, the header's background
inline constexpr const char* kEmblem = ":/images/emblem.svg";    // 103 by 92, the About window's emblem
inline constexpr const char* kHandCursor = ":/icons/hand.svg";   // the pointer over links

// Tabs of the main window.
inline constexpr const char* kTabSuret = ":/icons/tab-suret.svg";             // a page
inline constexpr const char* kTabKlasifikimi = ":/icons/tab-klasifikimi.svg"; // a tree
inline constexpr const char* kTabTemat = ":/icons/tab-temat.svg";             // a list
inline constexpr const char* kTabShenjuesit = ":/icons/tab-shenjuesit.svg";   // a ribbon

// Buttons.
inline constexpr const char* kClose = ":/icons/close.svg";              // cmdFund
inline constexpr const char* kAbout = ":/icons/about.svg";              // cmdRrethProg
inline constexpr const char* kImport = ":/icons/import.svg";            // cmdImporto: an arrow into a book
inline constexpr const char* kDownload = ":/icons/download.svg";        // cmdShkarkimet: an arrow out of a cloud
inline constexpr const char* kCopy = ":/icons/copy.svg";                // cmdCopy
inline constexpr const char* kFindBack = ":/icons/find-back.svg";       // cmdKerkimPrapa
inline constexpr const char* kFindForward = ":/icons/find-forward.svg"; // cmdKerkim
inline constexpr const char* kFindAll = ":/icons/find-all.svg";         // cmdKerkoAll
inline constexpr const char* kReload = ":/icons/reload.svg";            // CmdRefreshKeshille
inline constexpr const char* kBack = ":/icons/back.svg";                // cmdKtheLibrezin: an arrow to the left
inline constexpr const char* kSpeaker = ":/icons/speaker.svg";          // CmdPlaySure, CmdPlayAjet
inline constexpr const char* kAdd = ":/icons/add.svg";                  // adding a reciter
inline constexpr const char* kRemove = ":/icons/remove.svg";            // removing one
inline constexpr const char* kCollapse = ":/icons/collapse.svg";        // CmdCollapseAll
inline constexpr const char* kExpand = ":/icons/expand.svg";            // cmdExpandAll
inline constexpr const char* kOk = ":/icons/ok.svg";                    // the About window's Command1
inline constexpr const char* kNight = ":/icons/night.svg";              // cmdNata: a crescent

// Tree nodes and the player strip.
inline constexpr const char* kNodeChapter = ":/icons/node-chapter.svg"; // a closed book
inline constexpr const char* kNodeTheme = ":/icons/node-theme.svg";     // a page
inline constexpr const char* kPlay = ":/icons/play.svg";
inline constexpr const char* kPause = ":/icons/pause.svg";
inline constexpr const char* kStop = ":/icons/stop.svg";

// Every picture above, for whoever needs to go through them all.
inline constexpr const char* kAll[] = {
    kWindowIcon, kBanner,   kEmblem, kHandCursor, kTabSuret,    kTabKlasifikimi, kTabTemat,  kTabShenjuesit, kClose,
    kAbout,      kImport,   kCopy,   kFindBack,   kFindForward, kFindAll,        kReload,    kBack,          kSpeaker,
    kCollapse,   kExpand,   kOk,     kAdd,        kRemove,      kNodeChapter,    kNodeTheme, kPlay,          kPause,
    kStop,       kDownload, kNight,
};

// An icon from one of the paths above.
QIcon icon(const char* path);
// The picture's shape in one colour, and in another while its control cannot be used.
QIcon tinted(const char* path, const QColor& normal, const QColor& disabled, QSize size = QSize(24, 24));
// A picture drawn at the given size in pixels (its own size when `size` is empty).
QPixmap picture(const char* path, QSize size = QSize());
// The pointing hand, 32 by 32, its hot spot at the tip of the finger.
QCursor handCursor();

} // namespace art

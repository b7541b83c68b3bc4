// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/library.h"

#include <QObject>
#include <QString>

#include <functional>

namespace platform {
class ComboBox;
}

namespace audio {

using data::ReciterKind;

// Whether a reciter's folder is one the program made in the reader's data folder (lexuesit/..., a fetched reciter):
// removing such a reciter frees its recordings too.
bool ownFolder(const QString& folder);
// The bytes of the files in a folder and below it.
qint64 bytesIn(const QString& folder);
// "1,2 GB", "35 MB", "640 KB".
QString sizeText(qint64 bytes);

// The reciter lists of the main window. Choosing a reciter marks it the default of its kind in the
// database and makes its folder the one recitations are played from (Module1::strLokacioniAjeteve,
// Module1::strLokacioniSureve). Selections made by the program itself (fill) write nothing.
class ReciterChoice : public QObject {
    Q_OBJECT
public:
    ReciterChoice(const data::Library& library, platform::ComboBox* CmbLexuesAjete, platform::ComboBox* CmbLexuesSure,
                  QObject* parent = nullptr);

    // Lists the reciters of both kinds, each list showing its kind's default (nothing is written).
    void fill();

    void CmbLexuesAjete_Click();
    void CmbLexuesSure_Click();

    // Adds a reciter of the kind from a folder the reader picks and names: the folder must hold recordings
    // named as the kind expects (SSSAAA.mp3 or SSS.mp3); the new reciter is then chosen.
    void addReciter(ReciterKind kind);
    // Removes the chosen reciter of the kind, one the reader added (the bundled ones stay), and chooses the
    // first one left.
    void removeReciter(ReciterKind kind);
    // Ask the reader for a folder and a name ("" when they cancel); tests put their own.
    std::function<QString()> chooseFolder;
    std::function<QString(const QString& folder)> askName;
    // Called before a reciter's own folder is removed (what is being fetched into it stops).
    std::function<void(const QString& folder)> beforeRemovingFolder;

private:
    void choose(ReciterKind kind);
    void list(ReciterKind kind, platform::ComboBox* into) const;
    void showMarkedReciter(ReciterKind kind);
    platform::ComboBox* list(ReciterKind kind) const { return kind == ReciterKind::Verses ? m_cmbAjete : m_cmbSure; }

    const data::Library& m_library;
    platform::ComboBox* m_cmbAjete;
    platform::ComboBox* m_cmbSure;
};

} // namespace audio

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace platform {
class ComboBox;
}

namespace audio {

// A verse reciter (one file a verse) or a surah reciter (one file a surah); column Ajete holds -1 or 0.
enum class ReciterKind { Verses, Surahs };

// The statement listing the reciters of a kind by name, with their IDLok and Lexuesi.
QString reciterListStatement(ReciterKind kind);

// A column (Lexuesi, Lokacioni, IDLok) of the reciter of a kind marked default; false when none is.
QVariant defaultReciter(ReciterKind kind, const QString& column);

// The reciter lists of the main window. Choosing a reciter marks it the default of its kind in the
// database and makes its folder the one recitations are played from (Module1::strLokacioniAjeteve,
// Module1::strLokacioniSureve). Selections made by the program itself while the guard flags are up
// write nothing.
class ReciterChoice : public QObject {
    Q_OBJECT
public:
    ReciterChoice(platform::ComboBox* CmbLexuesAjete, platform::ComboBox* CmbLexuesSure, QObject* parent = nullptr);

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

private:
    void choose(ReciterKind kind);
    void showMarkedReciter(ReciterKind kind);
    platform::ComboBox* list(ReciterKind kind) const { return kind == ReciterKind::Verses ? m_cmbAjete : m_cmbSure; }

    platform::ComboBox* m_cmbAjete;
    platform::ComboBox* m_cmbSure;
};

} // namespace audio

#pragma once

#include <QObject>
#include <QString>

namespace platform {
class ComboBox;
class MediaPlayer;
class RichTextView;
} // namespace platform

// Reciting verses and surahs: the audio file of a verse or a surah in the default reciter's folder,
// played by the window's player.
namespace audio {

// A number text written with at least three digits ("7" -> "007", "1234" stays); a text that is not a
// number comes back unchanged.
QString threeDigits(const QString& text);

// Whether a reciter folder names a folder at all: "" and "False" (no reciter of the kind is marked
// default) do not.
bool hasFolder(const QString& folder);

// A folder as the program reads it: an absolute folder ("/...", "\\server\...", "C:\...") as it is,
// a relative one inside the program folder.
QString resolveFolder(const QString& folder);

// The verse file: folder\SSSAAA.mp3, with doubled backslashes collapsed (a leading "\\" of a network
// path is kept).
QString verseAudioPath(const QString& folder, const QString& surah, const QString& verse);
// The surah file: folder/SSS.mp3.
QString surahAudioPath(const QString& folder, const QString& surah);

// The recitation commands of the main window, on its player and its surah and verse lists.
class Playback : public QObject {
    Q_OBJECT
public:
    Playback(platform::MediaPlayer* WindowsMediaPlayer1, platform::ComboBox* CmbNrSure, platform::ComboBox* CmbNrAjeti,
             QObject* parent = nullptr);

    // Plays a verse from the default verse reciter's folder (Module1::strLokacioniAjeteve).
    void FuncPlayAjet(const QString& strNrSure, const QString& strNrAjet);
    // Plays a whole surah from the default surah reciter's folder (Module1::strLokacioniSureve).
    void FuncPlaySure(const QString& strNrSure);

    // The verse chosen in the lists.
    void CmdPlayAjet_Click();
    // The surah chosen in the list.
    void CmdPlaySure_Click();
    void mnuPauzoje_Click();
    void mnuVazhdo_Click();
    // Recites the verse (or, on a heading, the surah) of the line under the caret, selecting that line.
    void mnuLshoAjetin_Click(platform::RichTextView* Rtf1);
    // Tells the reader the recitation has ended.
    void WindowsMediaPlayer1_EndOfStream(int Result);

private:
    platform::MediaPlayer* m_player;
    platform::ComboBox* m_cmbNrSure;
    platform::ComboBox* m_cmbNrAjeti;
};

} // namespace audio

#include "audio/playback.h"

#include "app/module1.h"
#include "mainwindow/textcommands.h"
#include "platform/listcontrols.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"

namespace audio {

namespace {

const QString kBackslash = QStringLiteral("\\");
const QString kNetworkPrefix = QStringLiteral("\\\\");

bool startsWithDrive(const QString& folder) {
    return folder.size() >= 2 && folder[0].isLetter() && folder[0].unicode() < 128 && folder[1] == u':';
}

} // namespace

QString threeDigits(const QString& text) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok)
        return text;
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

bool hasFolder(const QString& folder) {
    return !folder.isEmpty() && folder != u"False";
}

QString resolveFolder(const QString& folder) {
    if (folder.startsWith(u'/') || folder.startsWith(u'\\') || startsWithDrive(folder))
        return folder;
    return Module1::reciterFolder(folder);
}

QString verseAudioPath(const QString& folder, const QString& surah, const QString& verse) {
    QString path =
        resolveFolder(folder) + kBackslash + threeDigits(surah) + threeDigits(verse) + QStringLiteral(".mp3");
    // Doubled separators are collapsed, pair by pair from the left; a network path keeps its "\\".
    const bool network = path.startsWith(kNetworkPrefix);
    if (network)
        path.remove(0, 2);
    path.replace(kNetworkPrefix, kBackslash);
    if (network)
        path.prepend(kNetworkPrefix);
    return path;
}

QString surahAudioPath(const QString& folder, const QString& surah) {
    return resolveFolder(folder) + u'/' + threeDigits(surah) + QStringLiteral(".mp3");
}

Playback::Playback(platform::MediaPlayer* WindowsMediaPlayer1, platform::ComboBox* CmbNrSure,
                   platform::ComboBox* CmbNrAjeti, QObject* parent)
    : QObject(parent), m_player(WindowsMediaPlayer1), m_cmbNrSure(CmbNrSure), m_cmbNrAjeti(CmbNrAjeti) {
    connect(m_player, &platform::MediaPlayer::EndOfStream, this, &Playback::WindowsMediaPlayer1_EndOfStream);
}

namespace {
const QString kNoReciter = QStringLiteral("Nuk është zgjedhur asnjë lexues");
}

void Playback::FuncPlayAjet(const QString& strNrSure, const QString& strNrAjet) {
    if (!hasFolder(Module1::strLokacioniAjeteve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    m_player->setURL(verseAudioPath(Module1::strLokacioniAjeteve, strNrSure, strNrAjet));
}

void Playback::FuncPlaySure(const QString& strNrSure) {
    if (!hasFolder(Module1::strLokacioniSureve)) {
        m_player->showStatus(kNoReciter);
        return;
    }
    m_player->setURL(surahAudioPath(Module1::strLokacioniSureve, strNrSure));
}

void Playback::CmdPlayAjet_Click() {
    FuncPlayAjet(m_cmbNrSure->Text(), threeDigits(m_cmbNrAjeti->Text()));
}

void Playback::CmdPlaySure_Click() {
    FuncPlaySure(threeDigits(m_cmbNrSure->Text()));
}

void Playback::mnuPauzoje_Click() {
    m_player->controls_pause();
}

void Playback::mnuVazhdo_Click() {
    m_player->controls_play();
}

void Playback::mnuLshoAjetin_Click(platform::RichTextView* Rtf1) {
    const textcommands::PrefixNumbers n = textcommands::readPrefix(textcommands::selectLineUnderCaret(Rtf1));
    if (n.surah.isEmpty()) // a line that names no surah (the title, an empty line)
        return;
    if (n.isVerse)
        FuncPlayAjet(n.surah, n.verse);
    else
        FuncPlaySure(n.surah);
}

void Playback::WindowsMediaPlayer1_EndOfStream(int Result) {
    platform::MsgBox(QStringLiteral("Fund    ") + QString::number(Result), platform::Buttons::OK, QString());
}

} // namespace audio

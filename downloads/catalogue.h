// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// What the reader can fetch from the window, and where: the Albanian translations and the Arabic text that Tanzil
// publishes, and the verse-by-verse reciters of EveryAyah. The list is data (facts/shkarkimet.tsv); the addresses
// are settings with the public ones as defaults, so that a mirror (or a test's own server) can stand in for them.
namespace downloads {

enum class Kind { Translation, Arabic, Reciter };

struct Source {
    Kind kind = Kind::Translation;
    QString id;          // the source's own name: "sq.ahmeti", "simple-clean", "Alafasy_128kbps"
    QString name;        // what the reader sees
    qint64 approxMb = 0; // the size, as far as it is known beforehand
};

// Every source of the kind, in the order of the list.
QList<Source> sources(Kind kind);
// The source of the kind with the id; a Source with an empty id when there is none.
Source source(Kind kind, const QString& id);

// The address of a translation, of the Arabic text, of a verse's recording.
QUrl translationUrl(const QString& id);
QUrl arabicUrl(const QString& id);
QUrl recordingUrl(const QString& reciter, int surah, int verse);

// The settings that hold the addresses (section "Shkarkimet"): each a template where %1 is the source's id (and %2 a
// recording's file name, SSSAAA.mp3).
inline constexpr const char* kTranslationAddress = "Përkthimet";
inline constexpr const char* kArabicAddress = "TekstiArab";
inline constexpr const char* kRecordingAddress = "Lexuesit";
QString addressTemplate(const char* key);
void setAddressTemplate(const char* key, const QString& value); // tests and mirrors

// Where fetched things live, in the reader's own data folder: a reciter's recordings, the texts.
QString reciterFolder(const QString& id);
// The fetched reciter whose recordings are in `folder` ("" for any other folder).
QString fetchedReciter(const QString& folder);
QString textFile(Kind kind, const QString& id);

// Why a fetched Tanzil text is not the whole book ("" when every verse is there), read as an import reads it.
QString textCheck(const QString& partPath);

// How many verse recordings (SSSAAA.mp3) a folder holds.
int recordingsIn(const QString& folder);

// Tanzil's terms for its translations, said before one is fetched.
QString translationTerms();

// The credits for what was fetched and is in use here (Tanzil's texts, EveryAyah's recordings), with their terms;
// "" when nothing was.
QString credits();

} // namespace downloads

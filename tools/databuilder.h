#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

// The data builder: reads the facts and (optionally) a translation file, and writes the database
// and the whole-text RTF file the program reads. Every message is Albanian, for the reader's eyes.
namespace databuilder {

// An input that was refused or a file that could not be written. Nothing was replaced.
class BuildError : public std::runtime_error {
public:
    explicit BuildError(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

struct Surah {
    int number = 0;
    int verses = 0;
    QString name;  // the Albanian name the program shows
    QString place; // Mekë or Medinë
};

constexpr int kSurahCount = 114;
constexpr int kVerseCount = 6236;

// The file names in the output folder.
inline constexpr const char* kDatabaseFile = "librezi.db";
inline constexpr const char* kWholeTextFile = "LIB'REZI.rtf";

// --- Readers shared by the builder's inputs ---

// The bytes without the UTF-8 byte order mark some editors put first.
QByteArray withoutBom(const QByteArray& bytes);
// Decodes UTF-8 strictly: any invalid or truncated sequence is a failure.
bool decodeUtf8(QByteArrayView bytes, QString* out);
// The whole file; BuildError when it cannot be read.
QByteArray readWholeFile(const QString& path);
// The lines of a UTF-8 file: LF or CR LF, a leading BOM dropped.
QStringList readUtf8Lines(const QString& path);
// A number of one to four ASCII digits, or -1.
int parseNumber(QStringView s);
// "Rreshti N: what".
QString lineMessage(int line, const QString& what);

// What every verse holds when no translation was imported.
QString placeholderText();

// Reads suret.tsv of the facts folder: all 114 surahs in order, 6,236 verses in all.
QList<Surah> readSurahs(const QString& factsFolder);

// Reads keshilla.txt of the facts folder: one tip a line; '#' lines and empty lines are skipped.
QStringList readTips(const QString& factsFolder);

struct Translation {
    QString name;       // "#  Name:" of the file, or ""
    QString translator; // "#  Translator:", or ""
    QString source;     // "#  Source:" or a URL comment line, or ""
    // The text of every verse: verses[surah - 1][verse - 1].
    QList<QStringList> verses;
};

// Parses a translation in the `sura|aya|text` format: every verse of `surahs` exactly once, in
// order. Throws BuildError naming the line ("Rreshti N: ...") at the first fault.
Translation parseTranslation(const QByteArray& content, const QList<Surah>& surahs);
Translation readTranslation(const QString& path, const QList<Surah>& surahs);

// A translation whose every verse holds placeholderText().
Translation placeholderTranslation(const QList<Surah>& surahs);

// The thematic classification: chapters (Kreret), their themes (Temat) and each theme's verse groups
// (klasifikim), in reading order.
struct VerseGroup {
    int surah = 0;
    QString verses; // a verse list: "5", "1-7", "1,4-6"
};
struct Theme {
    int number = 0;
    QString title;
    QList<VerseGroup> groups;
};
struct Chapter {
    int number = 0;
    QString title;
    QList<Theme> themes;
};
using Classification = QList<Chapter>;

// The whole text as RTF: a title line, then each surah's heading and its verses, one paragraph each.
QByteArray wholeTextRtf(const QList<Surah>& surahs, const Translation& t);

// Writes a complete database to `path` (which must not exist yet). Throws BuildError.
void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification);

struct Options {
    QString factsFolder;
    QString outFolder;
    QString translationFile;    // "" for none
    QString classificationFile; // "" for the one made of the facts
    bool keepReciters = false;  // the reciters of the database being replaced (if any) carry over
};

// Reads every input, then replaces librezi.db and LIB'REZI.rtf in the output folder. The new files
// are written under temporary names first, so that a refused input or any failure leaves the files
// already there as they were. Throws BuildError.
void build(const Options& options);

// A reciter row to add to an existing database.
struct ReciterOptions {
    QString database;
    QString name;       // what the reciter lists show
    QString folder;     // where its files are; a relative folder is taken from the database's folder
    QString otherBase;  // when not "", a relative folder found only here is taken too (the program folder)
    bool verses = true; // a verse reciter (SSSAAA.mp3 files) or a surah reciter (SSS.mp3)
    bool makeDefault = false;
};

// Adds a reciter to table Lokacioni_i_zerit and returns its IDLok. With makeDefault it becomes the
// only default of its kind. An empty name, a folder that does not exist or a database that is not
// there is refused and nothing is written. Throws BuildError.
int addReciter(const ReciterOptions& options);

} // namespace databuilder

#include "tools/databuilder.h"

#include "tools/classification.h"

#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include <sqlite3.h>
#include <unistd.h>

namespace databuilder {

BuildError::BuildError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

namespace {

const QString kMecca = QStringLiteral("Mekë");
const QString kMedina = QStringLiteral("Medinë");

} // namespace

bool decodeUtf8(QByteArrayView bytes, QString* out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *out = decoder.decode(bytes);
    return !decoder.hasError();
}

QByteArray readWholeFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw BuildError(QStringLiteral("Skedari %1 %2.")
                             .arg(QDir::toNativeSeparators(path),
                                  f.exists() ? QStringLiteral("nuk mund të lexohet") : QStringLiteral("nuk ekziston")));
    return f.readAll();
}

QByteArray withoutBom(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

QStringList readUtf8Lines(const QString& path) {
    const QByteArray bytes = withoutBom(readWholeFile(path));
    QString text;
    if (!decodeUtf8(bytes, &text))
        throw BuildError(
            QStringLiteral("Skedari %1 nuk është i shkruar në UTF-8 të vlefshëm.").arg(QDir::toNativeSeparators(path)));
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

int parseNumber(QStringView s) {
    if (s.isEmpty() || s.size() > 4)
        return -1;
    int n = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

QString lineMessage(int line, const QString& what) {
    return QStringLiteral("Rreshti %1: %2").arg(QString::number(line), what);
}

namespace {

QString verseKey(int surah, int verse) {
    return QStringLiteral("%1:%2").arg(surah).arg(verse);
}

// Picks the translation's name, translator and source out of one comment line.
void readComment(QStringView body, Translation& t, bool& explicitSource) {
    body = body.trimmed();
    auto field = [&](QLatin1String label, QString& into) {
        if (!body.startsWith(label, Qt::CaseInsensitive))
            return false;
        into = body.mid(label.size()).trimmed().toString();
        return true;
    };
    if (field(QLatin1String("Translator:"), t.translator) || field(QLatin1String("Name:"), t.name))
        return;
    if (field(QLatin1String("Source:"), t.source)) {
        explicitSource = true;
        return;
    }
    if (!explicitSource && (body.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                            body.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)))
        t.source = body.toString();
}

// --- RTF -------------------------------------------------------------------------------------------------

// Appends text as RTF: ASCII as it is (\ { } escaped), everything else as \uN? by UTF-16 unit.
void appendRtfText(QByteArray& out, QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u < 0x20 || u == 0x7F) {
            continue; // control characters have no place in a line
        } else {
            out += "\\u";
            out += QByteArray::number(qint16(u));
            out += '?';
        }
    }
}

// --- SQLite ----------------------------------------------------------------------------------------------

class Database {
public:
    explicit Database(const QString& path, bool create = true) : m_path(path) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK)
            fail();
    }
    ~Database() {
        for (sqlite3_stmt* s : m_statements)
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const QString& sql) {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
            fail();
        m_statements.append(s);
        return s;
    }

    // Binds the values in order, runs the statement once and resets it.
    template <typename... Values> void run(sqlite3_stmt* s, const Values&... values) {
        int index = 0;
        (bind(s, ++index, values), ...);
        if (sqlite3_step(s) != SQLITE_DONE)
            fail();
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }

    // The first column of the first row as a number (0 without a row).
    qint64 value(const char* sql) {
        sqlite3_stmt* s = prepare(sql);
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            fail();
        const qint64 v = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
        sqlite3_reset(s);
        return v;
    }

    void close() {
        for (sqlite3_stmt* s : m_statements)
            sqlite3_finalize(s);
        m_statements.clear();
        if (sqlite3_close(m_db) != SQLITE_OK)
            fail();
        m_db = nullptr;
    }

private:
    void bind(sqlite3_stmt* s, int index, int value) {
        if (sqlite3_bind_int(s, index, value) != SQLITE_OK)
            fail();
    }
    void bind(sqlite3_stmt* s, int index, const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        if (sqlite3_bind_text(s, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
            fail();
    }

    [[noreturn]] void fail() {
        const QString cause = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("mungon kujtesa");
        throw BuildError(QStringLiteral("Baza e të dhënave %1 nuk mund të shkruhet: %2.")
                             .arg(QDir::toNativeSeparators(m_path), cause));
    }

    QString m_path;
    sqlite3* m_db = nullptr;
    QList<sqlite3_stmt*> m_statements;
};

// A new file under a temporary name in the output folder; removed unless it replaced its target.
class PendingFile {
public:
    PendingFile(const QString& folder, const QString& target)
        : m_file(QDir(folder).filePath(QStringLiteral(".") + target + QStringLiteral(".XXXXXX"))),
          m_target(QDir(folder).filePath(target)) {
        if (!m_file.open())
            throw BuildError(QStringLiteral("Në dosjen %1 nuk mund të krijohet skedari %2: %3.")
                                 .arg(QDir::toNativeSeparators(folder), target, m_file.errorString()));
        m_file.setAutoRemove(false);
        m_path = m_file.fileName();
    }
    ~PendingFile() {
        if (!m_replaced)
            QFile::remove(m_path);
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& path() const { return m_path; }

    void write(const QByteArray& bytes) {
        if (m_file.write(bytes) != bytes.size() || !m_file.flush() || ::fsync(m_file.handle()) != 0)
            throw BuildError(QStringLiteral("Skedari %1 nuk mund të shkruhet: %2.")
                                 .arg(QDir::toNativeSeparators(m_target), m_file.errorString()));
        m_file.close();
    }

    // Closes our handle, so that another writer (SQLite) has the file to itself.
    void release() { m_file.close(); }

    // Puts the file in place of its target in one step: readers see the old file or the new one.
    void replaceTarget() {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(m_path).toStdString(), QFile::encodeName(m_target).toStdString(), ec);
        if (ec)
            throw BuildError(QStringLiteral("Skedari %1 nuk mund të zëvendësohet: %2.")
                                 .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(ec.message())));
        m_replaced = true;
    }

private:
    QTemporaryFile m_file;
    QString m_path;
    QString m_target;
    bool m_replaced = false;
};

} // namespace

QString placeholderText() {
    return QStringLiteral("[Përkthimi i këtij ajeti nuk është importuar ende.]");
}

QList<Surah> readSurahs(const QString& factsFolder) {
    const QString path = QDir(factsFolder).filePath(QStringLiteral("suret.tsv"));
    const QStringList lines = readUtf8Lines(path);
    QList<Surah> surahs;
    int total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        auto refuse = [&](const QString& what) {
            throw BuildError(QStringLiteral("suret.tsv, rreshti %1: %2").arg(QString::number(i + 1), what));
        };
        const QStringList f = line.split(u'\t');
        if (f.size() != 4)
            refuse(QStringLiteral("pritej: nr, ajete, emri, vendi, të ndara me TAB."));
        Surah s{parseNumber(f[0]), parseNumber(f[1]), f[2].trimmed(), f[3].trimmed()};
        if (s.number != surahs.size() + 1)
            refuse(QStringLiteral("pritej sureja %1.").arg(surahs.size() + 1));
        if (s.verses <= 0)
            refuse(QStringLiteral("numri i ajeteve nuk është i vlefshëm."));
        if (s.name.isEmpty())
            refuse(QStringLiteral("mungon emri i sures."));
        if (s.place != kMecca && s.place != kMedina)
            refuse(QStringLiteral("vendi duhet të jetë %1 ose %2.").arg(kMecca, kMedina));
        total += s.verses;
        surahs.append(s);
    }
    if (surahs.size() != kSurahCount || total != kVerseCount)
        throw BuildError(QStringLiteral("suret.tsv ka %1 sure me %2 ajete; priteshin %3 sure me %4 ajete.")
                             .arg(surahs.size())
                             .arg(total)
                             .arg(kSurahCount)
                             .arg(kVerseCount));
    return surahs;
}

QStringList readTips(const QString& factsFolder) {
    QStringList tips;
    for (const QString& line : readUtf8Lines(QDir(factsFolder).filePath(QStringLiteral("keshilla.txt")))) {
        const QString tip = line.trimmed();
        if (!tip.isEmpty() && !tip.startsWith(u'#'))
            tips.append(tip);
    }
    if (tips.isEmpty())
        throw BuildError(QStringLiteral("keshilla.txt nuk ka asnjë këshillë."));
    return tips;
}

Translation parseTranslation(const QByteArray& contentIn, const QList<Surah>& surahs) {
    const QByteArray content = withoutBom(contentIn);

    Translation t;
    t.verses.resize(surahs.size());
    QList<QList<int>> lineOf(surahs.size()); // where each verse was read, for duplicates
    for (qsizetype s = 0; s < surahs.size(); ++s) {
        t.verses[s].reserve(surahs[s].verses);
        lineOf[s].resize(surahs[s].verses);
    }
    bool explicitSource = false;
    int nextSurah = 1; // the verse expected next; nextSurah past the last surah once all are read
    int nextVerse = 1;
    int lineNo = 0;
    qsizetype pos = 0;
    while (pos < content.size()) {
        qsizetype end = content.indexOf('\n', pos);
        if (end < 0)
            end = content.size();
        QByteArrayView raw(content.constData() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (raw.endsWith('\r'))
            raw.chop(1);

        QString line;
        if (!decodeUtf8(raw, &line))
            throw BuildError(lineMessage(lineNo, QStringLiteral("teksti nuk është UTF-8 i vlefshëm.")));
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            readComment(QStringView(line).mid(1), t, explicitSource);
            continue;
        }

        const qsizetype bar1 = line.indexOf(u'|');
        const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(u'|', bar1 + 1);
        const int surah = bar2 < 0 ? -1 : parseNumber(QStringView(line).left(bar1).trimmed());
        const int verse = bar2 < 0 ? -1 : parseNumber(QStringView(line).mid(bar1 + 1, bar2 - bar1 - 1).trimmed());
        if (surah < 0 || verse < 0)
            throw BuildError(
                lineMessage(lineNo, QStringLiteral("rreshti nuk ka formën sure|ajet|tekst me numra për suren dhe "
                                                   "ajetin.")));
        const QString text = line.mid(bar2 + 1).trimmed();
        if (text.isEmpty())
            throw BuildError(lineMessage(lineNo, QStringLiteral("ajeti %1 nuk ka tekst.").arg(verseKey(surah, verse))));
        if (surah < 1 || surah > surahs.size())
            throw BuildError(lineMessage(
                lineNo,
                QStringLiteral("sureja %1 nuk ekziston (suret janë 1 deri %2).").arg(surah).arg(surahs.size())));
        const int verses = surahs[surah - 1].verses;
        if (verse < 1 || verse > verses)
            throw BuildError(lineMessage(
                lineNo,
                QStringLiteral("sureja %1 ka %2 ajete; ajeti %3 nuk ekziston.").arg(surah).arg(verses).arg(verse)));
        if (const int first = lineOf[surah - 1][verse - 1])
            throw BuildError(lineMessage(lineNo, QStringLiteral("ajeti %1 përsëritet (është edhe në rreshtin %2).")
                                                     .arg(verseKey(surah, verse))
                                                     .arg(first)));
        if (surah != nextSurah || verse != nextVerse)
            throw BuildError(lineMessage(lineNo, QStringLiteral("mungon ajeti %1 (ky rresht sjell ajetin %2).")
                                                     .arg(verseKey(nextSurah, nextVerse), verseKey(surah, verse))));

        lineOf[surah - 1][verse - 1] = lineNo;
        t.verses[surah - 1].append(text);
        if (++nextVerse > verses) {
            ++nextSurah;
            nextVerse = 1;
        }
    }
    if (nextSurah <= surahs.size())
        throw BuildError(lineMessage(
            qMax(lineNo, 1),
            QStringLiteral("skedari mbaron këtu, por mungon ajeti %1.").arg(verseKey(nextSurah, nextVerse))));
    return t;
}

Translation readTranslation(const QString& path, const QList<Surah>& surahs) {
    try {
        return parseTranslation(readWholeFile(path), surahs);
    } catch (const BuildError& e) {
        throw BuildError(
            QStringLiteral("Përkthimi %1 nuk pranohet. %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
}

Translation placeholderTranslation(const QList<Surah>& surahs) {
    Translation t;
    for (const Surah& s : surahs) {
        QStringList verses;
        verses.fill(placeholderText(), s.verses);
        t.verses.append(verses);
    }
    return t;
}

QByteArray wholeTextRtf(const QList<Surah>& surahs, const Translation& t) {
    QByteArray out;
    out.reserve(4 * 1024 * 1024);
    // cf1: headings, cf2: verse keys.
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 DejaVu Sans;}}"
           "{\\colortbl ;\\red0\\green80\\blue120;\\red140\\green30\\blue20;}\n"
           "\\pard\\plain\\f0\\fs24";

    QString title = QStringLiteral("Kur'ani — përkthimi shqip");
    if (!t.translator.isEmpty())
        title += QStringLiteral(" nga ") + t.translator;
    out += "\n{\\b\\cf1\\fs28 ";
    appendRtfText(out, title);
    out += "}\\par";

    for (qsizetype s = 0; s < surahs.size(); ++s) {
        const QByteArray number = QByteArray::number(surahs[s].number);
        out += "\n{\\b\\cf1 " + number + ".\\tab ";
        appendRtfText(out, surahs[s].name);
        out += "}\\par";
        const QStringList& verses = t.verses[s];
        for (qsizetype v = 0; v < verses.size(); ++v) {
            out += "\n{\\b\\cf2 " + number + ':' + QByteArray::number(v + 1) + ".\\tab}";
            appendRtfText(out, verses[v]);
            out += "\\par";
        }
    }
    out += '}';
    return out;
}

void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification) {
    Database db(path);
    // The file is new and replaces the old one only when complete: no journal is needed.
    db.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    db.exec(QStringLiteral("BEGIN"));
    for (const QString& statement : schema::createStatements())
        db.exec(statement);

    sqlite3_stmt* surah = db.prepare("INSERT INTO Suret (IDSureja, Emri, NrAjete, Vendi) VALUES (?, ?, ?, ?)");
    for (const Surah& s : surahs)
        db.run(surah, s.number, s.name, s.verses, s.place);

    sqlite3_stmt* verse = db.prepare("INSERT INTO librezi (NrSure, NrAjet, Perkthimi) VALUES (?, ?, ?)");
    for (qsizetype s = 0; s < surahs.size(); ++s)
        for (qsizetype v = 0; v < t.verses[s].size(); ++v)
            db.run(verse, surahs[s].number, int(v + 1), t.verses[s][v]);

    sqlite3_stmt* reciter = db.prepare(
        "INSERT INTO Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) VALUES (?, ?, ?, ?, -1)");
    db.run(reciter, 1, QStringLiteral("Shembull sintetik (ajete)"), QStringLiteral("zeri/ajete"), -1);
    db.run(reciter, 2, QStringLiteral("Shembull sintetik (sure)"), QStringLiteral("zeri/sure"), 0);

    sqlite3_stmt* tip = db.prepare("INSERT INTO Keshilla (ID, Keshilla) VALUES (?, ?)");
    for (qsizetype i = 0; i < tips.size(); ++i)
        db.run(tip, int(i + 1), tips[i]);

    // The program reads a theme's groups without ORDER BY: they go in by ID, in reading order.
    sqlite3_stmt* chapter = db.prepare("INSERT INTO Kreret (NrKreu, Kreu) VALUES (?, ?)");
    sqlite3_stmt* theme = db.prepare("INSERT INTO Temat (NrTema, Tema, NrKreu) VALUES (?, ?, ?)");
    sqlite3_stmt* group =
        db.prepare("INSERT INTO klasifikim (ID, tema, nrsure, emrsure, ajetet) VALUES (?, ?, ?, ?, ?)");
    int groupId = 0;
    for (const Chapter& c : classification) {
        db.run(chapter, c.number, c.title);
        for (const Theme& th : c.themes) {
            db.run(theme, th.number, th.title, c.number);
            for (const VerseGroup& g : th.groups)
                db.run(group, ++groupId, th.title, g.surah, surahs[g.surah - 1].name, g.verses);
        }
    }

    sqlite3_stmt* meta = db.prepare("INSERT INTO Te_dhenat (Celesi, Vlera) VALUES (?, ?)");
    db.run(meta, QString::fromLatin1(schema::kMetaVersion), QString::number(schema::kVersion));
    db.run(meta, QString::fromLatin1(schema::kMetaTranslation), t.name);
    db.run(meta, QString::fromLatin1(schema::kMetaTranslator), t.translator);
    db.run(meta, QString::fromLatin1(schema::kMetaSource), t.source);

    db.exec(QStringLiteral("COMMIT"));
    db.close();
}

void build(const Options& options) {
    // Every input is read and checked before anything is written.
    const QList<Surah> surahs = readSurahs(options.factsFolder);
    const QStringList tips = readTips(options.factsFolder);
    const Translation translation = options.translationFile.isEmpty()
                                        ? placeholderTranslation(surahs)
                                        : readTranslation(options.translationFile, surahs);
    const Classification classification = options.classificationFile.isEmpty()
                                              ? factsClassification(options.factsFolder, surahs)
                                              : readClassification(options.classificationFile, surahs);

    if (!QDir().mkpath(options.outFolder))
        throw BuildError(
            QStringLiteral("Dosja %1 nuk mund të krijohet.").arg(QDir::toNativeSeparators(options.outFolder)));

    PendingFile database(options.outFolder, QString::fromLatin1(kDatabaseFile));
    database.release();
    writeDatabase(database.path(), surahs, translation, tips, classification);
    const QString previous = QDir(options.outFolder).filePath(QString::fromLatin1(kDatabaseFile));
    if (options.keepReciters && QFileInfo(previous).isFile()) {
        // The reader's reciters and the reciter marked as chosen outlive a new translation.
        Database db(database.path(), false);
        QString quoted = previous;
        quoted.replace(u'\'', QStringLiteral("''"));
        db.exec(QStringLiteral("ATTACH DATABASE '") + quoted + QStringLiteral("' AS previous"));
        db.exec(QStringLiteral("BEGIN"));
        db.exec(QStringLiteral("DELETE FROM Lokacioni_i_zerit"));
        db.exec(QStringLiteral("INSERT INTO Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) "
                               "SELECT IDLok, Lexuesi, Lokacioni, Ajete, [Default] FROM previous.Lokacioni_i_zerit"));
        db.exec(QStringLiteral("COMMIT"));
        db.exec(QStringLiteral("DETACH DATABASE previous"));
        db.close();
    }

    PendingFile wholeText(options.outFolder, QString::fromLatin1(kWholeTextFile));
    wholeText.write(wholeTextRtf(surahs, translation));

    database.replaceTarget();
    wholeText.replaceTarget();
}

int addReciter(const ReciterOptions& options) {
    const QString name = options.name.trimmed();
    if (name.isEmpty())
        throw BuildError(QStringLiteral("Emri i lexuesit nuk mund të jetë bosh."));
    const QFileInfo database(options.database);
    if (!database.isFile())
        throw BuildError(
            QStringLiteral("Baza e të dhënave %1 nuk u gjet.").arg(QDir::toNativeSeparators(options.database)));
    QString folder = QDir(database.absolutePath()).filePath(options.folder);
    if (!options.otherBase.isEmpty() && !QFileInfo(folder).isDir() &&
        QFileInfo(QDir(options.otherBase).filePath(options.folder)).isDir())
        folder = QDir(options.otherBase).filePath(options.folder);
    if (options.folder.isEmpty() || !QFileInfo(folder).isDir())
        throw BuildError(QStringLiteral("Dosja e lexuesit %1 nuk ekziston.").arg(QDir::toNativeSeparators(folder)));

    Database db(options.database, false);
    const int ajete = options.verses ? -1 : 0;
    db.exec(QStringLiteral("BEGIN"));
    if (options.makeDefault)
        db.run(db.prepare("UPDATE Lokacioni_i_zerit SET [Default] = 0 WHERE Ajete = ?"), ajete);
    const int id = int(db.value("SELECT coalesce(max(IDLok), 0) + 1 FROM Lokacioni_i_zerit"));
    db.run(db.prepare(
               "INSERT INTO Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) VALUES (?, ?, ?, ?, ?)"),
           id, name, options.folder, ajete, options.makeDefault ? -1 : 0);
    db.exec(QStringLiteral("COMMIT"));
    db.close();
    return id;
}

} // namespace databuilder

// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/reciters.h"

#include "audio/playback.h"

#include "app/module1.h"
#include "platform/database.h"
#include "platform/filedialog.h"
#include "platform/handler.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "tools/reciters.h"
#include "tools/textinput.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <dirent.h>

namespace audio {

namespace {
constexpr qint32 kBundledReciters = 2; // IDLok 1 and 2: the sample reciters that come with the program

// Why the folder's list of files cannot be read, in Albanian with the system's words on a second line; "" when
// it can.
QString unreadable(const QString& folder) {
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir) {
        ::closedir(dir);
        return QString();
    }
    const int error = errno;
    const QString cause = error == EACCES || error == EPERM ? QStringLiteral("nuk ka leje për ta lexuar")
                          : error == ENOENT                 ? QStringLiteral("dosja nuk ekziston")
                          : error == ENOTDIR                ? QStringLiteral("nuk është dosje")
                                                            : QStringLiteral("gabim gjatë leximit të diskut");
    return cause + QStringLiteral(".\n(") + QString::fromLocal8Bit(std::strerror(error)) + u')';
}
} // namespace

bool ownFolder(const QString& folder) {
    const QString own = QDir::cleanPath(Module1::userDataFolder() + QStringLiteral("/lexuesit")) + u'/';
    return QDir::cleanPath(resolveFolder(folder)).startsWith(own);
}

qint64 bytesIn(const QString& folder) {
    qint64 sum = 0;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        sum += it.nextFileInfo().size();
    return sum;
}

QString sizeText(qint64 bytes) {
    const QLocale sq(QLocale::Albanian, QLocale::Albania);
    if (bytes >= 1000LL * 1000 * 1000)
        return sq.toString(double(bytes) / 1e9, 'f', 1) + QStringLiteral(" GB");
    if (bytes >= 1000LL * 1000)
        return sq.toString(double(bytes) / 1e6, 'f', bytes >= 10LL * 1000 * 1000 ? 0 : 1) + QStringLiteral(" MB");
    return sq.toString(qMax<qint64>(1, (bytes + 999) / 1000)) + QStringLiteral(" KB");
}

ReciterChoice::ReciterChoice(const data::Library& library, platform::ComboBox* CmbLexuesAjete,
                             platform::ComboBox* CmbLexuesSure, QObject* parent)
    : QObject(parent), m_library(library), m_cmbAjete(CmbLexuesAjete), m_cmbSure(CmbLexuesSure) {
    chooseFolder = [this] {
        return platform::askForFile(m_cmbAjete->window(), QStringLiteral("Zgjidhni dosjen e regjistrimeve"),
                                    QDir::homePath(), QString(), platform::FileChoice::Folder);
    };
    askName = [this](const QString& folder) {
        QInputDialog dialog(m_cmbAjete->window());
        dialog.setWindowTitle(QStringLiteral("Lexuesi i ri"));
        dialog.setLabelText(QStringLiteral("Emri i lexuesit:"));
        dialog.setTextValue(QFileInfo(folder).fileName());
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Anulo"));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue().trimmed() : QString();
    };
}

void ReciterChoice::list(ReciterKind kind, platform::ComboBox* into) const {
    const QList<data::Reciter> reciters = m_library.reciters(kind); // read before the list changes
    into->Clear();
    for (const data::Reciter& r : reciters)
        into->AddItem(r.name, qint32(r.id));
}

void ReciterChoice::fill() {
    for (const ReciterKind kind : {ReciterKind::Verses, ReciterKind::Surahs}) {
        list(kind, this->list(kind));
        const std::optional<data::Reciter> chosen = m_library.defaultReciter(kind);
        this->list(kind)->selectQuietly(chosen ? this->list(kind)->findData(qint32(chosen->id), Qt::UserRole) : -1);
    }
}

void ReciterChoice::addReciter(ReciterKind kind) {
    if (Module1::savingOff()) {
        platform::MsgBox(QStringLiteral("Lexuesi nuk u shtua. ") + Module1::savingOffText(), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
        return;
    }
    const QString folder = chooseFolder();
    if (folder.isEmpty())
        return;
    // A folder that cannot be read is not one without recordings: the reader is told which it is.
    if (const QString cause = unreadable(folder); !cause.isEmpty()) {
        platform::MsgBox(
            QStringLiteral("Dosja %1 nuk mund të lexohet: %2").arg(QDir::toNativeSeparators(folder), cause),
            platform::Buttons::OK, QString(), platform::Icon::Warning);
        return;
    }
    // Recordings named as the kind expects: 001001.mp3 for a verse, 001.mp3 for a surah.
    static const QRegularExpression verses(QStringLiteral("^\\d{6}\\.mp3$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression surahs(QStringLiteral("^\\d{3}\\.mp3$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression& named = kind == ReciterKind::Verses ? verses : surahs;
    const int found = int(QDir(folder).entryList(QDir::Files).filter(named).size());
    const QString example = kind == ReciterKind::Verses ? QStringLiteral("001001.mp3") : QStringLiteral("001.mp3");
    if (found == 0) {
        platform::MsgBox(QStringLiteral("Në dosjen %1 nuk u gjet asnjë regjistrim me emër si %2.")
                             .arg(QDir::toNativeSeparators(folder), example),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        return;
    }
    const QString name = askName(folder);
    if (name.isEmpty())
        return;
    platform::MsgBox(
        QStringLiteral("U gjetën %1 regjistrime në dosjen %2.").arg(found).arg(QDir::toNativeSeparators(folder)),
        platform::Buttons::OK, QString(), platform::Icon::Information);
    int id = 0;
    try {
        databuilder::ReciterOptions options;
        options.database = Module1::databasePath();
        options.name = name;
        options.folder = QDir(folder).absolutePath();
        options.verses = kind == ReciterKind::Verses;
        id = databuilder::addReciter(options);
    } catch (const databuilder::BuildError& e) {
        platform::MsgBox(e.message(), platform::Buttons::OK, QString(), platform::Icon::Warning);
        return;
    }
    platform::ComboBox* shown = list(kind);
    list(kind, shown);
    shown->setListIndex(shown->findData(id, Qt::UserRole)); // chosen, as by the reader
}

void ReciterChoice::removeReciter(ReciterKind kind) {
    platform::ComboBox* shown = list(kind);
    if (shown->ListIndex() < 0)
        return;
    const qint32 id = shown->ItemData(shown->ListIndex());
    if (Module1::savingOff()) {
        platform::MsgBox(QStringLiteral("Lexuesi nuk u hoq. ") + Module1::savingOffText(), platform::Buttons::OK,
                         QString(), platform::Icon::Warning);
        return;
    }
    if (id <= kBundledReciters) {
        platform::MsgBox(QStringLiteral("Lexuesit e ardhur me programin nuk hiqen."), platform::Buttons::OK, QString(),
                         platform::Icon::Information);
        return;
    }
    // A reciter whose folder the program made in the reader's data folder (a fetched one) goes with its recordings;
    // any other folder is the reader's own and stays.
    QString own;
    for (const data::Reciter& r : m_library.reciters(kind))
        if (r.id == id && ownFolder(r.folder))
            own = resolveFolder(r.folder);
    const QString question =
        own.isEmpty()
            ? QStringLiteral("Ta heq lexuesin „%1” nga lista? Regjistrimet e tij mbeten në dosje.").arg(shown->Text())
            : QStringLiteral("Ta heq lexuesin „%1” dhe regjistrimet e tij të shkarkuara? Lirohen %2 në disk.")
                  .arg(shown->Text(), sizeText(bytesIn(own)));
    if (platform::MsgBox(question, platform::Buttons::YesNo, QString(), platform::Icon::Question) !=
        platform::Answer::Yes)
        return;
    m_library.removeReciter(id);
    if (!own.isEmpty()) {
        if (beforeRemovingFolder)
            beforeRemovingFolder(own);
        if (!QDir(own).removeRecursively())
            platform::MsgBox(
                QStringLiteral("Disa regjistrime nuk u fshinë nga dosja %1.").arg(QDir::toNativeSeparators(own)),
                platform::Buttons::OK, QString(), platform::Icon::Warning);
    }
    list(kind, shown);
    if (shown->ListCount() > 0)
        shown->setListIndex(0);
}

void ReciterChoice::CmbLexuesAjete_Click() {
    platform::guarded([this] { choose(ReciterKind::Verses); });
}

void ReciterChoice::CmbLexuesSure_Click() {
    platform::guarded([this] { choose(ReciterKind::Surahs); });
}

void ReciterChoice::choose(ReciterKind kind) {
    platform::ComboBox* chosen = list(kind);
    QString& folder = kind == ReciterKind::Verses ? Module1::strLokacioniAjeteve : Module1::strLokacioniSureve;

    // While saving is off the choice holds for this run only.
    if (Module1::savingOff()) {
        if (chosen->ListIndex() >= 0)
            for (const data::Reciter& r : m_library.reciters(kind))
                if (r.id == chosen->ItemData(chosen->ListIndex()))
                    folder = r.folder;
        return;
    }
    // The old mark is cleared and the new one set together: if either fails, neither is kept.
    try {
        m_library.markDefault(kind, chosen->ListIndex() >= 0
                                        ? std::optional<qint64>(chosen->ItemData(chosen->ListIndex()))
                                        : std::nullopt);
    } catch (const platform::DbError& e) {
        platform::MsgBox(QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: ") + platform::albanianCause(e),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        showMarkedReciter(kind);
        return;
    }
    if (chosen->ListIndex() >= 0)
        if (const std::optional<data::Reciter> r = m_library.defaultReciter(kind))
            folder = r->folder;
}

// After a choice that was not saved, the list shows again the reciter the database still marks.
void ReciterChoice::showMarkedReciter(ReciterKind kind) {
    platform::ComboBox* shown = list(kind);
    try {
        const std::optional<data::Reciter> marked = m_library.defaultReciter(kind);
        int index = -1;
        if (marked)
            for (int i = 0; i < shown->ListCount() && index < 0; ++i)
                if (shown->ItemData(i) == marked->id)
                    index = i;
        shown->selectQuietly(index);
    } catch (const platform::DbError&) {
        // The list keeps what the reader chose; the message already said it was not saved.
    }
}

} // namespace audio

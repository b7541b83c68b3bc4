// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace testsupport {

QString buildFolder() {
    return qEnvironmentVariable("LIBREZI_BUILD");
}
QString factsFolder() {
    return qEnvironmentVariable("LIBREZI_FACTS");
}

QString sharedTestFile(const QString& name) {
    const QString path = qEnvironmentVariable("LIBREZI_SHARED") + QStringLiteral("/testdata/") + name;
    return QFile::exists(path) ? path : QString();
}

QString copyBundledData(const QTemporaryDir& dir) {
    const QDir build(buildFolder());
    for (const QString& name : {QStringLiteral("librezi.db"), QStringLiteral("LIB'REZI.rtf")}) {
        const QString to = dir.filePath(name);
        QFile::remove(to);
        if (!QFile::copy(build.filePath(name), to))
            qFatal("cannot copy %s from the build folder", qPrintable(name));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return dir.path();
}

void createEmptyDatabase(const QString& path) {
    QFile::remove(path);
    Module1::cnLidhja.Open(path, platform::Connection::Mode::Create);
    for (const QString& s : schema::createStatements())
        Module1::cnLidhja.exec(s);
}

QList<QStringList> queryRows(platform::Connection& db, const QString& sql) {
    QList<QStringList> result;
    for (platform::Statement rs = db.query(sql); rs.next();) {
        QStringList row;
        for (int i = 0; i < rs.columnCount(); ++i)
            row.append(rs.text(i));
        result.append(row);
    }
    return result;
}

void useSettingsIn(const QTemporaryDir& dir) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
}

frmKryesore* startOnFolder(const QTemporaryDir& dir) {
    Module1::unloadMainWindow();
    useSettingsIn(dir);
    Module1::setProgramFolder(dir.path());
    return Module1::Main() == 0 ? Module1::mainWindow() : nullptr;
}

frmKryesore* startProgram(const QTemporaryDir& dir) {
    copyBundledData(dir);
    frmKryesore* w = startOnFolder(dir);
    if (!w)
        qFatal("the program did not start");
    return w;
}

Controls::Controls(frmKryesore* window)
    : w(window), Rtf1(child<platform::RichTextView>(w, "Rtf1")), CmbNrSure(child<platform::ComboBox>(w, "CmbNrSure")),
      CmbEmrSure(child<platform::ComboBox>(w, "CmbEmrSure")), CmbNrAjeti(child<platform::ComboBox>(w, "CmbNrAjeti")),
      CmbTotalAjete(child<platform::ComboBox>(w, "CmbTotalAjete")),
      CmbKerkoKrejt(child<platform::ComboBox>(w, "CmbKerkoKrejt")),
      CmbFontNames(child<platform::ComboBox>(w, "CmbFontNames")),
      CmbNrFonti(child<platform::ComboBox>(w, "CmbNrFonti")),
      CmbLexuesAjete(child<platform::ComboBox>(w, "CmbLexuesAjete")),
      CmbLexuesSure(child<platform::ComboBox>(w, "CmbLexuesSure")),
      cmbKlasifikimTematik(child<platform::ComboBox>(w, "cmbKlasifikimTematik")),
      LstAjetetPrejCmbTema(child<platform::ListBox>(w, "LstAjetetPrejCmbTema")),
      lstAjetKlasifikim(child<platform::ListBox>(w, "lstAjetKlasifikim")),
      TreeView1(child<platform::TreeView>(w, "TreeView1")), txtKerkim(child<QLineEdit>(w, "txtKerkim")),
      ChkKerkoSure(child<QCheckBox>(w, "ChkKerkoSure")), cmdFund(child<QToolButton>(w, "cmdFund")),
      cmdRrethProg(child<QToolButton>(w, "cmdRrethProg")), cmdCopy(child<QToolButton>(w, "cmdCopy")),
      cmdKerkimPrapa(child<QToolButton>(w, "cmdKerkimPrapa")), cmdKerkim(child<QToolButton>(w, "cmdKerkim")),
      cmdKtheLibrezin(child<QToolButton>(w, "cmdKtheLibrezin")), cmdKerkoAll(child<QToolButton>(w, "cmdKerkoAll")),
      CmdPlaySure(child<QToolButton>(w, "CmdPlaySure")), CmdPlayAjet(child<QToolButton>(w, "CmdPlayAjet")),
      CmdRefreshKeshille(child<QToolButton>(w, "CmdRefreshKeshille")),
      CmdCollapseAll(child<QToolButton>(w, "CmdCollapseAll")), cmdExpandAll(child<QToolButton>(w, "cmdExpandAll")),
      LblKeshilla(child<QLabel>(w, "LblKeshilla")), C1Tab1(child<QTabWidget>(w, "C1Tab1")),
      WindowsMediaPlayer1(child<platform::MediaPlayer>(w, "WindowsMediaPlayer1")),
      mnuPopupRtf(child<QMenu>(w, "mnuPopupRtf")), mnuSelektojeAjetin(child<QAction>(w, "mnuSelektojeAjetin")),
      mnuSelektoKrejtTekstin(child<QAction>(w, "mnuSelektoKrejtTekstin")), mnuKopjim(child<QAction>(w, "mnuKopjim")),
      mnuLshoAjetin(child<QAction>(w, "mnuLshoAjetin")), mnuPauzoje(child<QAction>(w, "mnuPauzoje")),
      mnuVazhdo(child<QAction>(w, "mnuVazhdo")) {}

QByteArray fileChecksum(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

bool overwrite(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

namespace {
QLineEdit* editOf(QWidget* box) {
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e;
    if (auto* c = qobject_cast<QComboBox*>(box))
        return c->lineEdit();
    return nullptr;
}
} // namespace

void typeInto(QWidget* box, const QString& text) {
    QLineEdit* e = editOf(box);
    if (!e)
        qFatal("%s has no edit field", qPrintable(box->objectName()));
    box->setFocus();
    e->selectAll();
    e->del();
    // The text arrives as one input, as a paste or an input method gives it; keystrokes would take
    // minutes for the longest texts and pass through the same edit field.
    e->insert(text);
}

void pressEnter(QWidget* box) {
    QLineEdit* e = editOf(box);
    QTest::keyClick(e ? static_cast<QWidget*>(e) : box, Qt::Key_Return);
}

bool stillAnswers(frmKryesore* w, QString* why) {
    if (!w || Module1::mainWindow() != w) {
        *why = QStringLiteral("the main window is gone");
        return false;
    }
    auto* view = w->findChild<platform::RichTextView*>(QStringLiteral("Rtf1"));
    if (!view) {
        *why = QStringLiteral("the text view is gone");
        return false;
    }
    (void)view->Text().size();
    try {
        if (Module1::library.surahs().size() != 114) {
            *why = QStringLiteral("the surah table does not answer 114");
            return false;
        }
    } catch (const std::exception& e) {
        *why = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

} // namespace testsupport

namespace testsupport {

bool search(const Controls& c, const std::function<void()>& start) {
    QSignalSpy done(c.w, &frmKryesore::searchDone);
    if (start)
        start();
    else
        c.cmdKerkoAll->click();
    if (done.isEmpty() && c.w->searching())
        return done.wait(120000);
    return !done.isEmpty();
}

} // namespace testsupport

// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "platform/richtextview.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextCursor>

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

// Each member is the window's child of the member's own name.
#define LIBREZI_CHILD(T, name) name(child<T>(w, #name))
Controls::Controls(frmKryesore* window)
    : w(window), LIBREZI_CHILD(platform::RichTextView, Rtf1), LIBREZI_CHILD(platform::ComboBox, CmbNrSure),
      LIBREZI_CHILD(platform::ComboBox, CmbEmrSure), LIBREZI_CHILD(platform::ComboBox, CmbNrAjeti),
      LIBREZI_CHILD(platform::ComboBox, CmbTotalAjete), LIBREZI_CHILD(platform::ComboBox, CmbKerkoKrejt),
      LIBREZI_CHILD(platform::ComboBox, CmbFontNames), LIBREZI_CHILD(platform::ComboBox, CmbNrFonti),
      LIBREZI_CHILD(platform::ComboBox, CmbLexuesAjete), LIBREZI_CHILD(platform::ComboBox, CmbLexuesSure),
      LIBREZI_CHILD(platform::ComboBox, cmbKlasifikimTematik), LIBREZI_CHILD(platform::ListBox, LstAjetetPrejCmbTema),
      LIBREZI_CHILD(platform::ListBox, lstAjetKlasifikim), LIBREZI_CHILD(platform::TreeView, TreeView1),
      LIBREZI_CHILD(QLineEdit, txtKerkim), LIBREZI_CHILD(QCheckBox, ChkKerkoSure), LIBREZI_CHILD(QToolButton, cmdFund),
      LIBREZI_CHILD(QToolButton, cmdRrethProg), LIBREZI_CHILD(QToolButton, cmdCopy),
      LIBREZI_CHILD(QToolButton, cmdKerkimPrapa), LIBREZI_CHILD(QToolButton, cmdKerkim),
      LIBREZI_CHILD(QToolButton, cmdKtheLibrezin), LIBREZI_CHILD(QToolButton, cmdKerkoAll),
      LIBREZI_CHILD(QToolButton, CmdPlaySure), LIBREZI_CHILD(QToolButton, CmdPlayAjet),
      LIBREZI_CHILD(QToolButton, CmdRefreshKeshille), LIBREZI_CHILD(QToolButton, CmdCollapseAll),
      LIBREZI_CHILD(QToolButton, cmdExpandAll), LIBREZI_CHILD(QLabel, LblKeshilla), LIBREZI_CHILD(QTabWidget, C1Tab1),
      LIBREZI_CHILD(platform::MediaPlayer, WindowsMediaPlayer1), LIBREZI_CHILD(QMenu, mnuPopupRtf),
      LIBREZI_CHILD(QAction, mnuSelektojeAjetin), LIBREZI_CHILD(QAction, mnuSelektoKrejtTekstin),
      LIBREZI_CHILD(QAction, mnuKopjim), LIBREZI_CHILD(QAction, mnuLshoAjetin), LIBREZI_CHILD(QAction, mnuPauzoje),
      LIBREZI_CHILD(QAction, mnuVazhdo) {}
#undef LIBREZI_CHILD

QByteArray fileChecksum(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

namespace {

// What a poppler tool prints for a file.
QString poppler(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        qFatal("%s (poppler-utils) is needed: scripts/setup.sh installs it", qPrintable(tool));
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qFatal("%s failed", qPrintable(tool));
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QStringList pagesOf(const QString& pdf) {
    QStringList pages = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                              QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
                            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

int pageCount(const QString& pdf) {
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
        .match(poppler(QStringLiteral("pdfinfo"), {pdf}))
        .captured(1)
        .toInt();
}

QStringList keysIn(const QString& text) {
    QStringList keys;
    static const QRegularExpression key(QStringLiteral("^\\s*(\\d+:\\d+)\\."), QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& m : key.globalMatch(text))
        keys.append(m.captured(1));
    return keys;
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
    const bool alive = w && Module1::mainWindow() == w; // a window gone is not looked into
    const auto* view = alive ? w->findChild<platform::RichTextView*>(QStringLiteral("Rtf1")) : nullptr;
    try {
        *why = !alive                                    ? QStringLiteral("the main window is gone")
               : !view                                   ? QStringLiteral("the text view is gone")
               : Module1::library.surahs().size() != 114 ? QStringLiteral("the surah table does not answer 114")
                                                         : QString();
        if (view)
            (void)view->Text().size(); // the text can be read
    } catch (const std::exception& e) {
        *why = QString::fromUtf8(e.what());
    }
    return why->isEmpty();
}

QColor colourAt(const platform::RichTextView& view, qsizetype at) {
    QTextCursor cursor(view.document());
    cursor.setPosition(view.toDocumentPosition(int(at)) + 1);
    return cursor.charFormat().foreground().color();
}

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

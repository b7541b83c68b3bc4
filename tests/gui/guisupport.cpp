#include "guisupport.h"

#include "app/module1.h"
#include "data/queryhelpers.h"
#include "mainwindow/frmkryesore.h"
#include "testsupport.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace guisupport {

QByteArray fileChecksum(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

frmKryesore* startOnFolder(const QTemporaryDir& dir) {
    Module1::unloadMainWindow();
    testsupport::useSettingsIn(dir);
    Module1::setProgramFolder(dir.path());
    if (Module1::Main() != 0)
        return nullptr;
    return Module1::mainWindow();
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
    if (!w->findChild<platform::RichTextView*>(QStringLiteral("Rtf1"))) {
        *why = QStringLiteral("the text view is gone");
        return false;
    }
    (void)w->Rtf1->Text().size();
    try {
        if (vbText(MerrVleren(QStringLiteral("select count(*) from Suret"))) != QLatin1String("114")) {
            *why = QStringLiteral("the surah table does not answer 114");
            return false;
        }
    } catch (const std::exception& e) {
        *why = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

} // namespace guisupport

#include "audio/reciters.h"

#include "app/module1.h"
#include "data/queryhelpers.h"
#include "platform/database.h"
#include "platform/handler.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"

namespace audio {

namespace {
QString kindValue(bool verses) {
    return verses ? QStringLiteral("-1") : QStringLiteral("0");
}
} // namespace

ReciterChoice::ReciterChoice(platform::ComboBox* CmbLexuesAjete, platform::ComboBox* CmbLexuesSure, QObject* parent)
    : QObject(parent), m_cmbAjete(CmbLexuesAjete), m_cmbSure(CmbLexuesSure) {}

void ReciterChoice::CmbLexuesAjete_Click() {
    if (Module1::blnMosRuajLexuesinAjeteve)
        return;
    platform::guarded([this] { choose(Kind::Verses); });
}

void ReciterChoice::CmbLexuesSure_Click() {
    if (Module1::blnMosRuajLexuesinSureve)
        return;
    platform::guarded([this] { choose(Kind::Surahs); });
}

void ReciterChoice::execute(const QString& statement) {
    if (m_log)
        m_log(statement);
    Module1::cnLidhja.Execute(statement);
}

void ReciterChoice::choose(Kind kind) {
    platform::ComboBox* list = kind == Kind::Verses ? m_cmbAjete : m_cmbSure;
    const QString ajete = kindValue(kind == Kind::Verses);
    QString& folder = kind == Kind::Verses ? Module1::strLokacioniAjeteve : Module1::strLokacioniSureve;

    // The old mark is cleared and the new one set together: if either fails, neither is kept.
    try {
        execute(QStringLiteral("BEGIN"));
        try {
            execute(QString(
                QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni_i_zerit.[Default] = 0 where Ajete=") + ajete));
            if (list->ListIndex() >= 0)
                execute(QStringLiteral("update Lokacioni_i_zerit set Lokacioni_i_zerit.[Default] = -1 where IDLok =") +
                        QString::number(list->ItemData(list->ListIndex())));
            execute(QStringLiteral("COMMIT"));
        } catch (const platform::DbError&) {
            try {
                execute(QStringLiteral("ROLLBACK"));
            } catch (const platform::DbError&) {
                // A failed statement may already have ended the transaction.
            }
            throw;
        }
    } catch (const platform::DbError& e) {
        platform::MsgBox(QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: ") + platform::albanianCause(e),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        showMarkedReciter(kind);
        return;
    }
    if (list->ListIndex() < 0)
        return;

    const QString select =
        QString(QStringLiteral("select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=") + ajete);
    if (m_log)
        m_log(select);
    folder = vbText(MerrVleren(select));
}

// After a choice that was not saved, the list shows again the reciter the database still marks.
void ReciterChoice::showMarkedReciter(Kind kind) {
    platform::ComboBox* list = kind == Kind::Verses ? m_cmbAjete : m_cmbSure;
    try {
        const QString select =
            QString(QStringLiteral("select IDLok from Lokacioni_i_zerit where default=-1 and Ajete=") +
                    kindValue(kind == Kind::Verses));
        if (m_log)
            m_log(select);
        const QVariant id = MerrVleren(select);
        int index = -1;
        if (id.typeId() != QMetaType::Bool)
            for (int i = 0; i < list->ListCount() && index < 0; ++i)
                if (list->ItemData(i) == id.toLongLong())
                    index = i;
        list->selectQuietly(index);
    } catch (const platform::DbError&) {
        // The list keeps what the reader chose; the message already said it was not saved.
    }
}

} // namespace audio

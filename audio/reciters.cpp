#include "audio/reciters.h"

#include "app/module1.h"
#include "data/queryhelpers.h"
#include "platform/database.h"
#include "platform/handler.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"

namespace audio {

namespace {
int ajete(ReciterKind kind) {
    return kind == ReciterKind::Verses ? -1 : 0;
}
} // namespace

QString reciterListStatement(ReciterKind kind) {
    return QStringLiteral("SELECT IDLok, Lexuesi FROM Lokacioni_i_zerit WHERE Ajete = %1 ORDER BY Lexuesi")
        .arg(ajete(kind));
}

QVariant defaultReciter(ReciterKind kind, const QString& column) {
    return MerrVleren(QStringLiteral("SELECT %1 FROM Lokacioni_i_zerit WHERE [Default] = -1 AND Ajete = ?").arg(column),
                      {ajete(kind)});
}

ReciterChoice::ReciterChoice(platform::ComboBox* CmbLexuesAjete, platform::ComboBox* CmbLexuesSure, QObject* parent)
    : QObject(parent), m_cmbAjete(CmbLexuesAjete), m_cmbSure(CmbLexuesSure) {}

void ReciterChoice::CmbLexuesAjete_Click() {
    if (Module1::blnMosRuajLexuesinAjeteve)
        return;
    platform::guarded([this] { choose(ReciterKind::Verses); });
}

void ReciterChoice::CmbLexuesSure_Click() {
    if (Module1::blnMosRuajLexuesinSureve)
        return;
    platform::guarded([this] { choose(ReciterKind::Surahs); });
}

void ReciterChoice::choose(ReciterKind kind) {
    platform::ComboBox* chosen = list(kind);
    QString& folder = kind == ReciterKind::Verses ? Module1::strLokacioniAjeteve : Module1::strLokacioniSureve;

    // The old mark is cleared and the new one set together: if either fails, neither is kept.
    try {
        Module1::cnLidhja.transaction([&] {
            Module1::cnLidhja.exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = 0 WHERE Ajete = ?"),
                                   {ajete(kind)});
            if (chosen->ListIndex() >= 0)
                Module1::cnLidhja.exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = -1 WHERE IDLok = ?"),
                                       {chosen->ItemData(chosen->ListIndex())});
        });
    } catch (const platform::DbError& e) {
        platform::MsgBox(QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: ") + platform::albanianCause(e),
                         platform::Buttons::OK, QString(), platform::Icon::Warning);
        showMarkedReciter(kind);
        return;
    }
    if (chosen->ListIndex() >= 0)
        folder = vbText(defaultReciter(kind, QStringLiteral("Lokacioni")));
}

// After a choice that was not saved, the list shows again the reciter the database still marks.
void ReciterChoice::showMarkedReciter(ReciterKind kind) {
    platform::ComboBox* shown = list(kind);
    try {
        const QVariant id = defaultReciter(kind, QStringLiteral("IDLok"));
        int index = -1;
        if (id.typeId() != QMetaType::Bool)
            for (int i = 0; i < shown->ListCount() && index < 0; ++i)
                if (shown->ItemData(i) == id.toLongLong())
                    index = i;
        shown->selectQuietly(index);
    } catch (const platform::DbError&) {
        // The list keeps what the reader chose; the message already said it was not saved.
    }
}

} // namespace audio

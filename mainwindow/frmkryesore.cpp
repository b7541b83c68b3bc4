#include "mainwindow/frmkryesore.h"

#include "data/queryhelpers.h"

#include <QVBoxLayout>

namespace {

template <typename T>
T* named(T* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

frmKryesore::frmKryesore(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmKryesore"));
    setWindowTitle(QStringLiteral("Lib'rezi Drites"));

    CmbNrSure = named(new platform::ComboBox(this), "CmbNrSure");
    CmbEmrSure = named(new platform::ComboBox(this), "CmbEmrSure");
    CmbEmrSure->setSorted(true);
    CmbNrAjeti = named(new platform::ComboBox(this), "CmbNrAjeti");
    CmbTotalAjete = named(new platform::ComboBox(this), "CmbTotalAjete");
    CmbLexuesAjete = named(new platform::ComboBox(this, false), "CmbLexuesAjete");
    CmbLexuesSure = named(new platform::ComboBox(this, false), "CmbLexuesSure");
    LblKeshilla = named(new QLabel(QStringLiteral("..."), this), "LblKeshilla");
    LblKeshilla->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(CmbNrSure), static_cast<QWidget*>(CmbEmrSure),
                       static_cast<QWidget*>(CmbNrAjeti), static_cast<QWidget*>(CmbTotalAjete),
                       static_cast<QWidget*>(CmbLexuesAjete), static_cast<QWidget*>(CmbLexuesSure),
                       static_cast<QWidget*>(LblKeshilla)})
        layout->addWidget(w);
    layout->addStretch();
    resize(1000, 700);

    Form_Load();
}

void frmKryesore::Form_Load() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1C, 0x1F, 0x28));
    setPalette(pal);

    MbusheListen(QStringLiteral("Select IDSureja from Suret order by IDSureja"), QStringLiteral("IDSureja"),
                 QStringLiteral("IDSureja"), CmbNrSure);
    MbusheListen(QStringLiteral("Select * from SuretMeTotalAjete"), QStringLiteral("FirstOfIDSureja"),
                 QStringLiteral("NrAjete"), CmbTotalAjete);
    MbusheListen(QStringLiteral("Select IDSureja,Emri from Suret order by Emri"), QStringLiteral("IDSureja"),
                 QStringLiteral("Emri"), CmbEmrSure);
    MbusheListen(QStringLiteral("select * from Lokacioni_i_zerit where Ajete=-1 order by Lexuesi"),
                 QStringLiteral("IDLok"), QStringLiteral("Lexuesi"), CmbLexuesAjete);
    ZgjidhSipasTekstit(CmbLexuesAjete,
                       vbText(MerrVleren(QStringLiteral(
                           "Select Lexuesi from Lokacioni_i_zerit where Default=-1 and Ajete=-1"))));
    MbusheListen(QStringLiteral("select * from Lokacioni_i_zerit where Ajete=0 order by Lexuesi"),
                 QStringLiteral("IDLok"), QStringLiteral("Lexuesi"), CmbLexuesSure);
    ZgjidhSipasTekstit(CmbLexuesSure,
                       vbText(MerrVleren(QStringLiteral(
                           "Select Lexuesi from Lokacioni_i_zerit where Default=-1 and Ajete=0"))));
    const QVariant tip = MerrRastesisht(QStringLiteral("Select Keshilla from Keshilla"));
    if (tip.typeId() != QMetaType::Bool) // an empty table leaves the "..." in place
        LblKeshilla->setText(vbText(tip));
    CmbNrSure->setText(QStringLiteral("1"));
    CmbEmrSure->setText(QStringLiteral("Fatiha"));
    CmbNrAjeti->setText(QStringLiteral("1"));
    CmbTotalAjete->setText(QStringLiteral("7"));
}

#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace platform {
class ComboBox;
}

namespace audio {

// The reciter lists of the main window. Choosing a reciter marks it the default of its kind in the
// database and makes its folder the one recitations are played from (Module1::strLokacioniAjeteve,
// Module1::strLokacioniSureve). Selections made by the program itself while the guard flags are up
// write nothing.
class ReciterChoice : public QObject {
    Q_OBJECT
public:
    ReciterChoice(platform::ComboBox* CmbLexuesAjete, platform::ComboBox* CmbLexuesSure, QObject* parent = nullptr);

    void CmbLexuesAjete_Click();
    void CmbLexuesSure_Click();

    // Receives every statement this object runs on the shared connection, before it runs.
    void setStatementLog(std::function<void(const QString&)> log) { m_log = std::move(log); }

private:
    enum class Kind { Verses, Surahs };
    void choose(Kind kind);
    void execute(const QString& statement);
    void showMarkedReciter(Kind kind);

    platform::ComboBox* m_cmbAjete;
    platform::ComboBox* m_cmbSure;
    std::function<void(const QString&)> m_log;
};

} // namespace audio

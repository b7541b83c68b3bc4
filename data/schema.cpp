// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/schema.h"

namespace schema {

QStringList createStatements() {
    return {
        QStringLiteral("CREATE TABLE Suret (IDSureja INTEGER PRIMARY KEY, Emri TEXT NOT NULL, "
                       "NrAjete INTEGER NOT NULL, Vendi TEXT NOT NULL)"),
        // Kerkimi: the translation folded for the loose search (letter case, apostrophes, ë as e, ç as c).
        QStringLiteral("CREATE TABLE librezi (NrSure INTEGER NOT NULL, NrAjet INTEGER NOT NULL, "
                       "Perkthimi TEXT NOT NULL, Kerkimi TEXT NOT NULL DEFAULT '', PRIMARY KEY (NrSure, NrAjet))"),
        QStringLiteral("CREATE VIEW SuretMeTotalAjete AS SELECT MIN(IDSureja) AS FirstOfIDSureja, NrAjete "
                       "FROM Suret GROUP BY NrAjete ORDER BY NrAjete"),
        // The thematic classification: chapters, their themes, and each theme's verse groups.
        QStringLiteral("CREATE TABLE Kreret (NrKreu INTEGER PRIMARY KEY, Kreu TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE Temat (NrTema INTEGER PRIMARY KEY, Tema TEXT NOT NULL UNIQUE, "
                       "NrKreu INTEGER NOT NULL REFERENCES Kreret(NrKreu))"),
        QStringLiteral("CREATE TABLE klasifikim (ID INTEGER PRIMARY KEY, tema TEXT NOT NULL, nrsure INTEGER NOT NULL, "
                       "emrsure TEXT NOT NULL, ajetet TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX klasifikim_tema ON klasifikim(tema)"),
        QStringLiteral("CREATE VIEW VetemTemat AS SELECT NrTema, Tema FROM Temat ORDER BY NrTema"),
        QStringLiteral("CREATE VIEW KreuMeTema AS SELECT k.NrKreu AS NrKreu, k.Kreu AS Kreu, t.NrTema AS NrTema, "
                       "t.Tema AS Tema FROM Kreret k JOIN Temat t ON t.NrKreu = k.NrKreu ORDER BY k.NrKreu, t.NrTema"),
        QStringLiteral("CREATE TABLE Lokacioni_i_zerit (IDLok INTEGER PRIMARY KEY, Lexuesi TEXT NOT NULL, "
                       "Lokacioni TEXT NOT NULL, Ajete INTEGER NOT NULL, [Default] INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TABLE Keshilla (ID INTEGER PRIMARY KEY, Keshilla TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE Te_dhenat (Celesi TEXT PRIMARY KEY, Vlera TEXT NOT NULL)"),
    };
}

} // namespace schema

#pragma once

#include <QString>

namespace platform {

// Turns a statement written the way the program composes it into one SQLite runs as meant:
//  - "text" literals become 'text' literals (the text is data, never SQL);
//  - a bare `default` column becomes [default];
//  - a number glued to a keyword (`12And`) is split into `12 And`;
//  - in an UPDATE's SET list, a column qualified by its table (`T.[col] =`) loses the qualifier.
// The statement is tokenised; text inside literals and brackets is never touched.
QString normaliseSql(const QString& statement);

} // namespace platform

// The statement normaliser every statement passes through before SQLite sees it.
#include "fuzzsupport.h"
#include "platform/sqldialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString in = fuzzsupport::text(data, size);
    (void)platform::normaliseSql(in);

    // Whatever a reader types between double quotes stays data: one literal, its apostrophes doubled.
    QString typed = in;
    typed.remove(u'"');
    const QString statement =
        QStringLiteral("select * from Librezi where Perkthimi like \"%") + typed + QStringLiteral("%\" and NrSure=1");
    QString literal = typed;
    literal.replace(u'\'', QStringLiteral("''"));
    const QString expected =
        QStringLiteral("select * from Librezi where Perkthimi like '%") + literal + QStringLiteral("%' and NrSure=1");
    fuzzsupport::require(platform::normaliseSql(statement) == expected, "typed text stays one literal");
    return 0;
}

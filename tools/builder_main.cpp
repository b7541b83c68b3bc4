// librezi-builder: writes librezi.db and LIB'REZI.rtf from the facts and, when given, a translation
// and a thematic classification; with --add-reciter, adds a reciter to an existing database.

#include "tools/databuilder.h"

#include <QString>

#include <cstdio>

namespace {

const char* const kHelp = "Përdorimi: librezi-builder --facts DOSJA --out DOSJA [--translation SKEDARI]\n"
                          "                          [--classification SKEDARI]\n"
                          "          librezi-builder --add-reciter --db SKEDARI --name EMRI --folder DOSJA\n"
                          "                          --kind ajete|sure [--default]\n"
                          "\n"
                          "Shkruan bazën e të dhënave librezi.db dhe tekstin e plotë LIB'REZI.rtf të Lib'rezi Drites.\n"
                          "\n"
                          "  --facts DOSJA          dosja e fakteve: suret.tsv (suret dhe ajetet e tyre),\n"
                          "                         keshilla.txt (një këshillë në rresht), xhuzet.tsv, sexhdet.tsv\n"
                          "                         dhe mukataat.tsv (për klasifikimin sipas temave)\n"
                          "  --out DOSJA            dosja ku shkruhen librezi.db dhe LIB'REZI.rtf\n"
                          "  --translation SKEDARI  përkthimi, një ajet në rresht në formën sure|ajet|tekst (UTF-8);\n"
                          "                         pa të, çdo ajet mban një shënim se përkthimi nuk është importuar\n"
                          "  --classification SKEDARI\n"
                          "                         klasifikimi juaj sipas temave, në vend të atij që ndërtohet nga\n"
                          "                         faktet (xhuzet, sexhdet, shkronjat e ndara, vendi i shpalljes):\n"
                          "                         UTF-8, një grup ajetesh në rresht, gjashtë fusha të ndara me TAB:\n"
                          "                         numri i kreut, kreu, numri i temës, tema, sureja, ajetet\n"
                          "                         (p.sh. 1-7 ose 3,5-9); rreshtat që nisin me # dhe ata bosh\n"
                          "                         kapërcehen; rreshtat e një kreu vijnë njëri pas tjetrit\n"
                          "  --help                 shfaq këtë ndihmë\n"
                          "\n"
                          "Skedarët e vjetër zëvendësohen vetëm kur të rinjtë janë shkruar plotësisht; një përkthim\n"
                          "që nuk pranohet (me ajete që mungojnë, të përsëritura ose jashtë kufijve, rreshta të\n"
                          "gabuar ose UTF-8 të pavlefshëm) ose një klasifikim që nuk pranohet (sure ose ajete që\n"
                          "nuk ekzistojnë, lista ajetesh të gabuara, numra ose tituj temash që përplasen, një kre\n"
                          "që rikthehet) i lë ata siç ishin.\n"
                          "\n"
                          "Me --add-reciter shton një lexues në një bazë të dhënash që ekziston:\n"
                          "  --db SKEDARI           baza e të dhënave (librezi.db)\n"
                          "  --name EMRI            emri i lexuesit, siç shfaqet në listë (jo bosh)\n"
                          "  --folder DOSJA         dosja e skedarëve të tij; një dosje relative merret nga dosja\n"
                          "                         e bazës (dosja e programit); duhet të ekzistojë\n"
                          "  --kind ajete|sure      lexues ajetesh (skedarë SSSAAA.mp3) ose suresh (SSS.mp3)\n"
                          "  --default              e bën atë të vetmin lexues të parazgjedhur të llojit të vet\n";

void printError(const QString& message) {
    std::fputs(QString(message + u'\n').toLocal8Bit().constData(), stderr);
}

int addReciter(int argc, char* argv[]) {
    databuilder::ReciterOptions options;
    QString kind;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--add-reciter")
            continue;
        if (arg == u"--default") {
            options.makeDefault = true;
            continue;
        }
        QString* into = arg == u"--db"       ? &options.database
                        : arg == u"--name"   ? &options.name
                        : arg == u"--folder" ? &options.folder
                        : arg == u"--kind"   ? &kind
                                             : nullptr;
        if (!into) {
            printError(QStringLiteral("Argument i panjohur: %1. Shihni librezi-builder --help.").arg(arg));
            return 2;
        }
        if (i + 1 >= argc) {
            printError(QStringLiteral("Argumenti %1 kërkon një vlerë. Shihni librezi-builder --help.").arg(arg));
            return 2;
        }
        *into = QString::fromLocal8Bit(argv[++i]);
    }
    if (options.database.isEmpty() || kind.isEmpty()) {
        printError(QStringLiteral("Duhen --db, --name, --folder dhe --kind. Shihni librezi-builder --help."));
        return 2;
    }
    if (kind != u"ajete" && kind != u"sure") {
        printError(QStringLiteral("--kind pranon vetëm ajete ose sure, jo %1.").arg(kind));
        return 2;
    }
    options.verses = kind == u"ajete";
    try {
        const int id = databuilder::addReciter(options);
        std::fputs(QStringLiteral("U shtua lexuesi %1 (IDLok %2).\n")
                       .arg(options.name.trimmed())
                       .arg(id)
                       .toLocal8Bit()
                       .constData(),
                   stdout);
    } catch (const databuilder::BuildError& e) {
        printError(e.message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--add-reciter")
            return addReciter(argc, argv);
    }

    databuilder::Options options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        QString* into = arg == u"--facts"         ? &options.factsFolder
                        : arg == u"--out"         ? &options.outFolder
                        : arg == u"--translation" ? &options.translationFile
                        : arg == u"--classification" ? &options.classificationFile
                                                  : nullptr;
        if (!into) {
            printError(QStringLiteral("Argument i panjohur: %1. Shihni librezi-builder --help.").arg(arg));
            return 2;
        }
        if (i + 1 >= argc || QString::fromLocal8Bit(argv[i + 1]).isEmpty()) {
            printError(QStringLiteral("Argumenti %1 kërkon një vlerë. Shihni librezi-builder --help.").arg(arg));
            return 2;
        }
        *into = QString::fromLocal8Bit(argv[++i]);
    }
    if (options.factsFolder.isEmpty() || options.outFolder.isEmpty()) {
        printError(QStringLiteral("Duhen --facts dhe --out. Shihni librezi-builder --help."));
        return 2;
    }

    try {
        databuilder::build(options);
    } catch (const databuilder::BuildError& e) {
        printError(e.message());
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// librezi-builder: writes librezi.db and LIB'REZI.rtf from the facts and, when given, a translation
// and a thematic classification; with --add-reciter, adds a reciter to an existing database.

#include "app/paths.h"
#include "tools/databuilder.h"
#include "tools/facts.h"
#include "tools/parallel.h"
#include "tools/textinput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>

namespace {

const char* const kHelp =
    "Përdorimi: librezi-builder --user [--translation SKEDARI] [--classification SKEDARI]\n"
    "          librezi-builder --add-reciter --user --name EMRI --folder DOSJA --kind ajete|sure [--default]\n"
    "          librezi-builder [--facts DOSJA] --out DOSJA [--translation SKEDARI] [--classification SKEDARI]\n"
    "          librezi-builder --add-reciter --db SKEDARI --name EMRI --folder DOSJA --kind ajete|sure\n"
    "                          [--default]\n"
    "          librezi-builder --parallel SKEDARI [--language KODI] [--store SKEDARI] [--facts DOSJA]\n"
    "\n"
    "Shkruan bazën e të dhënave librezi.db dhe tekstin e plotë LIB'REZI.rtf të Lib'rezi Drites.\n"
    "\n"
    "Me programin e instaluar (paketa .deb), dosja e programit nuk mund të ndryshohet: Lib'rezi Drites\n"
    "mban për çdo përdorues një kopje të bazës në ~/.local/share/librezi ($XDG_DATA_HOME/librezi).\n"
    "Me --user, librezi-builder shkruan aty, dhe programi i merr që në nisjen e ardhshme:\n"
    "\n"
    "  Importimi i një përkthimi:\n"
    "    librezi-builder --user --translation ~/sq.txt\n"
    "  Importimi i një klasifikimi sipas temave (përkthimi që keni mbetet):\n"
    "    librezi-builder --user --classification ~/temat.tsv\n"
    "  Shtimi i një dosjeje me leximet e një lexuesi:\n"
    "    librezi-builder --add-reciter --user --name \"Emri\" --folder ~/Muzika/lexuesi --kind ajete --default\n"
    "\n"
    "Lexuesit e shtuar dhe lexuesi i zgjedhur ruhen kur importohet më pas një përkthim ose klasifikim.\n"
    "\n"
    "  --user                 shkruan në dosjen e të dhënave të përdoruesit (në vend të --out ose --db);\n"
    "                         kopja e bazës bëhet nga dosja e programit kur ende nuk ekziston\n"
    "  --facts DOSJA          dosja e fakteve: suret.tsv (suret dhe ajetet e tyre),\n"
    "                         keshilla.txt (një këshillë në rresht), xhuzet.tsv, sexhdet.tsv\n"
    "                         dhe mukataat.tsv (për klasifikimin sipas temave); pa të merren\n"
    "                         faktet e instaluara bashkë me programin (dosja facts)\n"
    "  --out DOSJA            dosja ku shkruhen librezi.db dhe LIB'REZI.rtf\n"
    "  --translation SKEDARI  përkthimi, një ajet në rresht në formën sure|ajet|tekst (UTF-8 ose\n"
    "                         UTF-16 me BOM), ose XML-ja e Tanzil-it; pa të, me --user mbetet\n"
    "                         përkthimi që keni, ndërsa me --out çdo ajet mban një shënim se\n"
    "                         përkthimi nuk është importuar\n"
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
    "që nuk pranohet (me ajete që mungojnë, të përsëritura ose jashtë kufijve, një ajet mbi\n"
    "64 KB, asnjë ajet me tekst, rreshta të gabuar, UTF-8 të pavlefshëm ose një XML që nuk\n"
    "lexohet a nuk është në kodimin që deklaron) ose një klasifikim që nuk pranohet (sure ose\n"
    "ajete që nuk ekzistojnë, lista ajetesh të gabuara, numra ose tituj temash që përplasen,\n"
    "një kre që rikthehet) i lë ata siç ishin.\n"
    "\n"
    "Me --add-reciter shton një lexues në një bazë të dhënash që ekziston:\n"
    "  --db SKEDARI           baza e të dhënave (librezi.db); ose --user për kopjen e përdoruesit\n"
    "  --name EMRI            emri i lexuesit, siç shfaqet në listë (jo bosh)\n"
    "  --folder DOSJA         dosja e skedarëve të tij; një dosje relative merret nga dosja\n"
    "                         e bazës (me --user edhe nga dosja e programit); duhet të ekzistojë\n"
    "  --kind ajete|sure      lexues ajetesh (skedarë SSSAAA.mp3) ose suresh (SSS.mp3)\n"
    "  --default              e bën atë të vetmin lexues të parazgjedhur të llojit të vet\n"
    "\n"
    "Me --parallel importon një tekst që lexohet pranë përkthimit: tekstin arab ose një përkthim tjetër\n"
    "(në të njëjtat forma si --translation), me emrin, burimin dhe shënimin që sjell skedari:\n"
    "  --language KODI        gjuha e tekstit (ar për tekstin arab, që njihet vetë; sq pa të)\n"
    "  --store SKEDARI        ku ruhen tekstet (pa të: tekstet.db në dosjen e të dhënave të\n"
    "                         përdoruesit); një tekst me të njëjtin emër zëvendësohet\n";

void printError(const QString& message) {
    std::fputs(QString(message + u'\n').toLocal8Bit().constData(), stderr);
}

// The facts installed beside the builder (the program folder), or "" when there are none.
QString installedFacts() {
    const QString folder = Module1::programFolder() + QStringLiteral("/facts");
    return QFileInfo(folder + QStringLiteral("/suret.tsv")).isFile() ? folder : QString();
}

int addReciter(int argc, char* argv[]) {
    databuilder::ReciterOptions options;
    QString kind;
    bool user = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--add-reciter")
            continue;
        if (arg == u"--user") {
            user = true;
            continue;
        }
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
    if (user && !options.database.isEmpty()) {
        printError(QStringLiteral("Jepni ose --user ose --db, jo të dyja. Shihni librezi-builder --help."));
        return 2;
    }
    if ((options.database.isEmpty() && !user) || kind.isEmpty()) {
        printError(
            QStringLiteral("Duhen --db (ose --user), --name, --folder dhe --kind. Shihni librezi-builder --help."));
        return 2;
    }
    if (kind != u"ajete" && kind != u"sure") {
        printError(QStringLiteral("--kind pranon vetëm ajete ose sure, jo %1.").arg(kind));
        return 2;
    }
    options.verses = kind == u"ajete";
    if (user) {
        try {
            Module1::ensureUserDatabase();
        } catch (const Module1::StartupError& e) {
            printError(QStringLiteral("Kopja e bazës për përdoruesin nuk u bë (%1): %2")
                           .arg(QDir::toNativeSeparators(e.file), e.cause + (e.cause.contains(u'\n') ? "" : ".")));
            return 1;
        }
        options.database = Module1::userDataFolder() + QStringLiteral("/librezi.db");
        options.otherBase = Module1::programFolder();
    }
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

// Reads the value of the option `arg` at argv[i] into `into` (i moves past it); false, said, for an option the
// builder does not know (`into` null) or one without a value.
bool takeValue(int argc, char* argv[], int& i, const QString& arg, QString* into) {
    if (!into) {
        printError(QStringLiteral("Argument i panjohur: %1. Shihni librezi-builder --help.").arg(arg));
        return false;
    }
    if (i + 1 >= argc || QString::fromLocal8Bit(argv[i + 1]).isEmpty()) {
        printError(QStringLiteral("Argumenti %1 kërkon një vlerë. Shihni librezi-builder --help.").arg(arg));
        return false;
    }
    *into = QString::fromLocal8Bit(argv[++i]);
    return true;
}

// Imports a text read beside the translation into the store: the Arabic text (known by its letters) or another
// translation.
int importParallelText(int argc, char* argv[]) {
    QString file, language, store, facts;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        QString* into = arg == u"--parallel"   ? &file
                        : arg == u"--language" ? &language
                        : arg == u"--store"    ? &store
                        : arg == u"--facts"    ? &facts
                                               : nullptr;
        if (!takeValue(argc, argv, i, arg, into))
            return 2;
    }
    try {
        if (facts.isEmpty())
            facts = installedFacts();
        const QByteArray content = databuilder::readWholeFile(file);
        const databuilder::TextKind kind = databuilder::kindOf(content);
        if (language.isEmpty())
            language = databuilder::languageOf(kind);
        const databuilder::ParallelText t =
            databuilder::importParallel(store.isEmpty() ? Module1::parallelTextsPath() : store, file, content, kind,
                                        language, databuilder::readSurahs(facts));
        std::fputs(QStringLiteral("U importua „%1” (%2).\n")
                       .arg(t.name, kind == databuilder::TextKind::Arabic ? QStringLiteral("teksti arab")
                                                                          : QStringLiteral("përkthim, ") + language)
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
    QCoreApplication app(argc, argv); // the program folder is the folder of this executable
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--add-reciter")
            return addReciter(argc, argv);
        if (arg == "--parallel")
            return importParallelText(argc, argv);
    }

    databuilder::Options options;
    bool user = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--user") {
            user = true;
            continue;
        }
        QString* into = arg == u"--facts"            ? &options.factsFolder
                        : arg == u"--out"            ? &options.outFolder
                        : arg == u"--translation"    ? &options.translationFile
                        : arg == u"--classification" ? &options.classificationFile
                                                     : nullptr;
        if (!takeValue(argc, argv, i, arg, into))
            return 2;
    }
    if (user && !options.outFolder.isEmpty()) {
        printError(QStringLiteral("Jepni ose --user ose --out, jo të dyja. Shihni librezi-builder --help."));
        return 2;
    }
    if (user) {
        options.outFolder = Module1::userDataFolder();
        // Without a translation the reader's stays: the one of their copy, or the one they read from the
        // program folder while they have no copy yet.
        for (const QString& database : QStringList{options.outFolder + QStringLiteral("/librezi.db"),
                                                   Module1::programFolder() + QStringLiteral("/librezi.db")})
            if (options.keptTranslation.isEmpty() && QFileInfo(database).isFile())
                options.keptTranslation = database;
    }
    if (options.factsFolder.isEmpty())
        options.factsFolder = installedFacts();
    if (options.factsFolder.isEmpty() || options.outFolder.isEmpty()) {
        printError(QStringLiteral("Duhen --facts (pa faktet e instaluara) dhe --out (ose --user). "
                                  "Shihni librezi-builder --help."));
        return 2;
    }

    try {
        const QString note = databuilder::build(options);
        if (!note.isEmpty())
            std::fputs(QString(note + u'\n').toLocal8Bit().constData(), stdout);
    } catch (const databuilder::BuildError& e) {
        printError(e.message());
        return 1;
    }
    return 0;
}

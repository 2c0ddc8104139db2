#include "output/listcommand.h"

#include "document/textfile.h"
#include "output/wordlistfile.h"
#include "platform/nativepath.h"
#include "platform/outputtarget.h"
#include "shell/programversion.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

#include <QIODevice>
#include <QString>

#include <new>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr auto usageLines = u"Usage : lexalon-liste [--frequences] [-o SORTIE] FICHIER\n"
                           u"« lexalon-liste --help » en dit plus.\n";

constexpr auto helpText =
    u"Usage : lexalon-liste [--frequences] [-o SORTIE] FICHIER\n"
    u"\n"
    u"Écrit la liste des formes du texte FICHIER avec leur nombre d'attestations,\n"
    u"octet pour octet comme Lexalon l'enregistre : la ligne d'en-tête « Formes »,\n"
    u"tabulation, « Nombre d'attestations », puis une ligne par forme (la forme,\n"
    u"une tabulation, le nombre), en Windows-1252, fins de ligne CR LF.\n"
    u"La liste est en ordre alphabétique, sauf avec --frequences.\n"
    u"\n"
    u"Le texte est lu en Windows-1252, un caractère par octet ; en UTF-8 s'il\n"
    u"commence par la marque d'ordre des octets ou s'il est de l'UTF-8 valide\n"
    u"contenant des caractères accentués ; en UTF-16 s'il commence par sa marque\n"
    u"d'ordre des octets. Seul un fichier ordinaire est lu.\n"
    u"\n"
    u"Options :\n"
    u"  --frequences  trie la liste par fréquences décroissantes\n"
    u"  -o SORTIE     écrit la liste dans le fichier SORTIE au lieu de la sortie\n"
    u"                standard ; un fichier existant n'est remplacé qu'une fois\n"
    u"                la nouvelle liste écrite en entier ; un périphérique ou un\n"
    u"                tube nommé lu par un programme est écrit tel quel\n"
    u"  -h, --help    affiche cette aide\n"
    u"  --version     affiche la version du programme\n"
    u"\n"
    u"Statut de sortie : 0 en cas de succès, 2 en cas d'erreur (usage incorrect,\n"
    u"fichier illisible, mémoire insuffisante, liste impossible à écrire) ; rien\n"
    u"n'est alors écrit.\n";

struct ListOptions
{
    QString input;
    QString output; // standard output when empty
    bool frequencies = false;
    bool help = false;
    bool version = false;
    QString usageError;
};

ListOptions parseArguments(const QStringList &arguments)
{
    ListOptions options;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            files.append(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"-h" || argument == u"--help") {
            options.help = true;
        } else if (argument == u"--version") {
            options.version = true;
        } else if (argument == u"--frequences") {
            options.frequencies = true;
        } else if (argument == u"-o") {
            if (i + 1 == arguments.size() || arguments.at(i + 1).isEmpty()) {
                options.usageError = u"l'option -o demande le nom du fichier de sortie."_s;
                return options;
            }
            if (!options.output.isEmpty()) {
                options.usageError = u"l'option -o ne peut être donnée qu'une fois."_s;
                return options;
            }
            options.output = arguments.at(++i);
        } else {
            options.usageError = u"option inconnue « %1 »."_s.arg(argument);
            return options;
        }
    }
    if (options.help || options.version)
        return options;
    if (files.isEmpty())
        options.usageError = u"aucun fichier à lire."_s;
    else if (files.size() > 1)
        options.usageError = u"un seul fichier à la fois."_s;
    else
        options.input = files.constFirst();
    return options;
}

void report(QIODevice &err, const QString &message)
{
    // A name that is not UTF-8 is shown in its own bytes.
    err.write(nativePath(u"lexalon-liste : "_s + message + u'\n'));
}

QString quoted(const QString &path)
{
    return u"« "_s + path + u" »"_s;
}

QString readProblem(const QString &path, const TextFileContent &content)
{
    switch (content.status) {
    case TextFileContent::Status::OpenFailed:
        return u"impossible d'ouvrir %1 : %2"_s.arg(quoted(path), content.errorString);
    case TextFileContent::Status::TooLarge:
        return u"mémoire insuffisante : le texte %1 ne peut pas être lu."_s.arg(quoted(path));
    case TextFileContent::Status::ReadFailed:
    case TextFileContent::Status::Ok:
        break;
    }
    return u"impossible de lire %1 : %2"_s.arg(quoted(path), content.errorString);
}

// The text is given back once its forms are read, and the token list once
// the word list is built. Returns why there is no list, or nothing.
QString buildWordList(const QString &path, WordList &list)
{
    TokenList tokens;
    {
        const TextFileContent content = readTextFile(path);
        if (!content.ok())
            return readProblem(path, content);
        collectForms(content.text, tokens);
    }
    list = listForms(tokens);
    return {};
}

QString writeWordList(const WordList &list, const QString &outputPath, QIODevice &out)
{
    if (!outputPath.isEmpty()) {
        const WriteOutcome outcome = writeWordListFile(list, outputPath);
        if (!outcome.ok)
            return u"impossible d'écrire %1 : %2"_s.arg(quoted(outputPath), outcome.errorString);
        return {};
    }
    if (!writeWordList(list, out))
        return u"impossible d'écrire sur la sortie standard : %1"_s.arg(out.errorString());
    return {};
}

// Returns why the list was not written, or nothing. Throws std::bad_alloc
// when memory runs out: an output file is then left as it was, while the
// standard output may already hold the start of the list.
QString listText(const ListOptions &options, QIODevice &out)
{
    WordList list;
    if (QString problem = buildWordList(options.input, list); !problem.isEmpty())
        return problem;
    if (options.frequencies)
        list.sort(WordList::Order::DecreasingFrequency);
    return writeWordList(list, options.output, out);
}

} // namespace

int runListCommand(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    const ListOptions options = parseArguments(arguments);
    if (!options.usageError.isEmpty()) {
        report(err, options.usageError);
        err.write(QString::fromUtf16(usageLines).toLocal8Bit());
        return listFailed;
    }
    if (options.help) {
        out.write(QString::fromUtf16(helpText).toLocal8Bit());
        return listSucceeded;
    }
    if (options.version) {
        out.write(u"lexalon-liste %1\n"_s.arg(programVersion()).toLocal8Bit());
        return listSucceeded;
    }
    // Written over its own text, the list would destroy it.
    if (!options.output.isEmpty() && isSameFile(options.input, options.output)) {
        report(err, u"%1 est le texte lu : la liste ne peut pas le remplacer."_s.arg(quoted(options.output)));
        return listFailed;
    }
    QString problem;
    try {
        problem = listText(options, out);
    } catch (const std::bad_alloc &) {
        problem = u"mémoire insuffisante : la liste de %1 ne peut pas être établie."_s.arg(quoted(options.input));
    }
    if (!problem.isEmpty()) {
        report(err, problem);
        return listFailed;
    }
    return listSucceeded;
}

} // namespace lexalon

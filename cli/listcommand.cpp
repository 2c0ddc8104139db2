// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/listcommand.h"

#include "cli/filelisting.h"
#include "formats/concordancefile.h"
#include "formats/measuresfile.h"
#include "formats/readproblem.h"
#include "formats/lafonscoresfile.h"
#include "formats/stoplistfile.h"
#include "formats/wordlistfile.h"
#include "platform/files/nativepath.h"
#include "platform/files/outputtarget.h"
#include "platform/files/systemerror.h"
#include "shell/programversion.h"
#include "text/textfile.h"
#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/formmatcher.h"
#include "wordforms/corpus.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/listselection.h"
#include "wordforms/lafonscores.h"
#include "wordforms/lafonscore.h"
#include "wordforms/stoplist.h"
#include "wordforms/textstudy.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// U+2400 and on: the pictures of the C0 controls, ␉ for a tab.
constexpr char16_t controlPictures = 0x2400;

constexpr auto usageLines = u"Usage : lexalon-liste [--frequences] [--par-fichier] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] FICHIER...\n"
                           u"        lexalon-liste --fusionner [--frequences] [--par-fichier] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] LISTE...\n"
                           u"        lexalon-liste --concordance FORME [--contexte N] [--tri ORDRE] [--puis ORDRE] [FILTRE...] [-o SORTIE] FICHIER...\n"
                           u"        lexalon-liste --statistiques [-o SORTIE] FICHIER\n"
                           u"        lexalon-liste --specificites [--reference LISTE] [--banales-exclues [--seuil S]] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] FICHIER...\n"
                           u"FILTRE : --filtre MOTIF | --regex EXPRESSION | --frequence-minimale N | --exclure LISTE | --exclure-mots-outils\n"
                           u"« lexalon-liste --help » en dit plus.\n";

constexpr auto helpText =
    u"Usage : lexalon-liste [--frequences] [--par-fichier] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] FICHIER...\n"
    u"        lexalon-liste --fusionner [--frequences] [--par-fichier] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] LISTE...\n"
    u"        lexalon-liste --concordance FORME [--contexte N] [--tri ORDRE] [--puis ORDRE] [FILTRE...] [-o SORTIE] FICHIER...\n"
    u"        lexalon-liste --statistiques [-o SORTIE] FICHIER\n"
    u"        lexalon-liste --specificites [--reference LISTE] [--banales-exclues [--seuil S]] [--ignorer-erreurs] [FILTRE...] [-o SORTIE] FICHIER...\n"
    u"FILTRE : --filtre MOTIF | --regex EXPRESSION | --frequence-minimale N | --exclure LISTE | --exclure-mots-outils\n"
    u"\n"
    u"Écrit la liste des formes du texte FICHIER avec leur nombre d'attestations,\n"
    u"octet pour octet comme Lexalon l'enregistre : la ligne d'en-tête « Formes »,\n"
    u"tabulation, « Nombre d'attestations », puis une ligne par forme (la forme,\n"
    u"une tabulation, le nombre), en Windows-1252, fins de ligne CR LF.\n"
    u"La liste est en ordre alphabétique, sauf avec --frequences.\n"
    u"\n"
    u"De plusieurs fichiers, lus en parallèle, chacun avec son propre codage,\n"
    u"la liste est celle de leurs formes à tous, comme s'ils étaient mis bout\n"
    u"à bout avec un séparateur entre eux.\n"
    u"\n"
    u"Le texte est lu en Windows-1252, un caractère par octet ; en UTF-8 s'il\n"
    u"commence par la marque d'ordre des octets ou s'il est de l'UTF-8 valide\n"
    u"contenant des caractères accentués ; en UTF-16 s'il commence par sa marque\n"
    u"d'ordre des octets. Seul un fichier ordinaire est lu.\n"
    u"\n"
    u"Un fichier qui n'est pas nommé .txt et dont le contenu est un document\n"
    u"Word (.docx), OpenDocument (.odt), une page web, du XML (TEI ou autre),\n"
    u"un livre EPUB ou un PDF est lu comme son texte ; un autre type de fichier\n"
    u"(une image, un ancien document Word) est refusé.\n"
    u"\n"
    u"Options :\n"
    u"  --frequences  trie la liste par fréquences décroissantes\n"
    u"  --par-fichier ajoute après le total une colonne par fichier, nommée\n"
    u"                par le fichier dans la ligne d'en-tête ; si un nom ne\n"
    u"                s'écrit pas en Windows-1252, la liste est en UTF-8 avec\n"
    u"                la marque d'ordre des octets ; une tabulation, un retour\n"
    u"                chariot ou un saut de ligne dans un nom y est montré par\n"
    u"                \u2409, \u240D ou \u240A, et la liste est alors en UTF-8\n"
    u"  --fusionner   lit des listes enregistrées par Lexalon (avec ou sans\n"
    u"                colonnes par fichier, en Windows-1252 ou en UTF-8 avec la\n"
    u"                marque d'ordre des octets) et écrit leur somme au même\n"
    u"                format ; un nombre d'attestations a au plus 18 chiffres,\n"
    u"                et une somme plus grande est refusée\n"
    u"  --ignorer-erreurs\n"
    u"                écrit la liste des fichiers lisibles et signale les\n"
    u"                autres, au lieu de ne rien écrire\n"
    u"  --filtre MOTIF\n"
    u"                n'écrit que les formes qui commencent par MOTIF, sans\n"
    u"                tenir compte des majuscules ni des accents (« ete » garde\n"
    u"                été et étés, « coeur » cœur) ; avec * (des lettres\n"
    u"                quelconques) ou ? (une lettre), MOTIF couvre la forme\n"
    u"                entière (« *ment », « p?r* »)\n"
    u"  --regex EXPRESSION\n"
    u"                n'écrit que les formes où se trouve l'expression régulière\n"
    u"                EXPRESSION (celle de Perl), majuscules et minuscules\n"
    u"                confondues ; ^ et $ en marquent le début et la fin ; pas\n"
    u"                avec --filtre\n"
    u"  --frequence-minimale N\n"
    u"                n'écrit que les formes attestées au moins N fois en tout\n"
    u"  --exclure LISTE\n"
    u"                n'écrit pas les formes du fichier LISTE, une par ligne,\n"
    u"                lu comme un texte\n"
    u"  --exclure-mots-outils\n"
    u"                n'écrit pas les mots-outils du français (articles,\n"
    u"                prépositions, pronoms, conjonctions, formes d'être et\n"
    u"                d'avoir...), la liste d'exclusion de Lexalon\n"
    u"  --concordance FORME\n"
    u"                écrit, au lieu de la liste, la concordance de FORME comme\n"
    u"                Lexalon l'enregistre : une ligne d'en-tête, puis une ligne\n"
    u"                par attestation (son numéro dans l'ordre du texte, le\n"
    u"                contexte gauche, la forme telle que le texte l'écrit, le\n"
    u"                contexte droit, séparés par des tabulations), en UTF-8 avec\n"
    u"                la marque d'ordre des octets, fins de ligne CR LF ; FORME\n"
    u"                est mise en minuscules comme les formes de la liste, et une\n"
    u"                forme absente du texte ne donne que la ligne d'en-tête ;\n"
    u"                de plusieurs fichiers, les attestations sont numérotées\n"
    u"                fichier après fichier, et une colonne « Texte » après le\n"
    u"                numéro nomme le fichier comme --par-fichier ; avec * ou ?,\n"
    u"                FORME est un motif qui couvre des formes entières, sans\n"
    u"                égard aux majuscules ni aux accents, et la concordance est\n"
    u"                celle de toutes ces formes ; les filtres la restreignent\n"
    u"                aux formes qu'ils gardent\n"
    u"  --statistiques\n"
    u"                écrit, au lieu de la liste, les statistiques lexicales du\n"
    u"                texte comme Lexalon les enregistre : la ligne d'en-tête\n"
    u"                « Mesure », tabulation, « Valeur », puis une ligne par mesure,\n"
    u"                en Windows-1252, fins de ligne CR LF\n"
    u"  --specificites\n"
    u"                écrit, au lieu de la liste, les spécificités de chaque\n"
    u"                forme dans chaque fichier (modèle hypergéométrique de\n"
    u"                Lafon) comme Lexalon les enregistre : la ligne d'en-tête\n"
    u"                « Forme », « Total », puis pour chaque fichier son nom et\n"
    u"                « nom (spécificité) » ; une ligne par forme, en ordre\n"
    u"                alphabétique : la forme, son total, puis pour chaque\n"
    u"                fichier son nombre d'attestations et sa spécificité, avec\n"
    u"                une virgule et 4 décimales (positive : la forme y est plus\n"
    u"                fréquente que le hasard ne le voudrait, négative : moins) ;\n"
    u"                tabulations, fins de ligne CR LF, en Windows-1252, ou en\n"
    u"                UTF-8 avec la marque d'ordre des octets si une forme ou un\n"
    u"                nom ne s'y écrit pas ; chaque fichier est nommé comme avec\n"
    u"                --par-fichier\n"
    u"  --reference LISTE\n"
    u"                avec --specificites, compare les fichiers à la liste\n"
    u"                enregistrée LISTE (avec ou sans colonnes par fichier) :\n"
    u"                ses nombres d'attestations s'ajoutent à ceux des fichiers\n"
    u"                pour faire le corpus, et le total d'une forme les compte\n"
    u"  --banales-exclues\n"
    u"                avec --specificites, n'écrit pas les formes banales dans\n"
    u"                tous les fichiers, celles dont la spécificité est partout\n"
    u"                inférieure au seuil en valeur absolue\n"
    u"  --seuil S     seuil des formes banales, un nombre positif, avec une\n"
    u"                virgule ou un point (2 par défaut : une probabilité de\n"
    u"                1 sur 100)\n"
    u"  --contexte N  largeur des contextes en mots, de 1 à 20 (6 par défaut)\n"
    u"  --tri ORDRE   ordre des lignes de la concordance : texte (par défaut),\n"
    u"                gauche1, gauche2, droite1 ou droite2 (le 1er ou le 2e mot\n"
    u"                à gauche ou à droite de la forme, ex aequo dans l'ordre du\n"
    u"                texte)\n"
    u"  --puis ORDRE  second ordre des lignes, pour les ex aequo du premier,\n"
    u"                avec les mêmes noms que --tri\n"
    u"  -o SORTIE     écrit la liste dans le fichier SORTIE au lieu de la sortie\n"
    u"                standard ; un fichier existant n'est remplacé qu'une fois\n"
    u"                la nouvelle liste écrite en entier ; un périphérique ou un\n"
    u"                tube nommé lu par un programme est écrit tel quel\n"
    u"  -h, --help    affiche cette aide\n"
    u"  --version     affiche la version du programme\n"
    u"\n"
    u"Les filtres choisissent les formes écrites une fois tout compté : les\n"
    u"nombres, total et colonnes par fichier, restent ceux des textes entiers.\n"
    u"\n"
    u"Une barre de progression s'affiche sur l'erreur standard quand c'est un\n"
    u"terminal et que le travail dure plus d'une seconde.\n"
    u"\n"
    u"Statut de sortie : 0 en cas de succès, 2 en cas d'erreur (usage incorrect,\n"
    u"fichier illisible, mémoire insuffisante, liste impossible à écrire) ; rien\n"
    u"n'est alors écrit. Avec --ignorer-erreurs, chaque fichier illisible est\n"
    u"signalé, et le statut n'est 2 que si aucun ne l'est.\n";

struct ListOptions
{
    QStringList inputs;
    QString input; // the first
    QString output; // standard output when empty
    bool frequencies = false;
    bool perFile = false;
    bool merge = false;
    bool ignoreErrors = false;
    bool statistics = false;
    std::optional<QString> concordanceForm;
    std::optional<int> contextWords;
    Concordance::Order concordanceOrder = Concordance::Order::Text;
    bool orderGiven = false;
    std::optional<QString> pattern; // --filtre
    std::optional<QString> expression; // --regex
    qint64 minimumCount = 0;
    std::optional<QString> excludedPath;
    bool functionWordsExcluded = false;
    bool lafonScores = false;
    std::optional<QString> referencePath;
    bool banalExcluded = false;
    std::optional<double> threshold;
    std::optional<Concordance::Order> secondOrder;
    bool help = false;
    bool version = false;
    QString usageError;
};

std::optional<Concordance::Order> concordanceOrderNamed(const QString &name)
{
    static const std::pair<QStringView, Concordance::Order> orders[] = {
        {u"texte", Concordance::Order::Text},
        {u"gauche1", Concordance::Order::FirstLeft},
        {u"gauche2", Concordance::Order::SecondLeft},
        {u"droite1", Concordance::Order::FirstRight},
        {u"droite2", Concordance::Order::SecondRight},
    };
    for (const auto &[orderName, order] : orders) {
        if (name == orderName)
            return order;
    }
    return std::nullopt;
}

// An option of the command line: its name, whether it takes a value, and
// what it sets; why the value is refused, or nothing.
struct Option
{
    QStringView name;
    bool takesValue;
    QString (*apply)(ListOptions &options, const QString &value);
};

QString setContextWords(ListOptions &options, const QString &value)
{
    bool number = false;
    const int words = value.toInt(&number);
    if (!number || words < Concordance::fewestWords || words > Concordance::mostWords)
        return u"la largeur du contexte est un nombre de mots de 1 à 20, pas « %1 »."_s.arg(value);
    options.contextWords = words;
    return {};
}

QString unknownOrder(const QString &name)
{
    return u"ordre de tri inconnu « %1 » : texte, gauche1, gauche2, droite1 ou droite2."_s.arg(name);
}

QString setConcordanceOrder(ListOptions &options, const QString &value)
{
    const auto order = concordanceOrderNamed(value);
    if (!order)
        return unknownOrder(value);
    options.concordanceOrder = *order;
    options.orderGiven = true;
    return {};
}

QString setExpression(ListOptions &options, const QString &value)
{
    const FormMatcher matcher(value, FormMatcher::Syntax::RegularExpression);
    if (!matcher.isValid()) {
        const QString problem = matcher.problem();
        return problem.first(1).toLower() + problem.sliced(1) + u'.';
    }
    options.expression = value;
    return {};
}

// Digits alone: no sign, no space. A number past any count keeps no form.
QString setMinimumCount(ListOptions &options, const QString &value)
{
    const bool digits = !value.isEmpty()
                        && std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    const qint64 count = digits ? value.toLongLong(&fits) : 0;
    if (!digits || (fits && count < 1))
        return u"la fréquence minimale est un nombre entier positif, pas « %1 »."_s.arg(value);
    options.minimumCount = fits ? count : std::numeric_limits<qint64>::max();
    return {};
}

// A decimal comma or point; no infinity.
QString setThreshold(ListOptions &options, const QString &value)
{
    bool number = false;
    const double threshold = QString(value).replace(u',', u'.').toDouble(&number);
    if (!number || !std::isfinite(threshold) || threshold <= 0)
        return u"le seuil est un nombre positif, pas « %1 »."_s.arg(value);
    options.threshold = threshold;
    return {};
}

QString setSecondOrder(ListOptions &options, const QString &value)
{
    options.secondOrder = concordanceOrderNamed(value);
    return options.secondOrder ? QString() : unknownOrder(value);
}

QString setOutput(ListOptions &options, const QString &value)
{
    if (value.isEmpty())
        return u"l'option -o demande le nom du fichier de sortie."_s;
    if (!options.output.isEmpty())
        return u"l'option -o ne peut être donnée qu'une fois."_s;
    options.output = value;
    return {};
}

const Option knownOptions[] = {
    {u"-h", false, [](ListOptions &o, const QString &) { o.help = true; return QString(); }},
    {u"--help", false, [](ListOptions &o, const QString &) { o.help = true; return QString(); }},
    {u"--version", false, [](ListOptions &o, const QString &) { o.version = true; return QString(); }},
    {u"--frequences", false, [](ListOptions &o, const QString &) { o.frequencies = true; return QString(); }},
    {u"--par-fichier", false, [](ListOptions &o, const QString &) { o.perFile = true; return QString(); }},
    {u"--fusionner", false, [](ListOptions &o, const QString &) { o.merge = true; return QString(); }},
    {u"--ignorer-erreurs", false, [](ListOptions &o, const QString &) { o.ignoreErrors = true; return QString(); }},
    {u"--statistiques", false, [](ListOptions &o, const QString &) { o.statistics = true; return QString(); }},
    {u"--concordance", true, [](ListOptions &o, const QString &form) { o.concordanceForm = form; return QString(); }},
    {u"--contexte", true, setContextWords},
    {u"--tri", true, setConcordanceOrder},
    {u"--filtre", true, [](ListOptions &o, const QString &pattern) { o.pattern = pattern; return QString(); }},
    {u"--regex", true, setExpression},
    {u"--frequence-minimale", true, setMinimumCount},
    {u"--specificites", false, [](ListOptions &o, const QString &) { o.lafonScores = true; return QString(); }},
    {u"--reference", true, [](ListOptions &o, const QString &path) { o.referencePath = path; return QString(); }},
    {u"--banales-exclues", false, [](ListOptions &o, const QString &) { o.banalExcluded = true; return QString(); }},
    {u"--seuil", true, setThreshold},
    {u"--exclure", true, [](ListOptions &o, const QString &path) { o.excludedPath = path; return QString(); }},
    {u"--exclure-mots-outils", false, [](ListOptions &o, const QString &) { o.functionWordsExcluded = true; return QString(); }},
    {u"--puis", true, setSecondOrder},
    {u"-o", true, setOutput},
};

bool filters(const ListOptions &options)
{
    return options.pattern || options.expression || options.minimumCount > 0 || options.excludedPath
           || options.functionWordsExcluded;
}

ListOptions parseArguments(const QStringList &arguments)
{
    ListOptions options;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            files.append(argument);
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        const auto option = std::find_if(std::begin(knownOptions), std::end(knownOptions),
                                         [&](const Option &known) { return known.name == argument; });
        if (option == std::end(knownOptions)) {
            options.usageError = u"option inconnue « %1 »."_s.arg(argument);
            return options;
        }
        if (option->takesValue && i + 1 == arguments.size()) {
            // -o names what it lacks; the others ask for a value.
            options.usageError = option->apply == setOutput ? setOutput(options, {})
                                                            : u"l'option %1 demande une valeur."_s.arg(argument);
            return options;
        }
        options.usageError = option->apply(options, option->takesValue ? arguments.at(++i) : QString());
        if (!options.usageError.isEmpty())
            return options;
    }
    if (options.help || options.version)
        return options;
    if (!options.concordanceForm && (options.contextWords || options.orderGiven))
        options.usageError = u"les options --contexte et --tri ne valent qu'avec --concordance."_s;
    else if (!options.concordanceForm && options.secondOrder)
        options.usageError = u"l'option --puis ne vaut qu'avec --concordance."_s;
    else if (!options.lafonScores && (options.referencePath || options.banalExcluded || options.threshold))
        options.usageError = u"les options --reference, --banales-exclues et --seuil ne valent qu'avec --specificites."_s;
    else if (options.threshold && !options.banalExcluded)
        options.usageError = u"l'option --seuil ne vaut qu'avec --banales-exclues."_s;
    else if (options.lafonScores && (options.frequencies || options.concordanceForm || options.statistics || options.merge))
        options.usageError = u"l'option --specificites ne va pas avec --frequences, --concordance, --statistiques ou --fusionner."_s;
    else if (int(options.frequencies) + int(options.concordanceForm.has_value()) + int(options.statistics) > 1)
        options.usageError = u"une seule des options --frequences, --concordance et --statistiques à la fois."_s;
    else if ((options.concordanceForm || options.statistics) && (options.merge || options.perFile || options.ignoreErrors))
        options.usageError = u"les options --fusionner, --par-fichier et --ignorer-erreurs ne valent que pour une liste."_s;
    else if (options.pattern && options.expression)
        options.usageError = u"les options --filtre et --regex ne vont pas ensemble."_s;
    else if (options.excludedPath && options.functionWordsExcluded)
        options.usageError = u"les options --exclure et --exclure-mots-outils ne vont pas ensemble."_s;
    else if (options.statistics && filters(options))
        options.usageError = u"les options --filtre, --regex, --frequence-minimale et --exclure ne valent pas pour des statistiques."_s;
    else if (files.isEmpty())
        options.usageError = u"aucun fichier à lire."_s;
    else if (files.size() > 1 && options.statistics)
        options.usageError = u"un seul fichier à la fois pour des statistiques."_s;
    options.inputs = files;
    // Each file is a part of the corpus.
    options.perFile = options.perFile || options.lafonScores;
    if (!files.isEmpty())
        options.input = files.constFirst();
    return options;
}

void report(QIODevice &err, const QString &message)
{
    // A name that is not UTF-8 is shown in its own bytes.
    err.write(nativePath(u"lexalon-liste : "_s + message + u'\n'));
}

QString writeOutput(const std::function<bool(QIODevice &)> &write, const QString &outputPath, QIODevice &out)
{
    if (!outputPath.isEmpty()) {
        const WriteOutcome outcome = writeWholeFile(outputPath, write);
        if (!outcome.ok)
            return u"impossible d'écrire %1 : %2"_s.arg(quoted(outputPath), outcome.errorString);
        return {};
    }
    if (!write(out))
        return u"impossible d'écrire sur la sortie standard : %1"_s.arg(systemErrorReason(out.errorString()));
    return {};
}

// The statistics need the tokens in text order, not the text.
QString writeStatisticsOf(const ListOptions &options, QIODevice &out)
{
    std::vector<Measure> measures;
    {
        TextAnalysis analysis;
        if (QString problem = analyseTextFile(options.input, analysis); !problem.isEmpty())
            return problem;
        measures = TextStudy(std::move(analysis)).statistics().measures();
    }
    return writeOutput([&](QIODevice &device) { return writeMeasures(measures, device); }, options.output, out);
}

QString columnName(QString path);

QString filterOf(const ListOptions &options, ListFilter &filter);

// The rows of the forms a concordance is asked of: the form, or every form
// a pattern with * or ? matches, then those the filters keep.
std::vector<std::uint32_t> concordanceRows(const WordList &list, const QString &asked, const ListFilter &filter)
{
    std::vector<std::uint32_t> rows;
    if (asked.contains(u'*') || asked.contains(u'?')) {
        ListSelection matching(list);
        matching.setFilter({FormMatcher(asked, FormMatcher::Syntax::Pattern), 0, nullptr});
        rows.assign(matching.shownRows().begin(), matching.shownRows().end());
    } else if (const qsizetype row = list.rowOf(listedForm(asked)); row >= 0) {
        rows.push_back(std::uint32_t(row));
    }
    if (filter.matcher.matchesEverything() && filter.minimumCount == 0 && !filter.excluded)
        return rows;
    ListSelection kept(list);
    kept.setFilter(filter);
    std::erase_if(rows, [&](std::uint32_t row) { return kept.shownRow(row) < 0; });
    return rows;
}

// The texts are kept beside their tokens: the contexts are read from them.
// Several texts are one corpus, each named as its column in a list.
QString writeConcordanceOf(const ListOptions &options, QIODevice &out)
{
    ListFilter filter;
    if (QString problem = filterOf(options, filter); !problem.isEmpty())
        return problem;
    std::vector<Corpus::Text> texts;
    for (const QString &path : options.inputs) {
        TextFileContent content = readTextFile(path);
        if (!content.ok())
            return readProblem(path, content);
        texts.push_back({columnName(path), std::make_unique<TextStudy>(std::move(content.text))});
    }
    const Corpus corpus(std::move(texts));
    std::vector<std::uint32_t> rows = concordanceRows(corpus.list(), *options.concordanceForm, filter);
    std::sort(rows.begin(), rows.end());
    CorpusConcordance concordance = corpus.concordance(rows);
    concordance.arrange(concordance.arranged(options.concordanceOrder, options.secondOrder.value_or(Concordance::Order::Text)));
    const int words = options.contextWords.value_or(Concordance::defaultWords);
    return writeOutput([&](QIODevice &device) { return writeConcordance(concordance, words, device); },
                       options.output, out);
}

// The files done and the megabytes read, on one line of a terminal that is
// drawn again in place, once the work has lasted a second.
class ProgressLine
{
public:
    ProgressLine(QIODevice &err, bool terminal, const FilesProgress &progress)
        : m_err(err)
        , m_terminal(terminal)
        , m_progress(progress)
    {
        m_clock.start();
    }

    void draw()
    {
        if (!m_terminal || m_clock.elapsed() < shownAfterMilliseconds)
            return;
        const qint64 total = std::max<qint64>(m_progress.bytes, 1);
        const auto filled = qsizetype(barWidth * std::min(m_progress.bytesDone.load(), total) / total);
        const QString bar = QString(filled, u'#') + QString(barWidth - filled, u'.');
        const QString line = u"\r[%1] %2/%3 fichiers, %4/%5 Mo "_s.arg(bar)
                                 .arg(m_progress.filesDone.load())
                                 .arg(m_progress.files)
                                 .arg(m_progress.bytesDone.load() / bytesPerMegabyte)
                                 .arg(m_progress.bytes / bytesPerMegabyte);
        m_err.write(line.toLocal8Bit());
        m_drawn = true;
    }

    // The line is wiped before any message or the end.
    void clear()
    {
        if (m_drawn)
            m_err.write("\r\x1b[K");
        m_drawn = false;
    }

private:
    static constexpr qint64 shownAfterMilliseconds = 1000;
    static constexpr qsizetype barWidth = 30;
    static constexpr qint64 bytesPerMegabyte = 1'000'000;

    QIODevice &m_err;
    const bool m_terminal;
    const FilesProgress &m_progress;
    QElapsedTimer m_clock;
    bool m_drawn = false;
};

// A name in a heading line: a tab, CR or LF would cut it into columns or
// lines, so each is shown by its Unicode control picture, and a name with a
// tab no longer heads its column as the same name with a space does.
QString columnName(QString path)
{
    for (QChar &c : path) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = QChar(controlPictures + c.unicode());
    }
    return path;
}

// A form counted more times in all than a list can hold, and the files that
// count it.
QString totalTooLarge(const QString &form, std::vector<qsizetype> files, qsizetype last, const QStringList &paths)
{
    files.push_back(last);
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    QStringList names;
    for (const qsizetype file : files)
        names.append(quoted(paths.at(file)));
    return u"le nombre d'attestations de « %1 » dans %2 dépasse %3, le plus grand qu'une liste puisse contenir : "
           u"la liste n'est pas écrite."_s.arg(form, names.join(u", "_s), QString::number(mostListedCount));
}

// Each file that could not be listed, reported; why no list is written, or
// nothing.
QString reportProblems(const ListOptions &options, QIODevice &err, const QStringList &problems)
{
    qsizetype failed = 0;
    for (const QString &problem : problems) {
        if (!problem.isEmpty()) {
            report(err, problem);
            ++failed;
        }
    }
    if (failed == 0 || (options.ignoreErrors && failed < problems.size()))
        return {};
    return options.ignoreErrors ? u"aucun fichier n'a pu être lu."_s
                                : u"la liste n'est pas écrite (fichiers illisibles : %1 sur %2)."_s.arg(failed).arg(problems.size());
}

// The sum of the lists of several texts, or of saved lists. Each file that
// cannot be listed is reported; unless told to ignore them, one is enough
// for no list at all.
QString listCorpus(const ListOptions &options, QIODevice &err, bool errIsTerminal, WordList &list)
{
    FilesProgress progress;
    ProgressLine line(err, errIsTerminal, progress);
    if (!options.merge && !options.perFile) {
        const QStringList problems = listTextsTogether(options.inputs, progress, [&line] { line.draw(); }, list);
        line.clear();
        return reportProblems(options, err, problems);
    }
    // Each list is added as soon as it is made, so that only one a thread
    // is ever held beside the sum.
    WordListSum sum;
    std::mutex mutex;
    bool columns = options.perFile;
    std::optional<QString> tooLarge; // the form whose total a list cannot hold
    qsizetype tooLargeIn = 0;
    const QStringList problems = listFiles(options.inputs, options.merge, progress, [&line] { line.draw(); },
                                           [&](qsizetype index, WordList &&listed) {
                                               const std::lock_guard lock(mutex);
                                               if (tooLarge)
                                                   return;
                                               columns = columns || !listed.textColumns().isEmpty();
                                               tooLarge = sum.add(std::move(listed), columnName(options.inputs.at(index)), index);
                                               tooLargeIn = index;
                                           });
    line.clear();
    if (QString problem = reportProblems(options, err, problems); !problem.isEmpty())
        return problem;
    if (tooLarge)
        return totalTooLarge(*tooLarge, sum.sourcesOf(*tooLarge), tooLargeIn, options.inputs);
    list = sum.take(columns);
    return {};
}

// What the options keep of a list, or why the forms to leave out cannot be
// read.
QString filterOf(const ListOptions &options, ListFilter &filter)
{
    if (options.pattern)
        filter.matcher = FormMatcher(*options.pattern, FormMatcher::Syntax::Pattern);
    else if (options.expression)
        filter.matcher = FormMatcher(*options.expression, FormMatcher::Syntax::RegularExpression);
    filter.minimumCount = options.minimumCount;
    // The program's own list lives as long as the program.
    if (options.functionWordsExcluded)
        filter.excluded = std::shared_ptr<const StopList>(std::shared_ptr<void>(), &StopList::frenchFunctionWords());
    if (!options.excludedPath)
        return {};
    auto excluded = std::make_shared<StopList>();
    if (QString problem = readStopList(*options.excludedPath, *excluded); !problem.isEmpty())
        return problem;
    filter.excluded = std::move(excluded);
    return {};
}

// The rows the filter keeps, in the order asked, each with all its counts.
QString writeFiltered(const WordList &list, const ListFilter &filter, const ListOptions &options, QIODevice &out)
{
    ListSelection selection(list);
    selection.setFilter(filter);
    if (options.frequencies)
        selection.sortBy(ListSelection::Key::Total);
    return writeOutput([&](QIODevice &device) { return writeWordListRows(list, selection.shownRows(), device); },
                       options.output, out);
}

// The forms the filter keeps, in alphabetical order, less those banal in
// every part when asked; the scores are of the whole list.
QString writeLafonScoresOf(const WordList &list, const WordList *reference, const ListFilter &filter,
                             const ListOptions &options, QIODevice &out)
{
    const LafonScores lafonScores = reference ? LafonScores(list, *reference) : LafonScores(list);
    ListSelection selection(list);
    selection.setFilter(filter);
    std::vector<std::uint32_t> rows(selection.shownRows().begin(), selection.shownRows().end());
    if (options.banalExcluded) {
        const double threshold = options.threshold.value_or(defaultLafonScoreThreshold);
        std::erase_if(rows, [&](std::uint32_t row) { return lafonScores.banal(row, threshold); });
    }
    return writeOutput(
        [&](QIODevice &device) { return writeLafonScores(lafonScores, list, list.textColumns(), rows, device); },
        options.output, out);
}

// Returns why the list was not written, or nothing. Throws std::bad_alloc
// when memory runs out: an output file is then left as it was, while the
// standard output may already hold the start of the list.
QString listText(const ListOptions &options, QIODevice &out, QIODevice &err, bool errIsTerminal)
{
    if (options.concordanceForm)
        return writeConcordanceOf(options, out);
    if (options.statistics)
        return writeStatisticsOf(options, out);
    // The forms to leave out and the reference are read first: a bad file
    // wastes no counting.
    ListFilter filter;
    if (QString problem = filterOf(options, filter); !problem.isEmpty())
        return problem;
    WordList reference;
    if (options.referencePath) {
        if (QString problem = readSavedList(*options.referencePath, reference); !problem.isEmpty())
            return problem;
    }
    WordList list;
    if (options.inputs.size() > 1 || options.perFile || options.merge) {
        if (QString problem = listCorpus(options, err, errIsTerminal, list); !problem.isEmpty())
            return problem;
    } else if (QString problem = listTextFile(options.input, list); !problem.isEmpty()) {
        return problem;
    }
    if (options.lafonScores)
        return writeLafonScoresOf(list, options.referencePath ? &reference : nullptr, filter, options, out);
    if (filters(options))
        return writeFiltered(list, filter, options, out);
    if (options.frequencies)
        list.sort(WordList::Order::DecreasingFrequency);
    return writeOutput([&list](QIODevice &device) { return writeWordList(list, device); }, options.output,
                       out);
}

} // namespace

int runListCommand(const QStringList &arguments, QIODevice &out, QIODevice &err, bool errIsTerminal)
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
    for (const QString &input : options.inputs) {
        if (!options.output.isEmpty() && isSameFile(input, options.output)) {
            report(err, u"%1 est le texte lu : la liste ne peut pas le remplacer."_s.arg(quoted(options.output)));
            return listFailed;
        }
    }
    if (options.excludedPath && !options.output.isEmpty() && isSameFile(*options.excludedPath, options.output)) {
        report(err, u"%1 est la liste des formes exclues : la liste ne peut pas la remplacer."_s.arg(quoted(options.output)));
        return listFailed;
    }
    if (options.referencePath && !options.output.isEmpty() && isSameFile(*options.referencePath, options.output)) {
        report(err, u"%1 est la liste de référence : les spécificités ne peuvent pas la remplacer."_s.arg(quoted(options.output)));
        return listFailed;
    }
    QString problem;
    try {
        problem = listText(options, out, err, errIsTerminal);
    } catch (const std::bad_alloc &) {
        const QString what = options.concordanceForm ? u"la concordance de %1 ne peut pas être établie."_s
                             : options.statistics    ? u"les statistiques de %1 ne peuvent pas être établies."_s
                             : options.lafonScores ? u"les spécificités de %1 ne peuvent pas être établies."_s
                                                     : u"la liste de %1 ne peut pas être établie."_s;
        problem = u"mémoire insuffisante : "_s + what.arg(quoted(options.input));
    }
    if (!problem.isEmpty()) {
        report(err, problem);
        return listFailed;
    }
    return listSucceeded;
}

} // namespace lexalon

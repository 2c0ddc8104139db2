// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/listcommand.h"

#include "tests/support/limitedchild.h"
#include "tests/support/testfiles.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

const QByteArray text("Le chat, le CHAT et l'\xE9t\xE9.\r\nL'\xC9T\xC9 !\r\n");
const QByteArray alphabetical("Formes\tNombre d'attestations\r\nchat\t2\r\net\t1\r\n\xE9t\xE9\t2\r\nl\t2\r\nle\t2\r\n");
// Equal counts keep their alphabetical order.
const QByteArray byFrequency("Formes\tNombre d'attestations\r\nchat\t2\r\n\xE9t\xE9\t2\r\nl\t2\r\nle\t2\r\net\t1\r\n");

// Its concordance of été, one word each side, sorted by the word on the
// right: the second attestation has none.
const QByteArray concordanceHeading("\xEF\xBB\xBFN\xC2\xB0\tContexte gauche\tForme\tContexte droit\r\n");
const QByteArray concordance = concordanceHeading + "2\tL'\t\xC3\x89T\xC3\x89\t !\xC2\xB6\r\n1\tl'\t\xC3\xA9t\xC3\xA9\t.\xC2\xB6L\r\n";

// Its statistics: 9 tokens, 5 forms (chat, été, l and le twice, et once).
const QByteArray statistics("Mesure\tValeur\r\nNombre total de formes\t9\r\nNombre de formes diff\xE9rentes\t5\r\n"
                            "Rapport formes diff\xE9rentes / total\t0,5556\r\nRapport standardis\xE9 (tranches de 1 000 formes)\t\x97\r\n"
                            "Hapax\t1\r\nPart des hapax dans les formes diff\xE9rentes\t0,2000\r\nFormes attest\xE9\x65s deux fois\t4\r\n"
                            "Fr\xE9quence maximale\t2\r\nForme la plus fr\xE9quente\tchat\r\nFr\xE9quence moyenne\t1,80\r\n"
                            "Longueur moyenne des formes\t2,44\r\nLongueur moyenne des formes diff\xE9rentes\t2,40\r\nIndex de Guiraud\t1,6667\r\n");

// Shell lines run in a folder holding texte.txt and copie (the text above),
// alpha and freq (its lists), conc and head (its concordance, a heading
// alone), stats (its statistics), $L the program; the status, a part of the
// message (none when empty), and shell lines to hold afterwards.
struct ListRun { const char *name, *script; int status; QString message; const char *afterwards = "true"; };

const ListRun listRuns[] = {
    {"alphabetical list", R"("$L" texte.txt > out)", listSucceeded, {}, "cmp out alpha"},
    {"by frequency into a file", R"("$L" --frequences texte.txt -o liste.txt > out)", listSucceeded, {}, "cmp liste.txt freq && test ! -s out"},
    {"help", R"("$L" --help > out)", listSucceeded, {}, "grep -q 'Usage : lexalon-liste' out"},
    {"version", R"("$L" --version > out)", listSucceeded, {}, "grep -q '^lexalon-liste ' out"},
    {"missing text", R"("$L" absent.txt -o liste.txt)", listFailed, u"impossible d'ouvrir « absent.txt » : Aucun fichier ou dossier"_s, "test ! -e liste.txt"},
    {"folder as text", R"(mkdir d; "$L" d)", listFailed, u"« d »"_s},
    {"missing name not in UTF-8", R"sh("$L" "$(printf 'lat\351in.txt')")sh", listFailed, u"lat\uFFFDin.txt"_s},
    {"names not in UTF-8", R"(n=$(printf 'lat\351in'); cp texte.txt "$n.txt"; "$L" -o "$n-liste.txt" "$n.txt")", listSucceeded, {},
     R"(cmp "$n-liste.txt" alpha && rm "$n.txt" "$n-liste.txt")"},
    {"names not in UTF-8 head columns of their own", R"(a=$(printf 'lat\351in'); b=$(printf 'lat\350in'); cp texte.txt "$a"; cp texte.txt "$b"; "$L" --par-fichier -o l "$a" "$b"; "$L" --fusionner l > out)",
     listSucceeded, {}, R"sh(head -1 l | grep -q "$(printf 'attestations\tlat\351in\tlat\350in\r$')" && cmp out l)sh"},
    {"output in a missing folder", R"("$L" texte.txt -o absent/liste.txt)", listFailed, u"impossible d'écrire « absent/liste.txt » : Aucun fichier ou dossier"_s},
    {"output under a file", R"("$L" texte.txt -o copie/liste.txt)", listFailed, u"impossible d'écrire « copie/liste.txt » : Un élément du chemin n'est pas un dossier"_s, "cmp copie texte.txt"},
    {"output name too long", R"("$L" texte.txt -o "$(printf '%0300d' 0).txt")", listFailed, u" : Nom de fichier trop long"_s},
    {"output onto a loop of links", R"(ln -s boucle boucle; "$L" texte.txt -o boucle)", listFailed, u"impossible d'écrire « boucle » : Trop de liens symboliques"_s, "test -L boucle"},
    {"output onto the text", R"("$L" -o texte.txt texte.txt > out)", listFailed, u"« texte.txt » est le texte lu"_s, "cmp texte.txt copie && test ! -s out"},
    {"output onto a link to the text", R"(ln -s texte.txt lien; "$L" -o lien texte.txt)", listFailed, u"« lien » est le texte lu"_s, "cmp texte.txt copie && test -L lien"},
    {"output onto a FIFO without a reader", R"(mkfifo tube; "$L" -o tube texte.txt)", listFailed, u"Aucun programme ne lit ce tube nommé (FIFO)."_s, "test -p tube"},
    {"output onto a FIFO with a reader", R"(mkfifo tube; exec 3<>tube; "$L" -o tube texte.txt; s=$?; dd iflag=nonblock count=1 bs=64k <&3 > recu 2> /dev/null; (exit $s))",
     listSucceeded, {}, "test -p tube && cmp recu alpha"},
    {"output onto a folder", R"(mkdir d; "$L" -o d texte.txt)", listFailed, u"c'est un dossier."_s, "test -d d"},
    {"output onto a socket", R"(python3 -c 'import socket; socket.socket(socket.AF_UNIX).bind("prise")'; "$L" -o prise texte.txt)", listFailed, u"c'est un socket."_s, "test -S prise"},
    // Devices of the test's own where it may make them.
    {"output onto a device", R"(mknod nul c 1 3 2> /dev/null || ln -s /dev/null nul; "$L" -o nul texte.txt)", listSucceeded, {}, "test -c nul"},
    {"output onto a full device", R"(mknod full c 1 7 2> /dev/null || ln -s /dev/full full; "$L" -o full texte.txt)", listFailed,
     u"impossible d'écrire « full » : Aucun espace disponible sur le disque"_s, "test -c full"},
    {"full standard output", R"((mknod full c 1 7 2> /dev/null || ln -s /dev/full full); "$L" texte.txt > full)", listFailed,
     u"impossible d'écrire sur la sortie standard : Aucun espace disponible sur le disque"_s},
    {"empty output name", R"("$L" -o '' texte.txt)", listFailed, u"Usage : lexalon-liste"_s},
    {"second output", R"("$L" -o a.txt -o b.txt texte.txt)", listFailed, u"qu'une fois"_s, "test ! -e a.txt && test ! -e b.txt"},
    {"-o without a name", R"("$L" texte.txt -o)", listFailed, u"Usage : lexalon-liste"_s},
    {"no text", R"("$L" --frequences)", listFailed, u"Usage : lexalon-liste"_s},
    {"two texts for statistics", R"("$L" --statistiques texte.txt copie)", listFailed, u"un seul fichier à la fois"_s},
    {"a concordance of two texts", R"("$L" --concordance chat --contexte 1 texte.txt copie > out)", listSucceeded, {},
     R"sh(head -1 out | grep -q "$(printf 'N\302\260\tTexte\tContexte gauche')" && sed -n 4p out | grep -q "$(printf '^3\tcopie\tLe \tchat\t, le\r$')")sh"},
    {"a second sort", R"("$L" --concordance le --tri droite1 --puis gauche1 texte.txt copie > out)", listSucceeded, {},
     R"sh(test "$(sed 1d out | cut -f1 | tr -d '\r' | tr '\n' ,)" = 1,3,2,4,)sh"},
    {"a concordance of a pattern", R"("$L" --concordance 'L*' --contexte 1 texte.txt > out)", listSucceeded, {},
     R"sh(test "$(sed 1d out | cut -f3 | tr -d '\r' | tr '\n' ,)" = "Le,le,l,L,")sh"},
    {"a concordance of a pattern and a filter", R"(printf 'le\n' > stop; "$L" --concordance 'l*' --exclure stop texte.txt > out)", listSucceeded, {},
     R"sh(test "$(sed 1d out | wc -l)" = 2)sh"},
    {"function words left out", R"("$L" --exclure-mots-outils texte.txt > out)", listSucceeded, {},
     R"sh(test "$(cut -f1 out | tr -d '\r' | tr '\n' ,)" = "Formes,chat,")sh"},
    {"two exclusion lists", R"("$L" --exclure-mots-outils --exclure texte.txt copie)", listFailed, u"ne vont pas ensemble"_s},
    {"filters for statistics", R"("$L" --statistiques --filtre l texte.txt)", listFailed, u"ne valent pas pour des statistiques"_s},
    {"second sort without a concordance", R"("$L" --puis gauche1 texte.txt)", listFailed, u"l'option --puis ne vaut qu'avec --concordance"_s},
    {"unknown second sort", R"("$L" --concordance chat --puis milieu texte.txt)", listFailed, u"ordre de tri inconnu « milieu »"_s},
    {"texts as one", R"("$L" texte.txt copie > out; { cat texte.txt; echo; cat copie; } > tout; "$L" tout > un)", listSucceeded, {}, "cmp out un"},
    {"a column per text", R"("$L" --par-fichier --frequences texte.txt copie > out)", listSucceeded, {},
     R"sh(head -1 out | grep -q "$(printf 'attestations\ttexte.txt\tcopie\r$')" && sed -n 2p out | grep -q "$(printf '^chat\t4\t2\t2\r$')")sh"},
    {"merged lists", R"("$L" --par-fichier -o l1 texte.txt; mkdir m; cp alpha m/copie; cd m; "$L" --fusionner ../l1 copie > ../out)", listSucceeded, {},
     R"(cd .. && "$L" --par-fichier texte.txt copie > un && cmp out un)"},
    {"merged counts past what a list holds", R"(printf 'Formes\tNombre d\047attestations\r\nle\t600000000000000000\r\n' > g; cp g h; "$L" --fusionner g h -o out)",
     listFailed, u"le nombre d'attestations de « le » dans « g », « h » dépasse 999999999999999999"_s, "test ! -e out"},
    {"names Windows-1252 cannot hold", R"sh(a=$(printf '\321\202.txt'); b=$(printf '\316\266.txt'); cp texte.txt "$a"; cp texte.txt "$b";
       "$L" --par-fichier -o l "$a" "$b"; "$L" --fusionner l > out)sh", listSucceeded, {},
     R"sh(cmp l out && head -1 l | grep -q "$(printf '^\357\273\277Formes\tNombre d.attestations\t\321\202.txt\t\316\266.txt\r$')")sh"},
    // A tab, CR or LF in a name is shown by its control picture, not as the
    // space of another name; the merged list gives the names back.
    {"a tab in a name", R"sh(cp texte.txt "$(printf 'a\tb')"; cp texte.txt 'a b'; "$L" --par-fichier -o l "$(printf 'a\tb')" 'a b'; "$L" --fusionner l > out)sh",
     listSucceeded, {}, R"sh(cmp l out && head -1 l | grep -q "$(printf '^\357\273\277Formes\tNombre d.attestations\ta\342\220\211b\ta b\r$')")sh"},
    {"a CR in a name", R"sh(cp texte.txt "$(printf 'a\rb')"; cp texte.txt 'a b'; "$L" --par-fichier -o l "$(printf 'a\rb')" 'a b'; "$L" --fusionner l > out)sh",
     listSucceeded, {}, R"sh(cmp l out && head -1 l | grep -q "$(printf '^\357\273\277Formes\tNombre d.attestations\ta\342\220\215b\ta b\r$')")sh"},
    {"an LF in a name", R"sh(cp texte.txt "$(printf 'a\nb')"; cp texte.txt 'a b'; "$L" --par-fichier -o l "$(printf 'a\nb')" 'a b'; "$L" --fusionner l > out)sh",
     listSucceeded, {}, R"sh(cmp l out && head -1 l | grep -q "$(printf '^\357\273\277Formes\tNombre d.attestations\ta\342\220\212b\ta b\r$')")sh"},
    {"merged plain lists", R"("$L" --fusionner alpha freq > out; "$L" texte.txt copie > un)", listSucceeded, {}, "cmp out un"},
    {"a text that is not a list", R"("$L" --fusionner alpha texte.txt -o out)", listFailed, u"impossible de lire la liste « texte.txt » : ce n'est pas une liste"_s,
     "test ! -e out"},
    {"a text missing among several", R"("$L" texte.txt absent.txt copie -o out)", listFailed, u"impossible d'ouvrir « absent.txt »"_s, "test ! -e out"},
    {"errors ignored", R"("$L" --ignorer-erreurs absent.txt texte.txt > out)", listSucceeded, u"impossible d'ouvrir « absent.txt »"_s, "cmp out alpha"},
    {"output onto one of the texts", R"("$L" copie texte.txt -o texte.txt)", listFailed, u"« texte.txt » est le texte lu"_s, "cmp texte.txt copie"},
    {"unknown option", R"("$L" --inconnue texte.txt)", listFailed, u"option inconnue"_s},
    {"concordance", R"sh("$L" --concordance "$(printf '\303\211T\303\211')" --contexte 1 --tri droite1 texte.txt -o c.txt)sh", listSucceeded, {}, "cmp c.txt conc"},
    {"concordance of no form", R"("$L" --concordance "l'été" texte.txt > out)", listSucceeded, {}, "cmp out head"},
    {"statistics", R"("$L" --statistiques texte.txt > out)", listSucceeded, {}, "cmp out stats"},
    {"statistics and frequencies", R"("$L" --statistiques --frequences texte.txt)", listFailed, u"une seule des options"_s},
    {"context without a concordance", R"("$L" --contexte 3 texte.txt > out)", listFailed, u"ne valent qu'avec --concordance"_s, "test ! -s out"},
    {"context too wide", R"("$L" --concordance chat --contexte 21 texte.txt)", listFailed, u"de 1 à 20, pas « 21 »"_s},
    {"unknown sort", R"("$L" --concordance chat --tri milieu texte.txt)", listFailed, u"ordre de tri inconnu « milieu »"_s},
    {"prefix without case or accents", R"("$L" --filtre ETE texte.txt > out)", listSucceeded, {},
     R"(printf 'Formes\tNombre d\047attestations\r\n\351t\351\t2\r\n' | cmp - out)"},
    {"filters on columns by frequency", R"(echo LE > exclus; "$L" --par-fichier --frequences --regex '^[^e]' --frequence-minimale 3 --exclure exclus texte.txt copie > out)",
     listSucceeded, {}, R"(printf 'Formes\tNombre d\047attestations\ttexte.txt\tcopie\r\nchat\t4\t2\t2\r\n\351t\351\t4\t2\t2\r\nl\t4\t2\t2\r\n' | cmp - out)"},
    {"wildcards on merged lists", R"("$L" --fusionner --filtre '*t' alpha freq > out)", listSucceeded, {},
     R"(printf 'Formes\tNombre d\047attestations\r\nchat\t4\r\net\t2\r\n' | cmp - out)"},
    {"bad regular expression", R"("$L" --regex '(a' texte.txt > out)", listFailed, u"expression régulière incorrecte : parenthèse fermante manquante."_s, "test ! -s out"},
    {"least frequency not positive", R"("$L" --frequence-minimale 0 texte.txt)", listFailed, u"un nombre entier positif, pas « 0 »."_s},
    {"missing forms to leave out", R"("$L" --exclure absent.txt texte.txt -o out)", listFailed, u"impossible d'ouvrir « absent.txt »"_s, "test ! -e out"},
    {"pattern and regular expression", R"("$L" --filtre a --regex b texte.txt)", listFailed, u"--filtre et --regex ne vont pas ensemble"_s},
    {"output onto the forms left out", R"(cp alpha exclus; "$L" --exclure exclus -o exclus texte.txt)", listFailed, u"« exclus » est la liste des formes exclues"_s, "cmp exclus alpha"},
    {"double dash ends the options", R"("$L" -- --frequences)", listFailed, u"impossible d'ouvrir « --frequences »"_s},
    {"Lafon scores", R"(printf 'le chien\r\n' > b; "$L" --specificites texte.txt b > out)", listSucceeded, {},
     R"sh(head -1 out | grep -q "$(printf '^Forme\tTotal\ttexte.txt\ttexte.txt (sp\351cificit\351)\tb\tb (sp\351cificit\351)\r$')" && test "$(wc -l < out)" = 7)sh"},
    {"keywords against a saved list", R"(printf 'le chien\r\n' > b; "$L" --par-fichier -o ref b; "$L" --specificites --reference ref texte.txt > un; "$L" --specificites texte.txt b > deux)",
     listSucceeded, {}, R"sh(test "$(grep '^chat' un | tr -d '\r')" = "$(grep '^chat' deux | cut -f1-4)" && ! grep -q chien un)sh"},
    // Only chien has a score of 0,5 or more (0,7404); le, et and l are function words.
    {"banal forms left out, filters kept", R"(printf 'le chien\r\n' > b; "$L" --specificites --banales-exclues --seuil 0,5 --exclure-mots-outils texte.txt b > out)",
     listSucceeded, {}, R"sh(test "$(cut -f1 out | tr -d '\r' | tr '\n' ,)" = "Forme,chien,")sh"},
    {"a text as the reference", R"("$L" --specificites --reference texte.txt copie -o out)", listFailed, u"impossible de lire la liste « texte.txt » : ce n'est pas une liste"_s, "test ! -e out"},
    {"reference without Lafon scores", R"("$L" --reference alpha texte.txt)", listFailed, u"ne valent qu'avec --specificites."_s},
    {"threshold without banal forms left out", R"("$L" --specificites --seuil 2 texte.txt)", listFailed, u"l'option --seuil ne vaut qu'avec --banales-exclues."_s},
    {"threshold not a positive number", R"("$L" --specificites --banales-exclues --seuil 0 texte.txt)", listFailed, u"le seuil est un nombre positif, pas « 0 »."_s},
    {"Lafon scores and a concordance", R"("$L" --specificites --concordance le texte.txt)", listFailed, u"l'option --specificites ne va pas avec"_s},
    {"Lafon scores of no text", R"("$L" --specificites > out)", listFailed, u"aucun fichier à lire."_s, "test ! -s out"},
};

void PrintTo(const ListRun &run, std::ostream *out) { *out << run.name; }

using ListRunTest = ::testing::TestWithParam<ListRun>;

TEST_P(ListRunTest, GivesItsStatusMessageAndFiles)
{
    const ListRun &run = GetParam();
    const QTemporaryDir dir;
    for (const auto &[name, bytes] : {std::pair{u"texte.txt"_s, text}, {u"copie"_s, text}, {u"alpha"_s, alphabetical}, {u"freq"_s, byFrequency},
                               {u"conc"_s, concordance}, {u"head"_s, concordanceHeading}, {u"stats"_s, statistics}})
        ASSERT_TRUE(lexalon::testing::writeBytes(dir.filePath(name), bytes));
    QProcess shell; // the status 99 tells that the lines afterwards failed
    shell.setWorkingDirectory(dir.path());
    const QString lines = u"L=$1\n%1\ns=$?\n{ %2 ; } > /dev/null 2>&1 || exit 99\nexit $s"_s;
    shell.start(u"sh"_s, {u"-c"_s, lines.arg(QString::fromUtf8(run.script), QString::fromUtf8(run.afterwards)), u"sh"_s, QStringLiteral(LEXALON_LISTE)});
    ASSERT_TRUE(shell.waitForFinished(60'000)) << "the command hangs";
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_EQ(shell.exitCode(), run.status) << err.toStdString();
    EXPECT_TRUE(run.message.isEmpty() ? err.isEmpty() : err.contains(run.message)) << err.toStdString();
}

// A test's name from the run's: letters and digits, the rest as "_".
INSTANTIATE_TEST_SUITE_P(Runs, ListRunTest, ::testing::ValuesIn(listRuns), [](const ::testing::TestParamInfo<ListRun> &info) {
    std::string name = info.param.name;
    std::ranges::replace_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

// Memory running out at any step: a French message, status 2 and nothing
// written, never an abort. The address space allows what listing a short text
// needs plus a growing share of the file's size, up to enough to list it; on
// the way some limit lets the text be read but not listed.
TEST(ListCommandTest, RunningOutOfMemoryIsReportedAndNothingIsWritten)
{
#ifdef LEXALON_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer needs more address space than any limit leaves";
#endif
    const QTemporaryDir dir;
    QByteArray forms; // each number in base 26, its digits as letters
    for (int i = 0; i < 400'000; ++i) {
        for (const char digit : QByteArray::number(i, 26))
            forms += char(digit <= '9' ? 'a' + (digit - '0') : digit + 10);
        forms += ' ';
    }
    const QString shortText = dir.filePath(u"court.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(shortText, text));
    const rlim_t start = lexalon::testing::smallestAddressSpace({QStringLiteral(LEXALON_LISTE), shortText});
    const QString path = dir.filePath(u"formes.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(path, forms));
    const QString notRead = u"lexalon-liste : mémoire insuffisante : le texte « %1 » ne peut pas être lu.\n"_s.arg(path);
    const QString notListed = u"lexalon-liste : mémoire insuffisante : la liste de « %1 » ne peut pas être établie.\n"_s.arg(path);
    bool notListedAfterTheRead = false;
    int status = listFailed;
    for (double room = 0.25; status != listSucceeded && room < 64; room *= 1.25) {
        SCOPED_TRACE(room);
        const auto outcome = lexalon::testing::runWithAddressLimit({QStringLiteral(LEXALON_LISTE), path}, start + rlim_t(room * forms.size()));
        const QString err = QString::fromLocal8Bit(outcome.err);
        status = outcome.exited ? outcome.status : -1;
        EXPECT_TRUE(status == listSucceeded || (status == listFailed && outcome.out.isEmpty() && (err == notRead || err == notListed)))
            << status << err.toStdString();
        notListedAfterTheRead = notListedAfterTheRead || err == notListed;
    }
    EXPECT_EQ(status, listSucceeded) << "64 times the file's size is enough to list it";
    EXPECT_TRUE(notListedAfterTheRead);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/savecommand.h"

#include "formats/concordancefile.h"
#include "formats/wordlistfile.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"

#include <QFileInfo>

#include <functional>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A name typed without an extension gets that of the type chosen, its first
// pattern's in lower case: "*.TXT" gives ".txt".
QString withExtension(const QString &path, const QString &filter, int type)
{
    const QString pattern = filter.section(u'|', 2 * type + 1, 2 * type + 1).section(u';', 0, 0);
    const qsizetype dot = pattern.lastIndexOf(u'.');
    if (path.isEmpty() || dot < 0 || QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + pattern.sliced(dot).toLower();
}

QString overwritePrompt(const QString &path)
{
    return promptLines(path + u" existe."_s, u"Désirez-vous l'écraser?"_s);
}

bool mayReplace(const QString &path, MessageBox &messages)
{
    MessageRequest question;
    question.prompt = overwritePrompt(path);
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = MessageAnswer::Yes;
    question.title = u"Fichier existant"_s;
    return messages.show(question) != MessageAnswer::No;
}

void reportDone(MessageBox &messages)
{
    MessageRequest done;
    done.prompt = u"L'enregistrement est terminé."_s;
    messages.show(done);
}

void reportFailure(const QString &path, const QString &reason, MessageBox &messages)
{
    messages.show(failureMessage(u"Le fichier "_s + path + u" n'a pas pu être enregistré."_s, reason,
                                 u"Erreur d'enregistrement"_s));
}

} // namespace

bool saveFile(const QString &filter, const std::function<bool(int, QIODevice &)> &write, FileDialogs &dialogs,
              MessageBox &messages, BusyPointer &pointer)
{
    const SaveChoice choice = dialogs.saveFileName(filter);
    const QString path = withExtension(choice.path, filter, choice.type);
    if (fileExists(path) && !mayReplace(path, messages))
        return false;
    if (path.isEmpty())
        return false;

    WriteOutcome outcome;
    {
        const BusyScope busy(pointer);
        outcome = writeWholeFile(path, [&](QIODevice &device) { return write(choice.type, device); });
    }
    if (outcome.ok)
        reportDone(messages);
    else
        reportFailure(path, outcome.errorString, messages);
    return true;
}

bool saveWordList(const WordList &list, FileDialogs &dialogs, MessageBox &messages,
                  BusyPointer &pointer)
{
    return saveFile(QString::fromUtf16(textFileFilter),
                    [&list](int, QIODevice &device) { return writeWordList(list, device); }, dialogs,
                    messages, pointer);
}

bool saveConcordance(const Concordance &concordance, int words, FileDialogs &dialogs, MessageBox &messages,
                     BusyPointer &pointer)
{
    return saveFile(QString::fromUtf16(textFileFilter),
                    [&](int, QIODevice &device) { return writeConcordance(concordance, words, device); },
                    dialogs, messages, pointer);
}

} // namespace lexalon

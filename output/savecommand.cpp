#include "output/savecommand.h"

#include "platform/filedialogs.h"
#include "output/gridcursor.h"
#include "output/wordlistfile.h"
#include "platform/busypointer.h"
#include "platform/messagebox.h"
#include "wordforms/wordgrid.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString overwritePrompt(const QString &path)
{
    return path + u" existe."_s + u"\r\n"_s + u"Désirez-vous l'écraser?"_s;
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
    MessageRequest failure;
    failure.prompt = u"Le fichier "_s + path + u" n'a pas pu être enregistré."_s + u"\r\n"_s
                     + reason;
    failure.icon = MessageIcon::Critical;
    failure.title = u"Erreur d'enregistrement"_s;
    messages.show(failure);
}

} // namespace

void saveWordList(WordGrid &grille01, FileDialogs &dialogs, MessageBox &messages,
                  BusyPointer &pointer)
{
    const QString path = dialogs.saveFileName(QString::fromUtf16(textFileFilter));
    if (fileExists(path) && !mayReplace(path, messages))
        return;
    if (path.isEmpty())
        return;

    pointer.setMousePointer(MousePointer::Hourglass);
    const WriteOutcome outcome = writeWordListFile(grille01, path);
    leaveCursorAfterReading(grille01);
    pointer.setMousePointer(MousePointer::Default);

    if (outcome.ok)
        reportDone(messages);
    else
        reportFailure(path, outcome.errorString, messages);
}

} // namespace lexalon

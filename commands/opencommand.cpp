// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/opencommand.h"

#include "platform/interaction/busyscope.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"
#include "text/textdocument.h"

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

QString fileWhichCannotBe(const QString &path, const QString &done)
{
    return u"Le fichier « "_s + path + u" » ne peut pas être "_s + done;
}

} // namespace

MessageRequest cannotReadMessage(const QString &path, const QString &reason)
{
    return failureMessage(fileWhichCannotBe(path, u"lu."_s), reason, u"Lecture impossible"_s,
                          MessageIcon::Information);
}

MessageRequest notEnoughMemoryMessage(const QString &path)
{
    return failureMessage(fileWhichCannotBe(path, u"lu."_s), u"Mémoire insuffisante pour un texte de cette taille."_s,
                          u"Fichier trop volumineux"_s, MessageIcon::Information);
}

std::optional<MessageRequest> readFailureMessage(const QString &path, const TextFileContent &content)
{
    switch (content.status) {
    case TextFileContent::Status::OpenFailed:
        return failureMessage(fileWhichCannotBe(path, u"ouvert."_s), content.errorString, {}, MessageIcon::Warning);
    case TextFileContent::Status::ReadFailed:
        return cannotReadMessage(path, content.errorString);
    case TextFileContent::Status::TooLarge:
        return notEnoughMemoryMessage(path);
    case TextFileContent::Status::Ok:
    case TextFileContent::Status::Cancelled: // the user's choice: nothing to say
        break;
    }
    return std::nullopt;
}

void openTextFile(TextDocument &document, FileDialogs &dialogs, BusyPointer &pointer,
                  MessageBox &messages, const TextFileReader &reader)
{
    if (!document.canOpen())
        return;
    const QString path = dialogs.openFileName(QString::fromUtf16(openTextFilter));
    if (!path.isEmpty())
        loadTextFile(document, path, pointer, messages, reader);
}

void loadTextFile(TextDocument &document, const QString &path, BusyPointer &pointer, MessageBox &messages,
                  const TextFileReader &reader)
{
    if (!document.canOpen())
        return;
    const BusyScope busy(pointer);
    const TextFileRead read = reader(path);
    if (read.content.ok())
        document.load(path, read.content.text, read.paragraphs);
    else if (const std::optional<MessageRequest> message = readFailureMessage(path, read.content))
        messages.show(*message);
}

} // namespace lexalon

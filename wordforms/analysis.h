// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/texttokens.h"
#include "wordforms/wordlist.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <functional>

namespace lexalon {

class TaskProgress;
class TokenList;

// The form a word is listed under: its letters lower-cased, composed as the
// texts read are. Empty when the word is not one form.
QString listedForm(QStringView word);

// Cuts the text into lower-cased forms and lists the different ones with
// their numbers of attestations, in alphabetical order.
WordList analyseText(QStringView text);

// The same in two steps, so that the text can be given back between them:
// the forms of the text into the token list, then the word list from it. The
// word list takes the forms over: the token list keeps only its tokens.
void collectForms(QStringView text, TokenList &tokens, TaskProgress *progress = nullptr);
WordList listForms(TokenList &tokens);

// Reads exactly `size` bytes of a text from `offset` on; false when it
// cannot.
using ReadBytes = std::function<bool(qint64 offset, unsigned char *into, size_t size)>;

// Counts the forms of the bytes from `from` to `to`, which start and end at
// separators or at the text's ends, into the token list, a piece at a time.
// False when a read fails.
bool countByteForms(TokenList &tokens, const ReadBytes &read, qint64 from, qint64 to,
                    const std::array<char16_t, 256> &characters);

// The tokens of a text of `size` bytes, each byte the character the table
// gives, into the token list in text order, read a piece at a time: a long
// text's second half is read on a thread of its own, through a reader `open`
// gives it. False when a read fails.
bool collectByteForms(qint64 size, const std::function<ReadBytes()> &open,
                      const std::array<char16_t, 256> &characters, TokenList &tokens);

// The word list of a text of `size` bytes, each byte the character the table
// gives, read a piece at a time: a long text is cut at separators and its
// parts are counted on all cores, each through a reader `open` gives it.
// False, with no list, when a read fails.
bool analyseBytes(qint64 size, const std::function<ReadBytes()> &open, const std::array<char16_t, 256> &characters,
                  WordList &list);

// The word list, and the text's tokens kept in text order for the
// concordance.
struct TextAnalysis
{
    WordList list;
    TextTokens tokens;
};
// Throws std::bad_alloc for a text too long for its tokens' starts. With a
// progress, reports the characters analysed and throws TaskCancelled when
// asked to stop.
TextAnalysis analyseTextWithTokens(QStringView text, TaskProgress *progress = nullptr);
// The same from a token list that kept its tokens (and their starts, when
// the concordance needs them), so that the text need not be held.
TextAnalysis analyseTokens(TokenList &tokens);

} // namespace lexalon

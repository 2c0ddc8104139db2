// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdint>
#include <span>

class QIODevice;

namespace lexalon {

class LafonScores;
class WordList;

// The saved Lafon scores: the heading `Forme⇥Total⇥` then, for each part,
// `<name>⇥<name> (spécificité)`; one line per row given, in that order: the
// form, its count in the corpus, then in each part its count and its score
// with a decimal comma and four decimals. Tab-separated, CR LF, in
// Windows-1252 when it holds every form and name, else in UTF-8 with a
// byte-order mark, as the word list is. False when a write fails.
bool writeLafonScores(const LafonScores &s, const WordList &list, const QStringList &partNames,
                        std::span<const std::uint32_t> rows, QIODevice &device);

} // namespace lexalon

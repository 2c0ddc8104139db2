// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lexalon::bench {

// About `size` bytes of Windows-1252 text that reads like French prose to the
// analysis: word frequencies after Zipf's law over some fifty thousand forms
// (short function words most frequent, accented letters, œ, elisions such as
// l'été, hyphens, capitals after a full stop, punctuation, CR LF line ends),
// about one form every eight bytes. The same seed gives the same bytes.
QByteArray frenchLikeText(qint64 size, quint64 seed = 1);

// A Windows-1252 text in which exactly `forms` different forms occur, each
// at least once, in shuffled order, about two attestations a form.
QByteArray distinctFormsText(qint64 forms, quint64 seed = 1);

// The same with each form once: the most different forms a text can hold
// for its size.
QByteArray onceEachFormText(qint64 forms, quint64 seed = 1);

// A saved word list, as lexalon-liste --par-fichier writes it, of `forms`
// different forms each counted once in one of `columns` texts, in turn.
QByteArray savedListWithColumns(qint64 forms, int columns);

// The real French text named by LEXALON_BENCH_FRENCH, as
// scripts/make-french-corpus.py writes it (make bench does); empty when the
// variable is not set.
QString realFrenchTextPath();

// 100 texts of about 1 MB each, written once for the process in a temporary
// folder: the real French text when there is one, else French-like prose,
// cut at line ends. Their paths in order; none when they cannot be written.
const QStringList &hundredTextFiles();

} // namespace lexalon::bench

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QIODevice;

namespace lexalon {

class Concordance;
class CorpusConcordance;

// The saved concordance: the heading line, then one line per row in the
// order shown: the attestation's number in text order, tab, its left
// context, tab, the form, tab, its right context. UTF-8 after a byte-order
// mark, lines ended by CR LF. False when a write fails.
bool writeConcordance(const Concordance &concordance, int words, QIODevice &device);

// The same of a corpus's concordance, numbered in corpus text order; with a
// "Texte" column after the number, the text's name, when the corpus has
// several texts.
bool writeConcordance(const CorpusConcordance &concordance, int words, QIODevice &device);

} // namespace lexalon

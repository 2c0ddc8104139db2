// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QIODevice;

namespace lexalon {

class Concordance;

// The saved concordance: the heading line, then one line per row in the
// order shown: the attestation's number in text order, tab, its left
// context, tab, the form, tab, its right context. UTF-8 after a byte-order
// mark, lines ended by CR LF. False when a write fails.
bool writeConcordance(const Concordance &concordance, int words, QIODevice &device);

} // namespace lexalon

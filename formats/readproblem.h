// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

struct TextFileContent;

// The name of a file in a message: « name ».
QString quoted(const QString &path);
// Why a text file could not be read, naming it.
QString readProblem(const QString &path, const TextFileContent &content);

} // namespace lexalon

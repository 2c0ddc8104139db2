// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

namespace lexalon {

// Asks the file system whether a path names an ordinary file.
class FileProbe
{
public:
    virtual ~FileProbe() = default;
    // True for a file that is neither a folder, nor hidden, nor a system file.
    virtual bool isOrdinaryFile(const QString &path) const = 0;
};

} // namespace lexalon

// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/stoplistfile.h"

#include "formats/readproblem.h"
#include "text/textfile.h"
#include "wordforms/stoplist.h"

namespace lexalon {

QString readStopList(const QString &path, StopList &list)
{
    const TextFileContent content = readTextFile(path);
    if (!content.ok())
        return readProblem(path, content);
    list = StopList::fromLines(content.text);
    return {};
}

} // namespace lexalon

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/nativepath.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

// Every name comes back as its bytes; valid UTF-8 is read as such, and a
// byte that is not part of it stands for itself.
TEST(NativePath, NamesComeBackAsTheirBytes)
{
    const struct { const char *name; QByteArray bytes; QString read; } cases[] = {
        {"ASCII", "texte.txt", u"texte.txt"_s},
        {"UTF-8", "\xC3\xA9t\xC3\xA9.txt", u"été.txt"_s},
        {"four bytes", "\xF0\x9F\x98\x80", u"😀"_s},
        {"Latin-1", "lat\xE9in", u"lat\xDCE9in"_s},
        {"cut lead at the end", "a\xC3", u"a\xDCC3"_s},
        {"cut sequence at the end", "a\xE2\x82", u"a\xDCE2\xDC82"_s},
        {"overlong", "\xC0\xAF", u"\xDCC0\xDCAF"_s},
        {"surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(pathFromNative(c.bytes), c.read) << c.name;
        EXPECT_EQ(nativePath(pathFromNative(c.bytes)), c.bytes) << c.name;
    }
}

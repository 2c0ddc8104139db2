#include "lexalon/version.h"
#include "shell/programversion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

TEST(VersionText, JoinsTheThreeNumbersInPlainDecimal)
{
    EXPECT_EQ(versionText(1, 0, 0), u"Version 1.0.0"_s);
    EXPECT_EQ(versionText(12, 3, 405), u"Version 12.3.405"_s);
}

TEST(VersionText, ProgramShowsItsOwnNumbers)
{
    EXPECT_EQ(programVersionText(), versionText(LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR,
                                                LEXALON_VERSION_PATCH));
    EXPECT_EQ(programVersion(), u"%1.%2.%3.%4"_s.arg(LEXALON_VERSION_MAJOR)
                                    .arg(LEXALON_VERSION_MINOR)
                                    .arg(LEXALON_VERSION_PATCH)
                                    .arg(LEXALON_VERSION_TWEAK));
}

} // namespace
} // namespace lexalon

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/letters.h"

#include <gtest/gtest.h>

using namespace lexalon;

TEST(Letters, LettersAndTheirLowerCase)
{
    // The bounds of each range of letters, their neighbours, and the signs
    // that look like letters but separate forms.
    const struct
    {
        char16_t c;
        char16_t folded; // 0: not a letter
    } cases[] = {
        {u'A', u'a'},   {u'Z', u'z'},   {u'a', u'a'},   {u'z', u'z'},   {u'@', 0},      {u'[', 0},
        {u'`', 0},      {u'{', 0},      {u'0', 0},      {u'\'', 0},     {u'-', 0},      {0xAA, 0},
        {0xB5, 0},      {0xBA, 0},      {0xBF, 0},      {0xC0, 0xE0},   {0xC9, 0xE9},   {0xD6, 0xF6},
        {0xD7, 0},      {0xD8, 0xF8},   {0xDE, 0xFE},   {0xDF, 0xDF},   {0xE0, 0xE0},   {0xF6, 0xF6},
        {0xF7, 0},      {0xF8, 0xF8},   {0xFF, 0xFF},   {0x100, 0},     {0x151, 0},     {0x152, 0x153},
        {0x153, 0x153}, {0x154, 0},     {0x15F, 0},     {0x160, 0x161}, {0x161, 0x161}, {0x162, 0},
        {0x177, 0},     {0x178, 0xFF},  {0x179, 0},     {0x17C, 0},     {0x17D, 0x17E}, {0x17E, 0x17E},
        {0x17F, 0},     {0x2019, 0},    {0x3B1, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(isLetter(c.c), c.folded != 0) << int(c.c);
        if (c.folded != 0)
            EXPECT_EQ(foldLetter(c.c), c.folded) << int(c.c);
    }
}

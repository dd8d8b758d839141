#include <gtest/gtest.h>

#include <string>

#include "FormatKeyCombo.h"

namespace {

TEST(FormatKeyComboTest, JoinsTheHeldKeysTheSpecialKeyAndTheCharacter)
{
    struct Case
    {
        int ctrl, alt, shift, specialKey, character;
        const char* text;
    } cases[] = {
        {1, 0, 1, 0, 'S', "CTRL+SHIFT+S"},
        {0, 1, 0, 8, 0, "ALT+F4"},
        {0, 0, 0, 28, 'D', "Left WIN+D"},
        {1, 1, 1, 4, 0, "CTRL+ALT+SHIFT+Enter"},
        {0, 0, 0, 0, '1', "1"},
        {0, 0, 0, 0, 0, ""},
        // Any nonzero value holds the key, as Ostler reads it.
        {5, 0, 0, 0, 'A', "CTRL+A"},
        // The trailing "+" of the character '+' goes with the joiner's.
        {1, 0, 0, 0, '+', "CTRL"},
        {0, 0, 0, 0, '+', ""},
        // A special index outside the table has no text.
        {1, 0, 0, 99, 0, "CTRL"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(c.text, std::string(FormatKeyCombo(c.ctrl, c.alt, c.shift, c.specialKey,
                                                     c.character)))
            << "case " << i;
    }
}

} // namespace

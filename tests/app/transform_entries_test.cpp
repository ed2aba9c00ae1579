#include "app/transform_entries.h"

#include <gtest/gtest.h>

// Each bad entry is named, and leaves the values as they were.
TEST(TransformEntries, EveryBadEntryIsNamedAndNothingIsRead)
{
    struct Case {
        std::string TransformEntries::*field;
        const char* text;
        const char* message;   // empty: accepted
    };
    const Case cases[] = {
        {&TransformEntries::moveX, " -2.5 ", ""},
        {&TransformEntries::moveY, "", "Move y: enter a number."},
        {&TransformEntries::degrees, "90deg", "Rotate: enter a number."},
        {&TransformEntries::degrees, "1e999", "Rotate: enter a number."},
        {&TransformEntries::scaleX, "nan", "Scale x: enter a number."},
        {&TransformEntries::scaleY, "0", "A scale of 0% would collapse the selection; enter another scale."},
        {&TransformEntries::scaleY, "-0.0", "A scale of 0% would collapse the selection; enter another scale."},
        // The position boxes count only when the position is set.
        {&TransformEntries::positionX, "x", ""},
    };
    for (const Case& c : cases) {
        TransformEntries entries;
        entries.*c.field = c.text;
        TransformValues values;
        values.moveX = 42;
        EXPECT_EQ(c.message, readTransformEntries(entries, values)) << c.text;
        EXPECT_EQ(*c.message ? 42.0 : std::string(c.text) == " -2.5 " ? -2.5 : 0.0, values.moveX) << c.text;
    }

    TransformEntries position;
    position.setPosition = true;
    position.moveX = "not used";
    position.positionX = "12";
    position.positionY = "oops";
    TransformValues values;
    EXPECT_EQ("Position y: enter a number.", readTransformEntries(position, values));
    position.positionY = "0.25";
    ASSERT_EQ("", readTransformEntries(position, values));
    EXPECT_TRUE(values.setPosition);
    EXPECT_EQ(12.0, values.positionX);
    EXPECT_EQ(0.25, values.positionY);
}

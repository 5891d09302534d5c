#include "platform/qt/qtdialogs.h"

#include <gtest/gtest.h>

TEST(QtDialogs, FiltersOfThePlatformBecomeNameFiltersInBothCases) {
    using platform::qt::toNameFilters;
    EXPECT_EQ(toNameFilters("Bitmap Files (*.BMP)|*.BMP"), "Bitmap Files (*.BMP *.bmp)");
    EXPECT_EQ(toNameFilters("Text (*.txt)|*.txt"), "Text (*.txt *.TXT)");
    EXPECT_EQ(toNameFilters("Pictures|*.bmp;*.GIF|All|*"),
              "Pictures (*.bmp *.BMP *.GIF *.gif);;All (*)");
}

// The name an export writes to.
#include <gtest/gtest.h>

#include "transfer/DataFilePath.h"

TEST(DataFilePathTest, ACutExtensionIsCompletedOnlyAsWritten) {
    EXPECT_EQ(CompleteExportPath("C:\\phrases\\mine.Sor"), "C:\\phrases\\mine.Sorrow");
    EXPECT_EQ(CompleteExportPath(".Sor"), ".Sorrow");
    EXPECT_EQ(CompleteExportPath("C:\\phrases\\MINE.SOR"), "C:\\phrases\\MINE.SOR");
    EXPECT_EQ(CompleteExportPath("mine.sor"), "mine.sor");
    EXPECT_EQ(CompleteExportPath("mine.Sorrow"), "mine.Sorrow");
    EXPECT_EQ(CompleteExportPath("mine.Sorr"), "mine.Sorr");
    EXPECT_EQ(CompleteExportPath("Sor"), "Sor");
    EXPECT_EQ(CompleteExportPath(""), "");
}

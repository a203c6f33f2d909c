#pragma once
#include <gtest/gtest.h>

#include "saver/core/SaverSettings.h"

// The settings of a user who has none stored.
inline void ExpectDefaultSettings(const SaverSettings& settings) {
    EXPECT_EQ(settings.m_bkgndCol, 0u);
    EXPECT_EQ(settings.m_textCol, 0xFFFFFFu);
    EXPECT_EQ(settings.m_flags, 52u);
    EXPECT_EQ(settings.m_scrollSpeed, 50);
    EXPECT_EQ(settings.m_strFontSize, "36");
    EXPECT_EQ(settings.m_strFontName, "Times New Roman");
    EXPECT_FALSE(settings.m_bAllMonitors);
}

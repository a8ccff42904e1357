// The off-screen picture under Wine without a screen: a memory context stands in for the screen.

#include "app/win32/offscreen_picture.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

bool alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(OffscreenPicture, HoldsItsContextAndBitmapUntilItGoes) {
    const HDC screen = CreateCompatibleDC(nullptr);
    ASSERT_NE(screen, nullptr);
    HDC context = nullptr;
    HBITMAP bitmap = nullptr;
    {
        OffscreenPicture picture;
        ASSERT_TRUE(picture.make(screen, 40, 30));
        context = picture.context();
        bitmap = picture.bitmap();
        EXPECT_TRUE(alive(context));
        BITMAP size{};
        ASSERT_NE(GetObjectW(bitmap, sizeof size, &size), 0);
        EXPECT_EQ(size.bmWidth, 40);
        EXPECT_EQ(size.bmHeight, 30);
    }
    EXPECT_FALSE(alive(context));
    EXPECT_FALSE(alive(bitmap));
    DeleteDC(screen);
}

TEST(OffscreenPicture, HoldsNothingWhenTheBitmapCannotBeMade) {
    const HDC screen = CreateCompatibleDC(nullptr);
    ASSERT_NE(screen, nullptr);
    OffscreenPicture picture;
    EXPECT_FALSE(picture.make(screen, 0x7FFFFFFF, 0x7FFFFFFF));
    EXPECT_FALSE(picture.made());
    EXPECT_EQ(picture.context(), nullptr);
    DeleteDC(screen);
}

}  // namespace
}  // namespace tolvinark

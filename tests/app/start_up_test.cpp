// The viewer's start-up checks and message loop, and the off-screen picture, under Wine without
// a screen: memory contexts stand in for the screen, stand-ins for GetMessage.

#include "app/viewer/start_up.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/viewer/main_window.h"
#include "app/win32/drawing_objects.h"
#include "app/win32/offscreen_picture.h"

namespace tolvinark {
namespace {

bool alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(StartUp, EveryDrawingObjectMustBeMade) {
    DrawingObjects objects = createDrawingObjects();
    EXPECT_TRUE(allDrawingObjectsMade(objects));
    objects.smallFont = nullptr;
    EXPECT_FALSE(allDrawingObjectsMade(objects));
    EXPECT_FALSE(allDrawingObjectsMade(DrawingObjects{}));
}

// The failed step and the system's error code come out in the debug output's line.
TEST(StartUp, NoMainWindowWithoutItsClassAndTheLineSaysWhy) {
    ApplicationState app;  // the class was never registered in this process
    app.module = GetModuleHandleW(nullptr);
    const std::optional<StartFailure> failure = createMainWindow(app);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, StartStep::MainWindow);
    // Windows says it cannot find the class, Wine that there is none.
    EXPECT_TRUE(failure->error == ERROR_CANNOT_FIND_WND_CLASS ||
                failure->error == ERROR_CLASS_DOES_NOT_EXIST)
        << failure->error;
    EXPECT_EQ(app.mainWindow, nullptr);
    EXPECT_EQ(startFailureLine(*failure),
              L"tolvinark: start-up failed: main window (CreateWindowExW), error " +
                  std::to_wstring(failure->error) + L"\n");
}

// The message, the value it returns and the parameter it leaves in the message.
struct GetMessageStandIn {
    static inline BOOL result = 0;
    static inline WPARAM wParam = 0;
    static BOOL WINAPI get(LPMSG message, HWND, UINT, UINT) {
        message->message = result == 0 ? WM_QUIT : WM_NULL;
        message->wParam = wParam;
        return result;
    }
};

TEST(MessageLoop, TheQuitMessagesParameterIsTheExitCode) {
    GetMessageStandIn::result = 0;
    GetMessageStandIn::wParam = 3;
    EXPECT_EQ(runMessageLoop(GetMessageStandIn::get), 3);
}

TEST(MessageLoop, AFailedGetMessageEndsWithExitCodeZero) {
    GetMessageStandIn::result = -1;
    GetMessageStandIn::wParam = 5;  // whatever the message held
    EXPECT_EQ(runMessageLoop(GetMessageStandIn::get), 0);
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

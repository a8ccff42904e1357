// The viewer's start-up checks and message loop under Wine: a stand-in for GetMessage.

#include "app/viewer/start_up.h"

#include <gtest/gtest.h>

#include "app/viewer/main_window.h"
#include "app/win32/drawing_objects.h"

namespace tolvinark {
namespace {

TEST(StartUp, EveryDrawingObjectMustBeMade) {
    DrawingObjects objects = createDrawingObjects();
    EXPECT_TRUE(allDrawingObjectsMade(objects));
    objects.smallFont = nullptr;
    EXPECT_FALSE(allDrawingObjectsMade(objects));
    EXPECT_FALSE(allDrawingObjectsMade(DrawingObjects{}));
}

TEST(StartUp, NoMainWindowWithoutItsClass) {
    ApplicationState app;  // the class was never registered in this process
    app.module = GetModuleHandleW(nullptr);
    EXPECT_FALSE(createMainWindow(app));
    EXPECT_EQ(app.mainWindow, nullptr);
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

}  // namespace
}  // namespace tolvinark

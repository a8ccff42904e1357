// The viewer's start-up checks and message loop under Wine: a stand-in for GetMessage.

#include "app/viewer/start_up.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

}  // namespace
}  // namespace tolvinark

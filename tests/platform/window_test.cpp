#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/gx_message_box.h"
#include "platform/gx_platform.h"
#include "platform/gx_window.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(gx::InitPlatform(true)); }
    static void TearDownTestSuite() { gx::ShutdownPlatform(); }
    void SetUp() override {
        ASSERT_TRUE(gx::CreateMainWindow(GxWindowDesc{u"テスト", 800, 600, false}));
        Drain();
    }
    void TearDown() override {
        gx::DestroyMainWindow();
        gx::ClearMessageQueue();
    }
    static void Drain() {
        GxMessage message;
        while (gx::PeekMessage())
            gx::GetMessage(message);
    }
    static Uint32 WindowId() {
        return SDL_GetWindowID(static_cast<SDL_Window*>(gx::GetNativeWindow()));
    }
    // The first message of the given id after pushing `event`.
    static GxMessage Translate(SDL_Event event, GxU32 wanted) {
        SDL_PushEvent(&event);
        GxMessage message;
        while (gx::PeekMessage()) {
            gx::GetMessage(message);
            if (message.message == wanted)
                return message;
        }
        return GxMessage{};
    }
    static SDL_Event Button(Uint32 type, Uint8 button, Uint8 clicks, int x, int y) {
        SDL_Event event{};
        event.button.type = type;
        event.button.windowID = WindowId();
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = clicks;
        event.button.x = x;
        event.button.y = y;
        return event;
    }
    static SDL_Event Key(Uint32 type, SDL_Keycode key) {
        SDL_Event event{};
        event.key.type = type;
        event.key.windowID = WindowId();
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        return event;
    }
    static SDL_Event Window(Uint8 kind) {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = WindowId();
        event.window.event = kind;
        return event;
    }
};

TEST_F(WindowTest, WindowHasNativeHandleAndClientSize) {
    EXPECT_NE(gx::GetNativeWindow(), nullptr);
    int width = 0;
    int height = 0;
    gx::GetClientSize(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

TEST_F(WindowTest, MouseButtonsBecomeDownUpAndDoubleClickMessages) {
    GxMessage down =
        Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 40, 30), WM_LBUTTONDOWN);
    EXPECT_EQ(down.message, WM_LBUTTONDOWN);
    EXPECT_EQ(gx::SignedLowWord(static_cast<std::uintptr_t>(down.lParam)), 40);
    EXPECT_EQ(gx::SignedHighWord(static_cast<std::uintptr_t>(down.lParam)), 30);
    EXPECT_NE(down.wParam & MK_LBUTTON, 0u);
    EXPECT_EQ(
        Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 40, 30), WM_LBUTTONUP).message,
        WM_LBUTTONUP);
    EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 40, 30), WM_LBUTTONDBLCLK)
                  .message,
              WM_LBUTTONDBLCLK);
    EXPECT_EQ(
        Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1, 2), WM_RBUTTONDOWN).message,
        WM_RBUTTONDOWN);
    EXPECT_EQ(
        Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1, 2), WM_MBUTTONUP).message,
        WM_MBUTTONUP);
}

TEST_F(WindowTest, WheelCarriesSignedDeltaInTheHighWord) {
    SDL_Event event{};
    event.wheel.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = WindowId();
    event.wheel.y = -2;
    GxMessage wheel = Translate(event, WM_MOUSEWHEEL);
    EXPECT_EQ(wheel.message, WM_MOUSEWHEEL);
    EXPECT_EQ(gx::SignedHighWord(wheel.wParam), -240);
}

TEST_F(WindowTest, KeysArriveAsVirtualKeyCodes) {
    struct {
        SDL_Keycode key;
        GxU32 virtualKey;
    } const cases[] = {{SDLK_F5, VK_F5},
                       {SDLK_a, 'A'},
                       {SDLK_7, '7'},
                       {SDLK_RETURN, VK_RETURN},
                       {SDLK_ESCAPE, VK_ESCAPE},
                       {SDLK_LCTRL, VK_CONTROL},
                       {SDLK_UP, VK_UP}};
    for (const auto& c : cases) {
        GxMessage down = Translate(Key(SDL_KEYDOWN, c.key), WM_KEYDOWN);
        EXPECT_EQ(down.wParam, c.virtualKey) << c.key;
        GxMessage up = Translate(Key(SDL_KEYUP, c.key), WM_KEYUP);
        EXPECT_EQ(up.wParam, c.virtualKey) << c.key;
        EXPECT_NE(static_cast<std::uint32_t>(up.lParam) & 0x80000000u,
                  0u);  // transition bit of a release
    }
}

TEST_F(WindowTest, WindowEventsAndPostedMessages) {
    EXPECT_EQ(Translate(Window(SDL_WINDOWEVENT_CLOSE), WM_CLOSE).message, WM_CLOSE);
    EXPECT_EQ(Translate(Window(SDL_WINDOWEVENT_MOVED), WM_WINDOWPOSCHANGED).message,
              WM_WINDOWPOSCHANGED);
    GxMessage activate = Translate(Window(SDL_WINDOWEVENT_FOCUS_GAINED), WM_ACTIVATE);
    EXPECT_EQ(activate.wParam, WA_ACTIVE);
    EXPECT_EQ(Translate(Window(SDL_WINDOWEVENT_FOCUS_LOST), WM_ACTIVATE).wParam, WA_INACTIVE);

    gx::PostMessage(WM_DESTROY);
    gx::PostQuitMessage(3);
    GxMessage message;
    ASSERT_TRUE(gx::PeekMessage());
    EXPECT_TRUE(gx::GetMessage(message));
    EXPECT_EQ(message.message, WM_DESTROY);
    EXPECT_FALSE(gx::GetMessage(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(WindowTest, MessageBoxGoesToStderrWhenHeadless) {
    testing::internal::CaptureStderr();
    ShowMessage(u"Title", u"%s%d", u"既に起動中です", 7);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Title"), std::string::npos);
    EXPECT_NE(err.find("既に起動中です7"), std::string::npos);
}

}  // namespace

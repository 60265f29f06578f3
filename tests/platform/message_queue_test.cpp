#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "c_wnd.h"
#include "headless_driver.h"
#include "messages.h"
#include "window_manager.h"

namespace {

struct Event {
    UINT message;
    CPoint point;
    DWORD time;
    UINT_PTR id;
};

// A top-level window below the caption that records what reaches it.
class RecordingWnd : public CWnd {
public:
    RecordingWnd() { MapMessage(WM_USER + 4, &RecordingWnd::OnPrivate); }
    BOOL Open() {
        return Create(nullptr, L"Recorder", WS_VISIBLE, CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight),
                      nullptr, 0);
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> out;
        for (const Event& e : events) out.push_back(e.message);
        return out;
    }
    std::vector<Event> events;
    std::vector<std::pair<WPARAM, LPARAM>> privates;

protected:
    void Record(UINT message, CPoint point, UINT_PTR id = 0) {
        events.push_back(Event{message, point, GetTickCount(), id});
    }
    void OnLButtonDown(UINT, CPoint p) override { Record(WM_LBUTTONDOWN, p); }
    void OnLButtonUp(UINT, CPoint p) override { Record(WM_LBUTTONUP, p); }
    void OnLButtonDblClk(UINT, CPoint p) override { Record(WM_LBUTTONDBLCLK, p); }
    void OnMouseMove(UINT, CPoint p) override { Record(WM_MOUSEMOVE, p); }
    void OnTimer(UINT_PTR id) override { Record(WM_TIMER, CPoint(), id); }
    void OnKeyDown(UINT key, UINT, UINT) override { Record(WM_KEYDOWN, CPoint(), key); }
    void OnKeyUp(UINT key, UINT, UINT) override { Record(WM_KEYUP, CPoint(), key); }
    LRESULT OnPrivate(WPARAM w, LPARAM l) {
        privates.emplace_back(w, l);
        return 77;
    }
};

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Open());
        driver.SetTarget(&window);
        driver.Pump();
    }
    void TearDown() override { window.DestroyWindow(); }

    // Queues a tap without dispatching it.
    void QueueTap(CPoint client) {
        window.ClientToScreen(&client);
        WindowManager::Instance().PenDown(client);
        WindowManager::Instance().PenUp(client);
    }

    HeadlessDriver driver;
    RecordingWnd window;
};

}  // namespace

TEST_F(MessageQueue, SecondTapSoonAndNearIsADoubleClickBetweenTheUps) {
    driver.Tap(CPoint(50, 60));
    driver.AdvanceTime(200);
    driver.Tap(CPoint(53, 64));
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    EXPECT_EQ(window.Messages(), expected);
    EXPECT_EQ(window.events[2].point, CPoint(53, 64));
}

TEST_F(MessageQueue, DoubleClickNeedsTimeBelow500MsAndDistanceUpTo4Pixels) {
    const struct {
        DWORD gap;
        int dx;
        int dy;
        bool doubleClick;
    } cases[] = {
        {499, 4, 4, true}, {500, 0, 0, false}, {100, 5, 0, false}, {100, 0, -5, false}, {0, -4, 0, true},
    };
    for (const auto& c : cases) {
        window.events.clear();
        driver.AdvanceTime(1000);  // forget earlier presses
        driver.Tap(CPoint(100, 100));
        driver.AdvanceTime(c.gap);
        driver.Tap(CPoint(100 + c.dx, 100 + c.dy));
        ASSERT_EQ(window.events.size(), 4u);
        EXPECT_EQ(window.events[2].message == WM_LBUTTONDBLCLK, c.doubleClick)
            << "gap " << c.gap << " dx " << c.dx << " dy " << c.dy;
    }
}

TEST_F(MessageQueue, AThirdQuickTapStartsAnewWithADown) {
    driver.Tap(CPoint(10, 10));
    driver.Tap(CPoint(10, 10));
    driver.Tap(CPoint(10, 10));
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                        WM_LBUTTONUP,   WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(window.Messages(), expected);
}

TEST_F(MessageQueue, RemovingButtonMessagesByRangeLeavesTheDoubleClickQueued) {
    QueueTap(CPoint(20, 20));
    QueueTap(CPoint(21, 21));
    MSG msg;
    int removed = 0;
    while (PeekMessage(&msg, &window, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_REMOVE)) {
        EXPECT_TRUE(msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP);
        ++removed;
    }
    EXPECT_EQ(removed, 3);
    ASSERT_TRUE(PeekMessage(&msg, &window, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_LBUTTONDBLCLK);
    EXPECT_EQ(CPoint(msg.lParam), CPoint(21, 21));
    driver.Pump();
    EXPECT_EQ(window.Messages(), std::vector<UINT>{WM_LBUTTONDBLCLK});
}

TEST_F(MessageQueue, RemovingPenMovesKeepsOtherMessagesInOrder) {
    CPoint p(30, 30);
    window.ClientToScreen(&p);
    WindowManager::Instance().PenDown(p);
    for (int i = 1; i <= 3; ++i) WindowManager::Instance().PenMove(CPoint(p.x + 4 * i, p.y));
    window.PostMessage(WM_USER + 4, 2139, 0);
    MSG msg;
    while (PeekMessage(&msg, &window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {}
    WindowManager::Instance().PenUp(p);
    driver.Pump();
    EXPECT_EQ(window.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    ASSERT_EQ(window.privates.size(), 1u);
    EXPECT_EQ(window.privates[0].first, 2139u);
}

TEST_F(MessageQueue, PenMessagesFollowThePenWhileItIsDownAndCarryControl) {
    driver.PenDown(CPoint(100, 100));
    WindowManager::Instance().SetControlKey(true);
    driver.PenMove(CPoint(300, -20));  // beyond the window: still its messages
    WindowManager::Instance().SetControlKey(false);
    driver.PenUp(CPoint(300, -20));
    ASSERT_EQ(window.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_EQ(window.events[1].point, CPoint(300, -20));
}

TEST_F(MessageQueue, SendRunsAtOncePostWaitsForThePump) {
    EXPECT_EQ(window.SendMessage(WM_USER + 4, 1, 2), 77);
    EXPECT_EQ(window.privates.size(), 1u);
    EXPECT_TRUE(window.PostMessage(WM_USER + 4, 3, 4));
    EXPECT_EQ(window.privates.size(), 1u);
    driver.Pump();
    ASSERT_EQ(window.privates.size(), 2u);
    EXPECT_EQ(window.privates[1], (std::pair<WPARAM, LPARAM>(3, 4)));
}

TEST_F(MessageQueue, PostingToAWindowThatIsGoneFails) {
    RecordingWnd other;
    ASSERT_TRUE(other.Open());
    other.PostMessage(WM_USER + 4, 1, 0);
    HWND handle = other.m_hWnd;
    other.DestroyWindow();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_USER + 4, 0, 0));
    EXPECT_EQ(SendMessage(handle, WM_USER + 4, 0, 0), 0);
    driver.Pump();  // the queued message went with its window
    EXPECT_TRUE(other.privates.empty());
}

TEST_F(MessageQueue, OtherThreadsPostAndSendIntoTheWindowsQueue) {
    std::atomic<LRESULT> sent{0};
    std::thread worker([&] {
        PostMessage(&window, WM_USER + 4, 10, 0);
        sent = SendMessage(&window, WM_USER + 4, 11, 0);
    });
    while (sent == 0) driver.Pump();
    worker.join();
    EXPECT_EQ(sent, 77);
    driver.Pump();
    ASSERT_EQ(window.privates.size(), 2u);
    std::vector<WPARAM> seen = {window.privates[0].first, window.privates[1].first};
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<WPARAM>{10, 11}));
}

TEST_F(MessageQueue, ARepeatTimerOf100MsTicksTenTimesInOneSecond) {
    EXPECT_EQ(window.SetTimer(1, 100), 1u);
    driver.AdvanceTime(1000);
    ASSERT_EQ(window.events.size(), 10u);
    for (size_t i = 0; i < window.events.size(); ++i) {
        EXPECT_EQ(window.events[i].message, WM_TIMER);
        EXPECT_EQ(window.events[i].id, 1u);
        EXPECT_EQ(window.events[i].time - window.events[0].time, 100 * i);
    }
    EXPECT_TRUE(window.KillTimer(1));
    driver.AdvanceTime(1000);
    EXPECT_EQ(window.events.size(), 10u);
    EXPECT_FALSE(window.KillTimer(1));
}

TEST_F(MessageQueue, ALateTimerFiresOnceNotOncePerMissedPeriod) {
    window.SetTimer(7, 100);
    driver.Clock().Advance(350);
    driver.Pump();
    EXPECT_EQ(window.events.size(), 1u);
    driver.AdvanceTime(99);
    EXPECT_EQ(window.events.size(), 1u);
    driver.AdvanceTime(1);
    EXPECT_EQ(window.events.size(), 2u);
}

TEST_F(MessageQueue, TimersOfAWindowEndWithIt) {
    RecordingWnd other;
    ASSERT_TRUE(other.Open());
    other.SetTimer(1, 50);
    other.DestroyWindow();
    driver.AdvanceTime(200);
    EXPECT_TRUE(other.events.empty());
}

TEST_F(MessageQueue, APressHeld600MsIsMeasuredOnTheVirtualClock) {
    driver.PenDown(CPoint(40, 40));
    driver.AdvanceTime(599);
    EXPECT_EQ(GetTickCount() - window.events[0].time, 599u);
    driver.AdvanceTime(1);
    driver.PenUp(CPoint(42, 41));
    ASSERT_EQ(window.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(window.events[1].time - window.events[0].time, 600u);
}

TEST_F(MessageQueue, KeysGoToTheFocusWindow) {
    window.SetFocus();
    driver.KeyDown(VK_UP);
    driver.AdvanceTime(1000);
    driver.KeyUp(VK_UP);
    ASSERT_EQ(window.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    EXPECT_EQ(window.events[0].id, VK_UP);
    EXPECT_EQ(window.events[1].time - window.events[0].time, 1000u);
}

TEST(VirtualClockSleep, ASleeperWakesWhenTheClockIsAdvanced) {
    HeadlessDriver driver;
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        Sleep(2000);
        woke = true;
    });
    while (driver.Clock().Sleepers() == 0) std::this_thread::yield();
    driver.Clock().Advance(1999);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(woke);
    driver.Clock().Advance(1);
    sleeper.join();
    EXPECT_TRUE(woke);
}

// Shared set-up of the floor-plan file tests: the shipped exchange file, rooms
// made from its rectangle shape, and a visible main window with the Levels
// menu for the messages that only show then.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app_test_support.h"
#include "c_menu.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "xml_element.h"

class FloorPlanTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        PlatformPaths::SetConfigDirectory((documents / "config").string());
        ASSERT_TRUE(InstallDefaultExchangeFile());
        CReplDoc loader;
        ASSERT_TRUE(loader.LoadExchangeFile(CString(kExchangeFilePath)));
        ASSERT_TRUE(GetExchangeTables().loaded);
    }

public:

    // A room of the exchange file's "Rectangle" shape, appended to the document.
    static CRoomFloor* AddRoom(CReplDoc& document, const char* name, int width = 0, int depth = 0)
    {
        const ExchangeTables& tables = GetExchangeTables();
        const int index = FindPartitionIndex("Rectangle");
        EXPECT_GE(index, 0);
        auto* room = new CRoomFloor();
        const char* body = tables.shapes[index][0]->GetAttribute("body");
        EXPECT_TRUE(room->LoadShape(body, &tables.chains[index], true, false));
        room->SetShapeName("Rectangle");
        room->SetName(name);
        if (width > 0)
            room->SetSize(width, depth);
        document.m_rooms.push_back(room);
        return room;
    }

    static std::string FileText(CReplDoc& document)
    {
        std::string text;
        document.BuildFileText(text);
        return text;
    }

    static bool Load(CReplDoc& document, const std::string& text)
    {
        return document.ParseFile(text.c_str(), static_cast<int>(text.size()));
    }

    static std::string RoomName(CReplDoc& document, int i)
    {
        CRoomFloor* room = document.GetRoom(i);
        return room && room->GetName() ? room->GetName() : "";
    }
};

// The application's main window, shown, with a menu bar that holds the
// Levels pop-up ("Change Level..." first).
class VisibleMainWindow {
public:
    VisibleMainWindow() : m_app(L"Pelk")
    {
        m_window.Create(nullptr, L"Pelk", WS_POPUP | WS_VISIBLE,
                        CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight), nullptr, 0);
        m_bar.CreateMenu();
        CMenu levels;
        levels.CreatePopupMenu();
        levels.AppendMenu(MF_STRING | MF_GRAYED, 2199, L"Change Level...");
        m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(levels.Detach()), L"Levels");
        m_window.SetMenu(&m_bar);
        m_app.m_pMainWnd = &m_window;
    }
    ~VisibleMainWindow()
    {
        m_app.m_pMainWnd = nullptr;
        m_window.SetMenu(nullptr);
        m_window.DestroyWindow();
    }
    VisibleMainWindow(const VisibleMainWindow&) = delete;
    VisibleMainWindow& operator=(const VisibleMainWindow&) = delete;

    CMenu* Levels() { return m_bar.GetSubMenu(0); }

private:
    CWinApp m_app;
    CWnd m_window;
    CMenu m_bar;
};

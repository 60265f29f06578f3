// The behaviour the view and the document get from the current edit mode
// (Room, Door, Measurement, Exit): 28 operations, each with a default that
// a mode overrides where it does something of its own.
#pragma once

#include <string>

class CReplDoc;
class CScaledDC;
class ZupRoomObject;

class CEditMode {
public:
    CEditMode(CReplDoc* document, const char* name, int commandId)
        : m_document(document), m_name(name), m_commandId(commandId)
    {
    }
    virtual ~CEditMode() = default;
    CEditMode(const CEditMode&) = delete;
    CEditMode& operator=(const CEditMode&) = delete;

    virtual void Activate();
    virtual void OnKeyRight(int /*key*/) {}
    virtual void OnKeyLeft(int /*key*/) {}
    virtual bool Unused() { return false; }
    virtual void Draw(CScaledDC& /*dc*/) {}
    // False keeps the user in the mode.
    virtual bool Leave(bool /*forward*/) { return true; }
    virtual bool OnTap(double /*x*/, double /*y*/) { return false; }
    virtual void OnDoubleTap(double /*x*/, double /*y*/) {}
    virtual bool AllowsDrag() { return true; }
    virtual bool StartKeyStep(int /*direction*/) { return false; }
    virtual void OnDragMoved() {}
    virtual void OnDragEnded() {}
    virtual void OnPickReleased(bool /*changed*/) {}
    virtual bool KeyStep() { return false; }
    virtual void UndoKeyStep() {}
    virtual bool ShowsRoom() { return true; }
    // The room's view state (scale, pan, extents) in the modes that show it.
    virtual void GetExtents(double& x0, double& y0, double& x1, double& y1);
    virtual float GetScale();
    virtual void Zoom(bool in);
    virtual void GetPan(int& x, int& y);
    virtual void Pan(int dx, int dy);
    virtual void ResetView();
    virtual void Refresh() {}
    virtual void OnComboSelect() {}
    virtual void SetKeyStep(int /*step*/) {}
    virtual bool AcceptsPenDown() { return true; }
    virtual bool AllowsWallObjectDrag() { return false; }
    virtual ZupRoomObject* OnIconTap(double /*x*/, double /*y*/) { return nullptr; }

    CReplDoc* GetDocument() const { return m_document; }
    const std::string& GetName() const { return m_name; }
    int GetCommandId() const { return m_commandId; }
    int GetSelection() const { return m_selection; }
    void SetSelection(int selection) { m_selection = selection; }

protected:
    // Presses this mode's button on the command bar.
    void PostModeButton();
    // The combo box lists the current room's name alone (item height -1
    // keeps the present one).
    void ShowRoomNameInCombo(int itemHeight);
    void RefreshRoomName();

    CReplDoc* m_document;
    int m_selection = 0;
    std::string m_name;
    int m_commandId;
};

// The windowed backend: a GTK 3 window that shows the logical screen scaled
// (nearest neighbour, x2 by default) and takes the mouse as the stylus, the
// arrow keys as the hardware keys, Ctrl as the control modifier and
// Enter/Escape as OK/Cancel.
#pragma once

#include <gtk/gtk.h>

#include "backend.h"
#include "c_rect.h"

class GtkBackend : public CBackend {
public:
    // Initialises GTK (FALSE from Open when there is no display).
    explicit GtkBackend(int scale = 2);
    ~GtkBackend() override;
    GtkBackend(const GtkBackend&) = delete;
    GtkBackend& operator=(const GtkBackend&) = delete;

    // Opens the window and installs this backend; FALSE without a display.
    BOOL Open(const char* title = "Pelk");
    GtkWidget* Window() const { return m_window; }
    int Scale() const { return m_scale; }
    // Reads "--scale N" from the command line (removed from argv).
    static int ScaleFromArguments(int& argc, char** argv);

    BOOL WaitForEvents(DWORD timeoutMs) override;
    void Wake() override;
    void Present(const RECT& changed) override;
    void Beep(UINT type) override;
    void SetWaitCursor(bool on) override;
    void BringToFront() override;
    std::optional<std::optional<CString>> FileDialogAnswer(const FileDialogRequest& request) override;

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnButton(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnFlashEnd(gpointer self);
    CPoint Logical(double x, double y) const;

    int m_scale;
    GtkWidget* m_window = nullptr;
    GtkWidget* m_area = nullptr;
    CBackend* m_previous = nullptr;
    bool m_installed = false;
    bool m_flash = false;
};

// The program's entry in a window: reads "--scale N", opens the window
// (without a display the program ends with 1) and runs the framework.
int WindowedMain(int argc, char** argv);

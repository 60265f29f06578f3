#include "gtk_backend.h"

#include <gdk/gdkkeysyms.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "c_wnd.h"
#include "c_win_app.h"
#include "code_page.h"
#include "messages.h"
#include "paths.h"
#include "system_services.h"
#include "window_manager.h"

namespace {

GtkBackend* g_front = nullptr;

void PresentRunningCopy() {
    if (g_front) g_front->BringToFront();
}

UINT VirtualKeyOf(guint keyval) {
    switch (keyval) {
    case GDK_KEY_Up: return VK_UP;
    case GDK_KEY_Down: return VK_DOWN;
    case GDK_KEY_Left: return VK_LEFT;
    case GDK_KEY_Right: return VK_RIGHT;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter: return VK_RETURN;
    case GDK_KEY_Escape: return VK_ESCAPE;
    case GDK_KEY_BackSpace: return VK_BACK;
    case GDK_KEY_Tab: return VK_TAB;
    case GDK_KEY_Delete: return VK_DELETE;
    case GDK_KEY_space: return VK_SPACE;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R: return VK_CONTROL;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R: return VK_SHIFT;
    default: break;
    }
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return static_cast<UINT>(keyval - GDK_KEY_a + 'A');
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<UINT>(keyval);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<UINT>(keyval);
    return 0;
}

// A host path inside the documents root back in the program's own form.
CString ProgramPath(const std::string& host) {
    const std::string root = PlatformPaths::DocumentsRoot();
    if (host.compare(0, root.size(), root) == 0 && (host.size() == root.size() || host[root.size()] == '/')) {
        CString rest(Utf8ToWide(host.substr(root.size())));
        rest.Replace(L'/', L'\\');
        return CString(L"\\My Documents") + rest;
    }
    return CString(Utf8ToWide(host));
}

}  // namespace

GtkBackend::GtkBackend(int scale) : m_scale(scale < 1 ? 1 : scale) {}

GtkBackend::~GtkBackend() {
    if (m_installed) SetPlatformBackend(m_previous);
    if (g_front == this) {
        g_front = nullptr;
        SingleInstance::SetFrontHandler(nullptr);
    }
    if (m_window) gtk_widget_destroy(m_window);
}

int GtkBackend::ScaleFromArguments(int& argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") != 0) continue;
        const int scale = std::atoi(argv[i + 1]);
        for (int k = i; k + 2 <= argc; ++k) argv[k] = k + 2 < argc ? argv[k + 2] : nullptr;
        argc -= 2;
        return scale > 0 ? scale : 2;
    }
    return 2;
}

BOOL GtkBackend::Open(const char* title) {
    if (!gtk_init_check(nullptr, nullptr)) return FALSE;
    m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(m_window), title);
    gtk_window_set_resizable(GTK_WINDOW(m_window), FALSE);
    m_area = gtk_drawing_area_new();
    gtk_widget_set_size_request(m_area, kScreenWidth * m_scale, kScreenHeight * m_scale);
    gtk_widget_add_events(m_area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
    gtk_widget_set_can_focus(m_area, TRUE);
    gtk_container_add(GTK_CONTAINER(m_window), m_area);
    g_signal_connect(m_area, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(m_area, "button-press-event", G_CALLBACK(OnButton), this);
    g_signal_connect(m_area, "button-release-event", G_CALLBACK(OnButton), this);
    g_signal_connect(m_area, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(m_window, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(m_window, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(m_window, "delete-event", G_CALLBACK(OnDelete), this);
    gtk_widget_show_all(m_window);
    gtk_widget_grab_focus(m_area);
    m_previous = SetPlatformBackend(this);
    m_installed = true;
    g_front = this;
    SingleInstance::SetFrontHandler(PresentRunningCopy);
    WindowManager::Instance().InvalidateScreen(CRect(0, 0, kScreenWidth, kScreenHeight));
    return TRUE;
}

CPoint GtkBackend::Logical(double x, double y) const {
    return CPoint(static_cast<int>(x) / m_scale, static_cast<int>(y) / m_scale);
}

gboolean GtkBackend::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* self = static_cast<GtkBackend*>(data);
    WindowManager& manager = WindowManager::Instance();
    cairo_surface_t* screen = manager.ScreenSurface();
    cairo_surface_flush(screen);
    cairo_scale(cr, self->m_scale, self->m_scale);
    cairo_set_source_surface(cr, screen, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    if (self->m_flash) {
        cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    return TRUE;
}

gboolean GtkBackend::OnButton(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<GtkBackend*>(data);
    if (event->button != 1) return TRUE;
    WindowManager& manager = WindowManager::Instance();
    manager.SetControlKey((event->state & GDK_CONTROL_MASK) != 0);
    const CPoint point = self->Logical(event->x, event->y);
    if (event->type == GDK_BUTTON_PRESS) manager.PenDown(point);
    else if (event->type == GDK_BUTTON_RELEASE) manager.PenUp(point);
    return TRUE;
}

gboolean GtkBackend::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* self = static_cast<GtkBackend*>(data);
    if (!(event->state & GDK_BUTTON1_MASK)) return TRUE;
    WindowManager::Instance().SetControlKey((event->state & GDK_CONTROL_MASK) != 0);
    WindowManager::Instance().PenMove(self->Logical(event->x, event->y));
    return TRUE;
}

gboolean GtkBackend::OnKey(GtkWidget*, GdkEventKey* event, gpointer) {
    const bool down = event->type == GDK_KEY_PRESS;
    WindowManager& manager = WindowManager::Instance();
    const UINT key = VirtualKeyOf(event->keyval);
    if (key != 0) manager.Key(key, down);
    const guint32 ch = gdk_keyval_to_unicode(event->keyval);
    if (down && ch >= 0x20 && ch != 0x7F && !(event->state & GDK_CONTROL_MASK))
        manager.Char(static_cast<wchar_t>(ch));
    if (down && (key == VK_BACK || key == VK_RETURN || key == VK_ESCAPE)) manager.Char(static_cast<wchar_t>(key));
    return TRUE;
}

gboolean GtkBackend::OnDelete(GtkWidget*, GdkEvent*, gpointer) {
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && IsWindow(main)) main->PostMessage(WM_CLOSE);
    else PostQuitMessage(0);
    return TRUE;  // the program closes its window itself
}

gboolean GtkBackend::OnFlashEnd(gpointer data) {
    auto* self = static_cast<GtkBackend*>(data);
    self->m_flash = false;
    if (self->m_area) gtk_widget_queue_draw(self->m_area);
    return G_SOURCE_REMOVE;
}

namespace {

gboolean StopWaiting(gpointer) { return G_SOURCE_REMOVE; }

}  // namespace

BOOL GtkBackend::WaitForEvents(DWORD timeoutMs) {
    SingleInstance::ServiceRequests();
    guint timer = 0;
    if (timeoutMs != INFINITE) timer = g_timeout_add(timeoutMs, StopWaiting, nullptr);
    else timer = g_timeout_add(250, StopWaiting, nullptr);  // to see front requests
    gtk_main_iteration_do(TRUE);
    if (timer != 0) {
        if (GSource* source = g_main_context_find_source_by_id(nullptr, timer)) g_source_destroy(source);
    }
    return TRUE;
}

void GtkBackend::Wake() { g_main_context_wakeup(nullptr); }

void GtkBackend::Present(const RECT& changed) {
    if (m_area == nullptr) return;
    const CRect r(changed);
    gtk_widget_queue_draw_area(m_area, r.left * m_scale, r.top * m_scale, r.Width() * m_scale, r.Height() * m_scale);
}

void GtkBackend::Beep(UINT) {
    if (m_window == nullptr) return;
    gdk_window_beep(gtk_widget_get_window(m_window));
    m_flash = true;
    gtk_widget_queue_draw(m_area);
    g_timeout_add(100, OnFlashEnd, this);
}

void GtkBackend::SetWaitCursor(bool on) {
    if (m_window == nullptr) return;
    GdkWindow* window = gtk_widget_get_window(m_window);
    if (window == nullptr) return;
    GdkCursor* cursor = on ? gdk_cursor_new_from_name(gdk_window_get_display(window), "wait") : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor) g_object_unref(cursor);
    gdk_display_flush(gdk_window_get_display(window));
}

void GtkBackend::BringToFront() {
    if (m_window) gtk_window_present(GTK_WINDOW(m_window));
}

std::optional<std::optional<CString>> GtkBackend::FileDialogAnswer(const FileDialogRequest& request) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        request.open ? "Open" : "Save", GTK_WINDOW(m_window),
        request.open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel", GTK_RESPONSE_CANCEL,
        request.open ? "_Open" : "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, request.overwritePrompt);
    gtk_file_chooser_set_current_folder(chooser, PlatformPaths::DocumentsRoot().c_str());
    if (!request.open && !request.suggestion.IsEmpty()) {
        CString name = request.suggestion;
        name = name.Mid(name.ReverseFind(L'\\') + 1);
        gtk_file_chooser_set_current_name(chooser, WideToUtf8(name.str()).c_str());
    }
    // Filter "text|pattern|...||": the patterns become the chooser's filter.
    const CString& filter = request.filter;
    for (int start = 0; start < filter.GetLength();) {
        const int bar = filter.Find(L'|', start);
        const int next = bar < 0 ? -1 : filter.Find(L'|', bar + 1);
        if (bar <= start || next < 0) break;
        GtkFileFilter* fileFilter = gtk_file_filter_new();
        gtk_file_filter_set_name(fileFilter, WideToUtf8(filter.Mid(start, bar - start).str()).c_str());
        gtk_file_filter_add_pattern(fileFilter, WideToUtf8(filter.Mid(bar + 1, next - bar - 1).str()).c_str());
        gtk_file_chooser_add_filter(chooser, fileFilter);
        start = next + 1;
    }
    std::optional<CString> chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (char* name = gtk_file_chooser_get_filename(chooser)) {
            chosen = ProgramPath(name);
            g_free(name);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

int WindowedMain(int argc, char** argv) {
    GtkBackend backend(GtkBackend::ScaleFromArguments(argc, argv));
    if (!backend.Open()) {
        std::fprintf(stderr, "Pelk: no display to open the window on\n");
        return 1;
    }
    return AfxWinMain(argc, argv);
}

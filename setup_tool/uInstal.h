#pragma once
// The main window TInstFormTYX: its control table, the activation by a second copy, and the
// wiring of the two command buttons.
#include "Handles.h"

#include <windows.h>

#include <array>
#include <string>

// The controls of the main window, in the order of the control table.
enum class Control { HlPanel, ImageTyx, Image1, PanPodObr, Label2, Label1, BtnInstal, Button1, EdRok, Count };

class TInstFormTYX {
public:
    explicit TInstFormTYX(HINSTANCE instance);
    TInstFormTYX(const TInstFormTYX&) = delete;
    TInstFormTYX& operator=(const TInstFormTYX&) = delete;
    virtual ~TInstFormTYX(); // FormDestroy, then the window and its controls go

    // Builds the layout and the window, runs FormCreate and shows the window centred.
    void Build();

    HWND Handle() const { return window_.get(); }
    HWND ControlHandle(Control control) const { return controls_[static_cast<std::size_t>(control)]; }
    std::string YearText() const; // the text of EdRok as typed

    // The tool's keyboard rules for one message; true when the message was used up.
    bool HandleKey(const MSG& msg);
    void RestoreFocus();

protected:
    virtual void BtnInstalClick();
    virtual void Button1Click();

private:
    void FormCreate();
    void FormDestroy();
    void CreateControls();
    void Click(Control control);
    void MoveFocus(bool backward);
    Control FocusedControl() const; // Control::Count when the focus is elsewhere

    static LRESULT CALLBACK FormWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam);
    LRESULT OnActivate(WPARAM wParam);
    LRESULT OnSetFocus();
    LRESULT OnSize(LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam);
    LRESULT OnClose();

    HINSTANCE instance_;
    UniqueWindow window_;
    std::array<HWND, static_cast<std::size_t>(Control::Count)> controls_{};
    std::array<UniqueFont, static_cast<std::size_t>(Control::Count)> fonts_;
    UniqueFont formFont_;
    UniqueBitmap banner_;
    UniqueBitmap photo_;
    HWND lastFocus_ = nullptr;
    bool formCreated_ = false;
};

extern TInstFormTYX* InstFormTYX;

// The main window's procedure while the activation is in force: the activation message restores
// the tool and brings it to the front; everything else goes to the window's own procedure.
LRESULT CALLBACK ActivationWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

extern UINT ActivationMessage;

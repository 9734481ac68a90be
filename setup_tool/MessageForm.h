#pragma once
// TMessageForm: the tool's own message dialog. Built for a message, a dialog type and a set of
// buttons with their stock captions and sizes; the caller may then change caption, captions and
// the default button before showing it modally.
#include "Handles.h"
#include "MessageDlgRules.h"

#include <windows.h>

#include <string>
#include <vector>

class TMessageForm {
public:
    TMessageForm(const std::string& message, MessageDlg::DlgType type, std::uint16_t buttons);
    TMessageForm(const TMessageForm&) = delete;
    TMessageForm& operator=(const TMessageForm&) = delete;
    ~TMessageForm();

    void SetCaption(const std::string& caption);
    void SetHelpContext(int context) { helpContext_ = context; }
    std::vector<MessageDlg::Button>& Buttons() { return buttons_; }
    // Puts the captions and default flags of Buttons() on the controls; the sizes stay.
    void ApplyButtons();
    void SetActiveButton(int index) { activeButton_ = index; }

    // Shows the dialog modally; the result of the button that closed it, or 2.
    int ShowModal();

    HWND Handle() const { return window_.get(); }

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam);
    LRESULT OnClose();
    LRESULT OnCtlColorStatic(WPARAM wParam);

    void BuildLayout(const std::string& message, MessageDlg::DlgType type);
    bool HandleKey(const MSG& msg);
    void Press(std::size_t index);
    void MarkFocusedAsDefault();
    int FocusedButton() const;
    void CopyToClipboard() const;

    UniqueWindow window_;
    UniqueFont font_;
    std::string message_;
    std::vector<MessageDlg::Button> buttons_;
    std::vector<HWND> buttonWindows_;
    int helpContext_ = 0;
    int activeButton_ = -1;
    int result_ = 0;
    bool closed_ = false;
};

#pragma once
// The main window built inside the test process, with the application window around it as in
// the tool, so that tests can count clicks and call the tool's routines on its thread.
#include "Application.h"
#include "Driver.h"
#include "uInstal.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <memory>

namespace InProcess {

class CountingForm : public TInstFormTYX {
public:
    using TInstFormTYX::TInstFormTYX;
    int setClicks = 0;
    int iconClicks = 0;

protected:
    void BtnInstalClick() override { ++setClicks; }
    void Button1Click() override { ++iconClicks; }
};

inline CountingForm* currentForm = nullptr;

inline bool FormKey(const MSG& msg)
{
    return currentForm && currentForm->HandleKey(msg);
}

inline void FormFocus()
{
    if (currentForm)
        currentForm->RestoreFocus();
}

// Handles what has arrived until the queue stays empty for a moment.
inline void Pump(DWORD quietMs = 150)
{
    ULONGLONG quietSince = GetTickCount64();
    while (GetTickCount64() - quietSince < quietMs) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT)
                Application::HandleMessage(msg);
            quietSince = GetTickCount64();
        } else {
            Sleep(5);
        }
    }
}

class InProcessForm : public testing::Test {
protected:
    // One application window per process, as in the tool, shared by every suite here.
    static void SetUpTestSuite()
    {
        static const bool created = [] {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
            InitCommonControlsEx(&controls);
            const bool ok = Application::Create(GetModuleHandleA(nullptr));
            Application::SetTitle("VELUK TYX");
            return ok;
        }();
        ASSERT_TRUE(created);
    }

    void SetUp() override
    {
        form_ = std::make_unique<CountingForm>(GetModuleHandleA(nullptr));
        form_->Build();
        currentForm = form_.get();
        InstFormTYX = form_.get();
        Application::SetMainWindow({form_->Handle(), FormKey, FormFocus});
        SetForegroundWindow(form_->Handle());
        Pump();
        ASSERT_TRUE(Driver::WaitUntil([&] {
            Pump(20);
            return GetForegroundWindow() == form_->Handle();
        }));
    }

    void TearDown() override
    {
        Application::ClearMainWindow();
        currentForm = nullptr;
        InstFormTYX = nullptr;
        form_.reset();
        Pump(20);
    }

    HWND Get(Control control) const { return form_->ControlHandle(control); }

    std::unique_ptr<CountingForm> form_;
};

} // namespace InProcess

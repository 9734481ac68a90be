#include "FunkcInstTyxForms.h"

#include "MessageForm.h"

int CzechMessageDlg(const std::string& caption, const std::string& msg, MessageDlg::DlgType dlgType,
                    std::uint16_t buttons, int defaultResult, int helpCtx)
{
    // The form's destructor takes the window down on every way out, a failure included.
    TMessageForm form(msg, dlgType, buttons);
    form.SetCaption(caption);
    form.SetHelpContext(helpCtx);
    form.SetActiveButton(MessageDlg::ApplyCzechRules(form.Buttons(), defaultResult));
    form.ApplyButtons();
    return form.ShowModal();
}

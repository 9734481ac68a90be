#include "OleCheck.h"

#include "Exceptions.h"
#include "OleText.h"
#include "SystemError.h"

void RaiseOleSysError(HRESULT result)
{
    throw EOleSysError(OleErrorMessage(SystemErrorText(static_cast<std::uint32_t>(result)), result),
                       static_cast<std::int32_t>(result));
}

void OleCheck(HRESULT result)
{
    if (FAILED(result))
        RaiseOleSysError(result);
}

#pragma once
// COM results as the setup tool treats them: only the high bit tells a failure.
#include <windows.h>

// Raises EOleSysError for a result with the high bit set; S_FALSE and every other success passes.
void OleCheck(HRESULT result);

[[noreturn]] void RaiseOleSysError(HRESULT result);

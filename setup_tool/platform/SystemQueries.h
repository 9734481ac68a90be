#pragma once
// What the tool asks Windows: the version it runs on and where the user's desktop lies.
#include <cstdint>
#include <string>

// Takes the version Windows reports, once, before the main window exists.
void CaptureReportedVersion();
std::int32_t ReportedPlatformId();
std::int32_t ReportedMajorVersion();
std::int32_t ReportedMinorVersion();

// The effective version (the registry's when Windows reports 6.2); may raise EConvertError.
std::int32_t WindowsMajorVersion();
std::int32_t WindowsMinorVersion();
// The effective version is 6.0 or 6.1; the minor number is asked only for major 6.
bool WindowsVistaOr7();

// The file-system path of the user's desktop; empty when there is none.
std::string DesktopFolder();

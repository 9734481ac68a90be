#include "PathText.h"

std::string ExtractFileName(const std::string& path)
{
    const std::string::size_type separator = path.find_last_of("\\:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string PathInDirectory(const std::string& directory, const std::string& name)
{
    if (!directory.empty() && directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}

std::wstring IconLocation(const std::wstring& workDir, const std::wstring& iconFile)
{
    return workDir + L"\\" + iconFile;
}

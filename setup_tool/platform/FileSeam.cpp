#include "FileSeam.h"

namespace FileSeam {

Functions& Current()
{
    static Functions functions;
    return functions;
}

Override::Override(const Functions& replacement) : saved_(Current())
{
    Current() = replacement;
}

Override::~Override()
{
    Current() = saved_;
}

} // namespace FileSeam

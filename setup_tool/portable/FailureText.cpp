#include "FailureText.h"

std::string FailureBoxText(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > 0x2E)
        message.push_back('.');
    return message;
}

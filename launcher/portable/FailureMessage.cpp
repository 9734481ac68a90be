#include "FailureMessage.h"

#include "LauncherTexts.h"

namespace launcher {

namespace {

struct Headline {
    const char* text;
    bool hasSubject;
};

Headline HeadlineOf(Failure failure) noexcept
{
    switch (failure) {
    case Failure::NoFileName: return {texts::kNoFileName, false};
    case Failure::CannotReadFile: return {texts::kCannotReadFile, true};
    case Failure::EmptyFile: return {texts::kEmptyFile, true};
    case Failure::FieldTooLong: return {texts::kFieldTooLong, true};
    case Failure::FieldHasNul: return {texts::kFieldHasNul, true};
    case Failure::NoCommand: return {texts::kNoCommand, false};
    case Failure::CannotStart: return {texts::kCannotStart, true};
    }
    return {texts::kCannotStart, true};
}

void AppendNumber(BoxText& text, std::uint32_t number) noexcept
{
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    while (count > 0)
        text.Append(digits[--count]);
}

} // namespace

BoxText FailureMessage(Failure failure, std::string_view subject, std::uint32_t code,
                       std::string_view systemText) noexcept
{
    const Headline headline = HeadlineOf(failure);
    BoxText message(headline.text);
    if (headline.hasSubject) {
        message.Append('\n');
        if (subject.size() > kLongestSubjectShown) {
            message.Append(std::string_view(subject.data(), kLongestSubjectShown));
            message.Append(texts::kEllipsis);
        } else {
            message.Append(subject);
        }
    }
    message.Append("\n\n");
    message.Append(texts::kErrorNumber);
    AppendNumber(message, code);
    if (!systemText.empty()) {
        message.Append(": ");
        message.Append(systemText);
    }
    message.Append('.');
    return message;
}

} // namespace launcher

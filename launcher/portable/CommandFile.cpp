#include "CommandFile.h"

namespace launcher {

void FirstFieldReader::Finish(FieldStatus status) noexcept
{
    status_ = status;
    phase_ = Phase::Done;
    if (status != FieldStatus::Found)
        text_.Clear();
}

bool FirstFieldReader::Take(std::string_view bytes) noexcept
{
    if (!bytes.empty())
        anyByte_ = true;
    for (std::size_t i = 0; i < bytes.size() && phase_ != Phase::Done; ++i) {
        const char c = bytes[i];
        switch (phase_) {
        case Phase::Blanks:
            if (c == ' ' || c == '\t')
                break;
            if (c == '"') {
                phase_ = Phase::Quoted;
                break;
            }
            phase_ = Phase::Plain;
            [[fallthrough]];
        case Phase::Plain:
            if (c == ',') {
                Finish(FieldStatus::Found);
            } else if (c == '\n') {
                // CR LF ends a line as LF alone does; a CR anywhere else is an ordinary byte.
                if (text_.Back() == '\r')
                    text_.DropLast();
                Finish(text_.Size() > kLongestField ? FieldStatus::TooLong : FieldStatus::Found);
            } else if (c == '\0') {
                Finish(FieldStatus::HasNul);
            } else if (!text_.Append(c)) {
                Finish(FieldStatus::TooLong);
            }
            break;
        case Phase::Quoted:
            if (c == '"') {
                // What follows the closing quote on its line is not part of the field.
                Finish(FieldStatus::Found);
            } else if (c == '\0') {
                Finish(FieldStatus::HasNul);
            } else if (!text_.Append(c) || text_.Size() > kLongestField) {
                Finish(FieldStatus::TooLong);
            }
            break;
        case Phase::Done:
            break;
        }
    }
    return phase_ != Phase::Done;
}

void FirstFieldReader::EndOfFile() noexcept
{
    if (phase_ == Phase::Done)
        return;
    if (!anyByte_)
        Finish(FieldStatus::EmptyFile);
    else
        // A field cut off by the end of the file, a quoted one included, runs to that end.
        Finish(text_.Size() > kLongestField ? FieldStatus::TooLong : FieldStatus::Found);
}

} // namespace launcher

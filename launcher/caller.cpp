// caller: starts the command that its command line or command file gives, shown or hidden, and
// ends at once without waiting for it. It never shows a window of its own; a failure ends it
// with one error box, and the exit status is then the Windows error number (0 after a start),
// so that a batch file can test the errorlevel.
#include "CommandFileReader.h"
#include "CommandLine.h"
#include "FailureBox.h"
#include "Start.h"

#include <windows.h>

namespace {

DWORD Fail(launcher::Failure failure, std::string_view subject, DWORD code)
{
    // Should the system give no number, the run still ends as a failure.
    if (code == ERROR_SUCCESS)
        code = ERROR_INTERNAL_ERROR;
    ShowFailureBox(failure, subject, code);
    return code;
}

DWORD Run()
{
    using launcher::Failure;
    using launcher::FieldStatus;
    using launcher::Request;

    // 64 KiB on the stack, well within its megabyte.
    launcher::FirstFieldReader commandFile;
    launcher::FixedText<32767> fileName;

    const Request request = launcher::RequestFrom(launcher::ArgumentsOf(::GetCommandLineA()));
    launcher::Command command = request.command;
    switch (request.kind) {
    case Request::Kind::NoFileName:
        return Fail(Failure::NoFileName, {}, ERROR_BAD_ARGUMENTS);
    case Request::Kind::StartCommand:
        break;
    case Request::Kind::ReadCommandFile: {
        // The name is shorter than the command line it comes from, so it always fits.
        fileName.Append(request.fileName);
        const DWORD read = ReadCommandFile(fileName.CStr(), commandFile);
        if (read != ERROR_SUCCESS)
            return Fail(Failure::CannotReadFile, fileName.View(), read);
        switch (commandFile.Status()) {
        case FieldStatus::Found: break;
        case FieldStatus::EmptyFile: return Fail(Failure::EmptyFile, fileName.View(), ERROR_HANDLE_EOF);
        case FieldStatus::TooLong: return Fail(Failure::FieldTooLong, fileName.View(), ERROR_FILENAME_EXCED_RANGE);
        case FieldStatus::HasNul: return Fail(Failure::FieldHasNul, fileName.View(), ERROR_INVALID_DATA);
        }
        command = launcher::CommandFrom(commandFile.Text());
        break;
    }
    }
    if (launcher::IsBlank(command.text))
        return Fail(Failure::NoCommand, {}, ERROR_FILE_NOT_FOUND);
    const DWORD started = StartCommand(command.text, command.hidden);
    if (started != ERROR_SUCCESS)
        return Fail(Failure::CannotStart, command.text, started);
    return ERROR_SUCCESS;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(Run());
}

#include "scripting/objects/FsErrors.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"

namespace quillo::script::objects {

namespace {
constexpr int32_t kDeviceIoError = 57;
constexpr int32_t kDiskFull = 61;
constexpr int32_t kPathFileAccess = 75;
} // namespace

void raise(int32_t number)
{
    throw ScriptError::runtime(number);
}

int32_t errorNumber(const std::error_code& ec, int32_t missing)
{
    using std::errc;
    if (ec == errc::no_such_file_or_directory || ec == errc::not_a_directory)
        return missing;
    if (ec == errc::permission_denied || ec == errc::operation_not_permitted ||
        ec == errc::read_only_file_system || ec == errc::is_a_directory ||
        ec == errc::directory_not_empty || ec == errc::device_or_resource_busy ||
        ec == errc::text_file_busy)
        return err::PermissionDenied;
    if (ec == errc::file_exists)
        return err::FileExists;
    if (ec == errc::no_space_on_device || ec == errc::file_too_large)
        return kDiskFull;
    if (ec == errc::io_error)
        return kDeviceIoError;
    if (ec == errc::not_enough_memory)
        return err::OutOfMemory;
    return kPathFileAccess;
}

void check(const std::error_code& ec, int32_t missing)
{
    if (ec)
        raise(errorNumber(ec, missing));
}

} // namespace quillo::script::objects

#include "platform/archive_exception.h"

CArchiveException::CArchiveException(const std::string& reason, std::size_t offset)
    : std::runtime_error(reason + " at byte " + std::to_string(offset)) {}

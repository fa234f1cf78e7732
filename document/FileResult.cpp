#include "document/FileResult.h"

#include "platform/files/CFile.h"

FileResult FileFailure(FileAction action, std::string_view path, std::string_view reason) {
    return FileResult::Failure(CannotText(action, path, reason));
}

FileResult FileFailure(FileAction action, std::string_view path, const CFile& file) {
    return FileFailure(action, path, file.LastErrorText());
}

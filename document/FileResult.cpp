#include "document/FileResult.h"

#include "platform/files/CFile.h"

FileResult FileResult::Failure(std::string_view action, std::string_view path, std::string_view reason) {
    std::string text = "Cannot ";
    text.append(action).append(" ").append(path).append(": ").append(reason);
    return FileResult(false, std::move(text));
}

FileResult FileResult::Failure(std::string_view action, std::string_view path, const CFile& file) {
    return Failure(action, path, file.LastErrorText());
}

#pragma once

#include <string>
#include <string_view>

class CFile;

// The outcome of a document file operation. A failure carries the whole text
// the user should see, path and system reason included, so the UI only has
// to show it.
class FileResult {
public:
    static FileResult Success() { return FileResult(true, {}); }
    static FileResult Failure(std::string message) { return FileResult(false, std::move(message)); }
    // "Cannot <action> <path>: <reason>".
    static FileResult Failure(std::string_view action, std::string_view path, std::string_view reason);
    // The same, with the reason of the file's last failed operation.
    static FileResult Failure(std::string_view action, std::string_view path, const CFile& file);

    bool Ok() const { return m_bOk; }
    explicit operator bool() const { return Ok(); }
    // Empty on success.
    const std::string& Message() const { return m_strMessage; }

private:
    FileResult(bool ok, std::string message) : m_bOk(ok), m_strMessage(std::move(message)) {}

    bool m_bOk;
    std::string m_strMessage;
};

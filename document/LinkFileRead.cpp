#include "document/LinkFileRead.h"

LinkFileRead::LinkFileRead(State state, std::vector<std::string> lines, FileResult error)
    : m_state(state), m_lines(std::move(lines)), m_error(std::move(error)) {}

LinkFileRead LinkFileRead::Absent() {
    return LinkFileRead(State::Absent, {}, FileResult::Success());
}

LinkFileRead LinkFileRead::Read(std::vector<std::string> lines) {
    return LinkFileRead(State::Read, std::move(lines), FileResult::Success());
}

LinkFileRead LinkFileRead::Failed(FileResult error) {
    return LinkFileRead(State::Failed, {}, std::move(error));
}

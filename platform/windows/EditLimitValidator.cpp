#include "platform/windows/EditLimitValidator.h"

#include <algorithm>

QValidator::State EditLimitValidator::validate(QString& input, int& pos) const {
    if (m_programmatic) return Acceptable;
    for (QChar& c : input) {
        if (c.unicode() > 0xFF) c = QLatin1Char('?');
    }
    const qsizetype grow = input.size() - m_last.size();
    if (m_limit <= 0 || grow <= 0 || input.size() <= m_limit) return Acceptable;
    // Only the characters just inserted (before the cursor) are cut, never
    // text that was already there.
    const qsizetype excess = std::min<qsizetype>(grow, input.size() - m_limit);
    const qsizetype start = std::max<qsizetype>(0, pos - excess);
    input.remove(start, excess);
    pos = static_cast<int>(std::max<qsizetype>(0, pos - excess));
    return Acceptable;
}

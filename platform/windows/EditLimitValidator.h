#pragma once

#include <QString>
#include <QValidator>

// The typing rules of a Win32 edit box, applied to what the user types or
// pastes: characters without a Latin-1 byte become '?', and input that
// would take the text past the limit is cut to what fits. Text the program
// sets passes unchanged, however long, and shortening is always allowed.
class EditLimitValidator : public QValidator {
public:
    explicit EditLimitValidator(QObject* parent) : QValidator(parent) {}

    State validate(QString& input, int& pos) const override;

    // 0: no limit.
    void SetLimit(int limit) { m_limit = limit; }
    int Limit() const { return m_limit; }
    // The text before the change being validated.
    void SetLastText(const QString& text) { m_last = text; }
    void SetProgrammatic(bool programmatic) { m_programmatic = programmatic; }

private:
    int m_limit = 0;
    QString m_last;
    bool m_programmatic = false;
};

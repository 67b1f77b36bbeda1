#pragma once
#include <string>
#include <string_view>

#include "base/Prompter.h"

// What every flow of the registers answers. A flow either did its work (and
// may hand back the key of the row it wrote) or stopped; when it stopped, the
// reason has already been shown through the Prompter, and `Field` names the
// column whose value was refused, so the form can put the caret there.
// Reads that only fetch something return std::optional instead, with the same
// rule: nothing means the failure was already shown.
class [[nodiscard]] Outcome {
public:
    static Outcome Done(long long key = 0) { return Outcome(true, key, {}); }
    static Outcome Stopped(std::string_view field = {}) { return Outcome(false, 0, field); }
    // Stopped by a check whose message was shown: the form can mark the field with it.
    static Outcome Refused(std::string_view field, std::string_view message) {
        Outcome outcome(false, 0, field);
        outcome.m_message = message;
        return outcome;
    }

    bool Ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    long long Key() const { return m_key; }
    const std::string& Field() const { return m_field; }
    // The message a refused check showed; empty otherwise.
    const std::string& Message() const { return m_message; }

private:
    Outcome(bool ok, long long key, std::string_view field)
        : m_ok(ok), m_key(key), m_field(field) {}

    bool m_ok;
    long long m_key;
    std::string m_field;
    std::string m_message;
};

// A check that failed: its message is shown, and the flow stops with the
// caret's field.
inline Outcome Refuse(Prompter& prompter, const std::string& message, std::string_view field = {}) {
    prompter.ShowMessage(message);
    return Outcome::Refused(field, message);
}

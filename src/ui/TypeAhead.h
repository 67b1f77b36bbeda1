#pragma once
#include <QObject>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

// Completes a field while the user types. After each typed change the
// look-up gets the field's text and answers the full value it found (having
// filled the form's other fields itself) or nothing; the field then shows the
// full value with the completed tail selected, so typing on replaces it.
// Backspace, Delete and "." only change what the field remembers: deleting
// must not bring back what was just deleted.
class TypeAhead : public QObject {
    Q_OBJECT
public:
    using Lookup = std::function<std::optional<std::string>(const std::string& typed)>;

    TypeAhead(QLineEdit* field, Lookup lookup);

    // The text last completed or typed, as the field remembers it.
    const std::string& Remembered() const { return m_remembered; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnEdited(const QString& text);

    QLineEdit* m_field;
    Lookup m_lookup;
    std::string m_remembered;
    bool m_holdBack = false;
};

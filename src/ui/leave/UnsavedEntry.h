#pragma once
#include <QObject>

class Prompter;
class QWidget;

// What the user typed or chose in an editor since it opened, so that closing
// it without saving never throws that away unasked. Values the editor puts in
// by itself (look-ups, proposals, figures) are not typed.
class UnsavedEntry : public QObject {
    Q_OBJECT
public:
    // Watches every line edit and choice the form holds now.
    explicit UnsavedEntry(QWidget* form);

    bool Typed() const { return m_typed; }
    // For what a button brings in on the user's request.
    void MarkTyped() { m_typed = true; }
    // Whether the form may close without saving: nothing typed, or the user
    // agreed to lose it ("Nu" is the default answer).
    bool MayDiscard(Prompter& prompter) const;

private:
    bool m_typed = false;
};

namespace LeaveEditorMessages {
inline constexpr const char* kDiscardTyped =
    "Datele introduse nu au fost salvate.\n\nEsti sigur ca vrei sa renunti la ele?";
}  // namespace LeaveEditorMessages

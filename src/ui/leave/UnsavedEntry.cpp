#include "ui/leave/UnsavedEntry.h"

#include <QComboBox>
#include <QLineEdit>

#include "base/Prompter.h"

UnsavedEntry::UnsavedEntry(QWidget* form) : QObject(form) {
    // Both signals come from the user only, never from setText or setCurrentIndex.
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    for (QComboBox* choice : form->findChildren<QComboBox*>())
        connect(choice, &QComboBox::activated, this, [this] { m_typed = true; });
}

bool UnsavedEntry::MayDiscard(Prompter& prompter) const {
    return !m_typed || prompter.AskYesNo(LeaveEditorMessages::kDiscardTyped);
}

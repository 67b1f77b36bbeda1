#pragma once
#include <QObject>
#include <QSet>

#include <initializer_list>

class QWidget;

// Enter and the arrow keys move between the fields of a data-entry form:
// edit fields leave on Enter/Down (next) and Up (previous), and on Left/Right
// only from the start/end of their text; combo boxes on Enter/Right and Left;
// buttons on the arrows, and Enter presses a push button or moves on from a
// check box; on a radio button the arrows choose, as everywhere, and Enter
// moves on. Enter and Tab pass over read-only edit fields. A form takes part
// by calling Install once its fields exist.
class FormNavigation : public QObject {
    Q_OBJECT
public:
    static FormNavigation* Install(QWidget* form);
    // Fields created after Install join here.
    void Watch(QWidget* field);
    // Buttons Enter and the arrows pass over (Tab still stops there), where
    // an Enter meant for the next field must not press them.
    void PassOverOnEnter(std::initializer_list<QWidget*> widgets);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FormNavigation(QWidget* form);
    bool MoveFocus(QWidget* from, bool forward, bool byEnter = true);
    bool HandleKey(QWidget* field, int key);

    QWidget* m_form;
    QSet<const QWidget*> m_passedOnEnter;
};

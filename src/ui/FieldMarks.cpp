#include "ui/FieldMarks.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "text/TextCodec.h"
#include "ui/DateTriple.h"

namespace {

const char* const kMarkProperty = "fieldMark";
const char* const kWatchedProperty = "fieldWatched";
const char* const kEntryProperty = "fieldMarkEntry";
const char* const kMarkedStyle = "QLineEdit { border: 2px solid #cc0000; }";

// The marks of one form and its status line.
class FieldMarks : public QObject {
public:
    explicit FieldMarks(QWidget* form) : QObject(form), m_form(form) {
        setObjectName("fieldMarks");
    }

    static FieldMarks* Of(QWidget* form) {
        if (auto* marks = form->findChild<FieldMarks*>("fieldMarks", Qt::FindDirectChildrenOnly))
            return marks;
        return new FieldMarks(form);
    }

    void Watch(QWidget* field, std::vector<QLineEdit*> parts, int completeLength,
               FieldVerdict verdict) {
        const std::size_t index = m_entries.size();
        m_entries.push_back({field, parts, completeLength, std::move(verdict)});
        field->setProperty(kWatchedProperty, true);
        for (QLineEdit* part : parts) {
            connect(part, &QLineEdit::textEdited, this, [this, index] { Edited(index); });
            // Leaving is watched as a focus change: a half-typed value that its
            // validator holds back never finishes editing.
            part->setProperty(kEntryProperty, static_cast<qulonglong>(index));
            part->installEventFilter(this);
        }
        // A choice elsewhere (the county for a sector) may settle a mark.
        for (QComboBox* combo : m_form->findChildren<QComboBox*>())
            connect(combo, &QComboBox::currentIndexChanged, this, &FieldMarks::RecheckMarked,
                    Qt::UniqueConnection);
    }

    // False when the form does not watch `field`.
    bool MarkNow(const QWidget* field, const QString& message) {
        for (Entry& entry : m_entries) {
            if (entry.field.data() != field) continue;
            entry.touched = true;
            entry.refusal = message;
            entry.refusedText = TypedText(entry);
            Mark(entry, message);
            return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const std::size_t index = watched->property(kEntryProperty).toULongLong();
            // Moving between the parts of a date is not leaving it.
            QTimer::singleShot(0, this, [this, index] { Left(index); });
        }
        return false;
    }

private:
    struct Entry {
        QPointer<QWidget> field;
        std::vector<QLineEdit*> parts;
        int completeLength;
        FieldVerdict verdict;
        bool touched = false;
        bool marked = false;
        QString toolTip;
        // What a save refused and the text it refused: the mark stays while
        // the field holds that text, though the field's own check passes.
        QString refusal;
        QString refusedText;
    };

    static QString TypedText(const Entry& entry) {
        QString text;
        for (QLineEdit* part : entry.parts) text += part->text() + QChar('\n');
        return text;
    }

    int TypedLength(const Entry& entry) const {
        int length = 0;
        for (QLineEdit* part : entry.parts) length += static_cast<int>(part->text().size());
        return length;
    }

    void Edited(std::size_t index) {
        Entry& entry = m_entries[index];
        entry.touched = true;
        const bool complete =
            entry.completeLength > 0 && TypedLength(entry) >= entry.completeLength;
        if (complete || entry.marked) Evaluate(entry);
        RecheckMarked();
    }

    void Left(std::size_t index) {
        Entry& entry = m_entries[index];
        if (!entry.touched || !entry.field) return;
        QWidget* focus = QApplication::focusWidget();
        if (focus && entry.field->isAncestorOf(focus)) return;
        Evaluate(entry);
    }

    void RecheckMarked() {
        for (Entry& entry : m_entries)
            if (entry.marked) Evaluate(entry);
    }

    void Evaluate(Entry& entry) {
        if (!entry.field) return;
        const char* message = entry.verdict();
        if (!message && !entry.refusal.isEmpty()) {
            if (TypedText(entry) == entry.refusedText) return Mark(entry, entry.refusal);
            entry.refusal.clear();
        }
        if (message)
            Mark(entry, ToQt(message));
        else if (entry.marked)
            Unmark(entry);
    }

    void Mark(Entry& entry, const QString& message) {
        if (!entry.marked) entry.toolTip = entry.field->toolTip();
        entry.marked = true;
        for (QLineEdit* part : entry.parts) {
            part->setStyleSheet(kMarkedStyle);
            part->setToolTip(message);
        }
        entry.field->setToolTip(message);
        entry.field->setProperty(kMarkProperty, message);
        ShowStatus(message);
    }

    void Unmark(Entry& entry) {
        entry.marked = false;
        for (QLineEdit* part : entry.parts) {
            part->setStyleSheet({});
            part->setToolTip(entry.toolTip);
        }
        entry.field->setToolTip(entry.toolTip);
        entry.field->setProperty(kMarkProperty, QVariant());
        // The line tells of a mistake still on the form, if any is left.
        QString remaining;
        for (const Entry& other : m_entries)
            if (other.marked && other.field)
                remaining = other.field->property(kMarkProperty).toString();
        ShowStatus(remaining);
    }

    void ShowStatus(const QString& text) { StatusLine()->setText(text); }

    QLabel* StatusLine() {
        if (auto* line = m_form->findChild<QLabel*>("fieldStatusLine")) return line;
        auto* line = new QLabel(m_form);
        line->setObjectName("fieldStatusLine");
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        line->setStyleSheet("color: #cc0000;");
        if (auto* box = qobject_cast<QBoxLayout*>(m_form->layout())) {
            box->addWidget(line);
        } else if (auto* grid = qobject_cast<QGridLayout*>(m_form->layout())) {
            grid->addWidget(line, grid->rowCount(), 0, 1, grid->columnCount());
        }
        return line;
    }

    QWidget* m_form;
    std::vector<Entry> m_entries;
};

}  // namespace

void WatchFieldCheck(QWidget* form, const ColumnSpec& column, FieldVerdict verdict) {
    const QString name = QString::fromLatin1(column.name.data(), column.name.size());
    if (auto* date = form->findChild<DateTriple*>(name)) {
        const QList<QLineEdit*> parts = date->findChildren<QLineEdit*>();
        FieldMarks::Of(form)->Watch(date, {parts.begin(), parts.end()}, 8, std::move(verdict));
    } else if (auto* edit = form->findChild<QLineEdit*>(name)) {
        FieldMarks::Of(form)->Watch(edit, {edit}, column.maxLength, std::move(verdict));
    }
}

void MarkRefusedField(QWidget* form, const std::string& column, const QString& message) {
    if (column.empty() || message.isEmpty()) return;
    const QWidget* field = form->findChild<QWidget*>(QString::fromStdString(column));
    if (!field || !field->property(kWatchedProperty).toBool()) return;
    FieldMarks::Of(form)->MarkNow(field, message);
}

QString FieldMarkOf(const QWidget* form, const char* column) {
    const QWidget* field = form->findChild<QWidget*>(column);
    return field ? field->property(kMarkProperty).toString() : QString();
}

bool IsFieldWatched(const QWidget* form, const char* column) {
    const QWidget* field = form->findChild<QWidget*>(column);
    return field && field->property(kWatchedProperty).toBool();
}
